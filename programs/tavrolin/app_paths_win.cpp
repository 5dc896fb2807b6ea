// Paths of the program's own files, next to the executable.
#include "tavrolin/app_paths_win.h"

#include <windows.h>

#include <vector>

namespace app {

std::wstring exeDir() {
  std::vector<wchar_t> buf(32768);
  DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
  std::wstring path(buf.data(), n);
  size_t cut = path.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

std::filesystem::path mainIniPath() { return std::filesystem::path(exeDir() + L"main.ini"); }

std::wstring manualPath() { return exeDir() + L"Руководство пользователя.doc"; }

}  // namespace app
