// Starting the plot driver and waiting for it.
#include "export/exec_wait_win.h"

#include <windows.h>

#include <vector>

bool ExecAndWait(const std::wstring& CommandLine, int CommandShow, uint32_t* exitCode) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(CommandShow);
  PROCESS_INFORMATION pi{};
  std::vector<wchar_t> cmd(CommandLine.begin(), CommandLine.end());
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
