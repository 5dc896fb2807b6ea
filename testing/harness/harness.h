// Helpers for the end-to-end tests that run under Wine: where the program
// folder is, a private copy of it per test, starting and ending programs,
// and waiting for windows, all through the platform's own calls.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace harness {

// The folder of wine_tests.exe (the Windows build tree).
std::filesystem::path buildDir();
// The program folder as it ships (tavrolin.exe, main.ini, macros\ ...).
std::filesystem::path programDir();
// A fresh, empty folder under the build tree for one test.
std::filesystem::path freshDir(const std::wstring& name);
// Copies a folder with everything in it (files of the same name replaced).
void copyFolder(const std::filesystem::path& from, const std::filesystem::path& to);
// Copies the program folder into a fresh folder and returns its path.
std::filesystem::path copyProgram(const std::wstring& name);

// A started process; ended (TerminateProcess) when it goes out of scope
// unless it has ended by itself.
class Process {
 public:
  Process() = default;
  Process(const std::wstring& commandLine, const std::filesystem::path& workDir = {});
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  ~Process();
  bool started() const { return pi_.hProcess != nullptr; }
  DWORD pid() const { return pi_.dwProcessId; }
  HANDLE handle() const { return pi_.hProcess; }
  // Waits for the end; true when it ended within the time.
  bool wait(DWORD ms);
  void kill();
  // Lets the process run on after this object is gone.
  void detach();

 private:
  PROCESS_INFORMATION pi_{};
};

// Polls until `pred` holds or `ms` have passed; true when it held.
bool waitFor(const std::function<bool()>& pred, DWORD ms);
// A visible or hidden top-level window of process `pid` with this exact
// title (any title when empty) and class (any when empty), or null.
HWND findWindowOf(DWORD pid, const std::wstring& title, const std::wstring& cls = {});
// Waits up to `ms` for such a window.
HWND waitWindowOf(DWORD pid, const std::wstring& title, DWORD ms, const std::wstring& cls = {});
// The window's text through WM_GETTEXT.
std::wstring textOf(HWND w);
// The first child (any depth) with this class whose text is `text`.
HWND findChild(HWND parent, const std::wstring& cls, const std::wstring& text);
// The number of child windows of `parent`, at any depth.
int childWindowCount(HWND parent);
// Clicks `button` (its handler may hold message boxes open) and answers each
// message box of process `pid` with `answer` (IDYES, IDNO or IDOK; OK where
// the box has no such button) until the click returns or 4 minutes have
// passed. The boxes' texts, in order.
std::vector<std::wstring> clickAndAnswer(HWND button, DWORD pid, int answer = IDOK);

}  // namespace harness

namespace harness {
// UTF-8 of a wide text, for test messages.
std::string narrow(const std::wstring& text);
// The lines of a file as bytes, without their CR LF or LF.
std::vector<std::string> fileLines(const std::filesystem::path& path);
}  // namespace harness
