// Starting the plot driver and waiting for it.
#include "export/exec_wait_win.h"

#include <windows.h>

#include <vector>

namespace exportcore {

bool runAndWait(const std::wstring& commandLine, int showCommand, uint32_t* exitCode) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION pi{};
  std::vector<wchar_t> cmd(commandLine.begin(), commandLine.end());
  cmd.push_back(L'\0');
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      nullptr, &si, &pi)) {
    return false;
  }
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 0;
  if (!GetExitCodeProcess(pi.hProcess, &code)) code = static_cast<DWORD>(-1);
  if (exitCode) *exitCode = code;
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return true;
}

}  // namespace exportcore
