// The text of a file path as the user sees it in messages, in the program's
// wide strings (paths are UTF-8 bytes outside Windows).
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

}  // namespace base
