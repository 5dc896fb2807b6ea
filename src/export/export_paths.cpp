// Path texts of the export (see export_paths.h).
#include "export/export_paths.h"

#include "base/encoding.h"

namespace exportcore {

std::filesystem::path toPath(const std::wstring& text) {
#ifdef _WIN32
  return std::filesystem::path(text);
#else
  return std::filesystem::path(base::toUtf8(text));
#endif
}

std::wstring designBaseName(const std::wstring& designName) {
  std::wstring stem = designName.substr(0, designName.rfind(L'.'));
  for (wchar_t& c : stem) {
    if (c < 0x20 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) c = L'_';
  }
  if (stem == L"." || stem == L"..") stem.assign(stem.size(), L'_');
  return stem;
}

}  // namespace exportcore
