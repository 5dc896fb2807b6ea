// The editor primitives of both sets (see editor_access_win.h).
#include "cadlink/editor_access_win.h"

#include "app/run_values.h"
#include "cadlink/editor_protocol.h"
#include "cadlink/retry_search.h"

namespace cadlink {

namespace {

constexpr int kCloseTries = 100;
constexpr int kTitleReads = 100;
constexpr DWORD kRepeatPause = 10;

void sleepMs(int32_t ms) { Sleep(static_cast<DWORD>(ms)); }

AliveFn aliveCheck(HWND editor) {
  if (!editor) return AliveFn();
  return [editor] { return IsWindow(editor) != FALSE; };
}

}  // namespace

HWND editorWindow() { return reinterpret_cast<HWND>(static_cast<uintptr_t>(h)); }

HWND findWindowRetry(int32_t parent, int32_t child, const wchar_t* clas, const wchar_t* name,
                     int32_t delay, HWND editor) {
  HWND p = reinterpret_cast<HWND>(static_cast<intptr_t>(parent));
  HWND c = reinterpret_cast<HWND>(static_cast<intptr_t>(child));
  ++lookupCounters().windowSearches;
  auto lookup = [&]() -> uintptr_t {
    ++lookupCounters().windowLookups;
    return reinterpret_cast<uintptr_t>(FindWindowExW(p, c, clas, name));
  };
  return reinterpret_cast<HWND>(retrySearch(delay, sleepMs, lookup, aliveCheck(editor)));
}

HWND findControlRetry(HWND dialog, int32_t id, int32_t delay, HWND editor) {
  ++lookupCounters().controlSearches;
  auto lookup = [&]() -> uintptr_t {
    ++lookupCounters().controlLookups;
    return reinterpret_cast<uintptr_t>(GetDlgItem(dialog, id));
  };
  return reinterpret_cast<HWND>(retrySearch(delay, sleepMs, lookup, aliveCheck(editor)));
}

std::wstring readWindowText(HWND w) {
  wchar_t buffer[130] = {};
  if (w) SendMessageW(w, WM_GETTEXT, 127, reinterpret_cast<LPARAM>(buffer));
  return textUpToNul(buffer, 128);
}

HWND fw(int32_t parent, int32_t child, const wchar_t* clas, const wchar_t* name) {
  return findWindowRetry(parent, child, clas, name, dw, editorWindow());
}

HWND gd(HWND h, int32_t id) { return findControlRetry(h, id, dc, editorWindow()); }

std::wstring gettext(HWND h) { return readWindowText(h); }

void closewindow(HWND h) {
  if (!h) return;
  for (int tries = 0; tries < kCloseTries; ++tries) {
    SendMessageW(h, WM_CLOSE, 0, 0);
    if (!IsWindow(h)) return;
    Sleep(kRepeatPause);
  }
}

void postCommand(HWND w, uint32_t command) {
  if (w) PostMessageW(w, WM_COMMAND, command, 0);
}

namespace chooser {

HWND fw(int32_t parent, int32_t child, const wchar_t* clas, const wchar_t* name, HWND editor) {
  return findWindowRetry(parent, child, clas, name, kDelay, editor);
}

HWND gd(HWND h, int32_t id, HWND editor) { return findControlRetry(h, id, kDelay, editor); }

std::wstring gettext(HWND h) {
  std::wstring text;
  for (int reads = 0; reads < kTitleReads; ++reads) {
    text = readWindowText(h);
    if (!text.empty() || !IsWindow(h)) break;
    Sleep(kRepeatPause);
  }
  return text;
}

void closewindow(HWND h) { cadlink::closewindow(h); }

}  // namespace chooser

}  // namespace cadlink
