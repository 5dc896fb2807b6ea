// Path texts in the program's wide strings: a file path as the user sees it
// in messages (paths are UTF-8 bytes outside Windows), and the directory part
// of a path text.
#pragma once

#include <filesystem>
#include <string>

#include "base/encoding.h"

namespace base {

inline std::wstring pathText(const std::filesystem::path& path) {
#ifdef _WIN32
  return path.wstring();
#else
  return fromUtf8(path.string());
#endif
}

// Everything up to and including the last "\", "/" or drive colon; empty
// when there is none. "C:a.pcb" gives "C:", so that a file put behind the
// result lands where the path pointed.
inline std::wstring directoryPart(const std::wstring& path) {
  const size_t cut = path.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

}  // namespace base
