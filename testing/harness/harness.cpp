// Implementation of the Wine test helpers (see harness.h).
#include "harness.h"

#include <atomic>
#include <fstream>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace harness {

fs::path buildDir() {
  wchar_t buf[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, buf, static_cast<DWORD>(std::size(buf)));
  return fs::path(std::wstring(buf, n)).parent_path();
}

fs::path programDir() { return buildDir() / L"out"; }

fs::path freshDir(const std::wstring& name) {
  fs::path p = buildDir() / L"wine-work" / name;
  std::error_code ec;
  fs::remove_all(p, ec);
  fs::create_directories(p);
  return p;
}

void copyFolder(const fs::path& from, const fs::path& to) {
  for (const auto& entry : fs::recursive_directory_iterator(from)) {
    fs::path target = to / fs::relative(entry.path(), from);
    if (entry.is_directory()) {
      fs::create_directories(target);
    } else {
      fs::create_directories(target.parent_path());
      CopyFileW(entry.path().wstring().c_str(), target.wstring().c_str(), FALSE);
    }
  }
}

fs::path copyProgram(const std::wstring& name) {
  fs::path p = freshDir(name);
  copyFolder(programDir(), p);
  return p;
}

Process::Process(const std::wstring& commandLine, const fs::path& workDir) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  std::vector<wchar_t> cmd(commandLine.begin(), commandLine.end());
  cmd.push_back(0);
  std::wstring wd = workDir.wstring();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      wd.empty() ? nullptr : wd.c_str(), &si, &pi_)) {
    pi_ = {};
  }
}

Process::Process(Process&& other) noexcept : pi_(other.pi_) { other.pi_ = {}; }

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    kill();
    pi_ = other.pi_;
    other.pi_ = {};
  }
  return *this;
}

Process::~Process() { kill(); }

bool Process::wait(DWORD ms) {
  return pi_.hProcess && WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0;
}

void Process::kill() {
  if (!pi_.hProcess) return;
  if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(pi_.hProcess, 1);
    WaitForSingleObject(pi_.hProcess, 5000);
  }
  CloseHandle(pi_.hProcess);
  CloseHandle(pi_.hThread);
  pi_ = {};
}

void Process::detach() {
  if (!pi_.hProcess) return;
  CloseHandle(pi_.hProcess);
  CloseHandle(pi_.hThread);
  pi_ = {};
}

bool waitFor(const std::function<bool()>& pred, DWORD ms) {
  DWORD start = GetTickCount();
  for (;;) {
    if (pred()) return true;
    if (GetTickCount() - start >= ms) return false;
    Sleep(20);
  }
}

namespace {
struct FindData {
  DWORD pid;
  const std::wstring* title;
  const std::wstring* cls;
  HWND found;
};

BOOL CALLBACK findProc(HWND w, LPARAM lp) {
  auto* d = reinterpret_cast<FindData*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != d->pid) return TRUE;
  if (!d->cls->empty()) {
    wchar_t c[256];
    GetClassNameW(w, c, 256);
    if (*d->cls != c) return TRUE;
  }
  if (!d->title->empty() && textOf(w) != *d->title) return TRUE;
  d->found = w;
  return FALSE;
}

struct ChildData {
  const std::wstring* cls;
  const std::wstring* text;
  HWND found;
};

BOOL CALLBACK childProc(HWND w, LPARAM lp) {
  auto* d = reinterpret_cast<ChildData*>(lp);
  wchar_t c[256];
  GetClassNameW(w, c, 256);
  if ((d->cls->empty() || _wcsicmp(d->cls->c_str(), c) == 0) && textOf(w) == *d->text) {
    d->found = w;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND findWindowOf(DWORD pid, const std::wstring& title, const std::wstring& cls) {
  FindData d{pid, &title, &cls, nullptr};
  EnumWindows(findProc, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

HWND waitWindowOf(DWORD pid, const std::wstring& title, DWORD ms, const std::wstring& cls) {
  HWND w = nullptr;
  waitFor([&] { return (w = findWindowOf(pid, title, cls)) != nullptr; }, ms);
  return w;
}

std::wstring textOf(HWND w) {
  wchar_t buf[1024];
  LRESULT n = SendMessageW(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf));
  return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

HWND findChild(HWND parent, const std::wstring& cls, const std::wstring& text) {
  ChildData d{&cls, &text, nullptr};
  EnumChildWindows(parent, childProc, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

namespace {
BOOL CALLBACK countWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}
}  // namespace

int childWindowCount(HWND parent) {
  int count = 0;
  EnumChildWindows(parent, countWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::vector<std::wstring> clickAndAnswer(HWND button, DWORD pid, int answer) {
  constexpr DWORD kRunMs = 240000;
  std::atomic<bool> done{false};
  std::thread press([&] {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, kRunMs, &r);
    done = true;
  });
  std::vector<std::wstring> texts;
  const DWORD start = GetTickCount();
  while (!done && GetTickCount() - start < kRunMs) {
    HWND box = findWindowOf(pid, L"", L"#32770");
    if (box && IsWindowVisible(box)) {
      texts.push_back(textOf(GetDlgItem(box, 0xFFFF)));
      const int id = GetDlgItem(box, answer) ? answer : IDOK;
      PostMessageW(box, WM_COMMAND, id, reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
      waitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
    }
    Sleep(50);
  }
  press.join();
  return texts;
}

}  // namespace harness

namespace harness {
std::string narrow(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}
}  // namespace harness

namespace harness {
std::vector<std::string> fileLines(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> out;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(line);
  }
  return out;
}
}  // namespace harness
