// The editor primitives of both sets (see editor_access_win.h).
#include "cadlink/editor_access_win.h"

#include <algorithm>

#include "app/run_values.h"
#include "cadlink/editor_misses.h"
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
  if (!dialog) return nullptr;  // no dialog, no control: nothing to wait for
  auto lookup = [&]() -> uintptr_t {
    ++lookupCounters().controlLookups;
    return reinterpret_cast<uintptr_t>(GetDlgItem(dialog, id));
  };
  return reinterpret_cast<HWND>(retrySearch(delay, sleepMs, lookup, aliveCheck(editor)));
}

bool sendToEditor(HWND w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (result) *result = 0;
  if (!w) return false;
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(w, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, kAnswerMs,
                           &answer)) {
    // A window that is gone just takes nothing; one that is there did not answer.
    if (IsWindow(w)) editorMisses().unanswered();
    return false;
  }
  if (result) *result = static_cast<LRESULT>(answer);
  return true;
}

std::wstring readWindowText(HWND w) {
  wchar_t buffer[130] = {};
  if (!sendToEditor(w, WM_GETTEXT, 127, reinterpret_cast<LPARAM>(buffer))) return std::wstring();
  return textUpToNul(buffer, 128);
}

bool readWholeText(HWND w, std::wstring& text) {
  text.clear();
  LRESULT length = 0;
  if (!sendToEditor(w, WM_GETTEXTLENGTH, 0, 0, &length) || length < 0) return false;
  // The usual capacity of 127 while it holds the text, its NUL and one more
  // unit (a text that grew between the two messages then shows as longer
  // than told); room for all of it beyond that.
  const size_t capacity = std::max<size_t>(127, static_cast<size_t>(length) + 2);
  std::wstring buffer(capacity + 1, L'\0');
  LRESULT copied = 0;
  if (!sendToEditor(w, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(&buffer[0]), &copied)) {
    return false;
  }
  buffer = textUpToNul(buffer.data(), capacity);
  if (buffer.size() != static_cast<size_t>(length)) return false;
  text = buffer;
  return true;
}

HWND fw(int32_t parent, int32_t child, const wchar_t* clas, const wchar_t* name) {
  EditorMisses& misses = editorMisses();
  if (name && misses.knownMissing(name)) {
    ++lookupCounters().windowSearches;
    misses.skipped();
    return nullptr;
  }
  HWND editor = editorWindow();
  HWND found = findWindowRetry(parent, child, clas, name, dw, editor);
  if (!found && name && IsWindow(editor)) misses.windowNeverOpened(name);
  return found;
}

HWND gd(HWND h, int32_t id) { return findControlRetry(h, id, dc, editorWindow()); }

std::wstring gettext(HWND h) { return readWindowText(h); }

void closewindow(HWND h) {
  if (!h) return;
  for (int tries = 0; tries < kCloseTries; ++tries) {
    if (!IsWindow(h)) return;
    // A window that does not answer is not asked again.
    if (!sendToEditor(h, WM_CLOSE, 0, 0)) return;
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
    wchar_t buffer[130] = {};
    // A window that does not answer is not asked again.
    if (!sendToEditor(h, WM_GETTEXT, 127, reinterpret_cast<LPARAM>(buffer))) break;
    text = textUpToNul(buffer, 128);
    if (!text.empty() || !IsWindow(h)) break;
    Sleep(kRepeatPause);
  }
  return text;
}

void closewindow(HWND h) { cadlink::closewindow(h); }

}  // namespace chooser

}  // namespace cadlink
