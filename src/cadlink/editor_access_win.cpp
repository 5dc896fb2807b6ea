// The editor primitives of both sets (see editor_access_win.h).
#include "cadlink/editor_access_win.h"

#include <algorithm>

#include "cadlink/editor_protocol.h"

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

// One retrying search for a top-level window titled `title`, with explicit
// pacing; `editor` (if not null) is the main window whose disappearance
// ends the search early.
HWND findWindowRetry(EditorLink& link, const wchar_t* title, int32_t delay, HWND editor) {
  LookupCounters& counters = link.counters;
  ++counters.windowSearches;
  auto lookup = [&]() -> uintptr_t {
    ++counters.windowLookups;
    return reinterpret_cast<uintptr_t>(FindWindowExW(nullptr, nullptr, nullptr, title));
  };
  return reinterpret_cast<HWND>(retrySearch(delay, sleepMs, lookup, aliveCheck(editor)));
}

HWND findControlRetry(EditorLink& link, HWND dialog, int32_t id, int32_t delay, HWND editor) {
  LookupCounters& counters = link.counters;
  ++counters.controlSearches;
  if (!dialog) return nullptr;  // no dialog, no control: nothing to wait for
  auto lookup = [&]() -> uintptr_t {
    ++counters.controlLookups;
    return reinterpret_cast<uintptr_t>(GetDlgItem(dialog, id));
  };
  return reinterpret_cast<HWND>(retrySearch(delay, sleepMs, lookup, aliveCheck(editor)));
}

}  // namespace

HWND mainWindowOf(const EditorLink& link) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(link.editorWindow));
}

namespace {

bool sendWithFlags(EditorLink& link, HWND w, UINT message, WPARAM wParam, LPARAM lParam,
                   LRESULT* result, UINT flags) {
  if (result) *result = 0;
  if (!w) return false;
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(w, message, wParam, lParam, flags, kAnswerMs, &answer)) {
    // A window that is gone just takes nothing; one that is there did not answer.
    if (IsWindow(w)) link.misses.unanswered();
    return false;
  }
  if (result) *result = static_cast<LRESULT>(answer);
  return true;
}

}  // namespace

bool sendToEditor(EditorLink& link, HWND w, UINT message, WPARAM wParam, LPARAM lParam,
                  LRESULT* result) {
  return sendWithFlags(link, w, message, wParam, lParam, result, SMTO_NORMAL | SMTO_ABORTIFHUNG);
}

std::wstring readEditorTitle(EditorLink& link) {
  wchar_t buffer[130] = {};
  if (!sendWithFlags(link, mainWindowOf(link), WM_GETTEXT, 127, reinterpret_cast<LPARAM>(buffer),
                     nullptr, SMTO_NORMAL)) {
    return std::wstring();
  }
  return textUpToNul(buffer, 128);
}

std::wstring readWindowText(EditorLink& link, HWND w) {
  wchar_t buffer[130] = {};
  if (!sendToEditor(link, w, WM_GETTEXT, 127, reinterpret_cast<LPARAM>(buffer))) {
    return std::wstring();
  }
  return textUpToNul(buffer, 128);
}

bool readWholeText(EditorLink& link, HWND w, std::wstring& text) {
  text.clear();
  LRESULT length = 0;
  if (!sendToEditor(link, w, WM_GETTEXTLENGTH, 0, 0, &length) || length < 0) return false;
  // The usual capacity of 127 while it holds the text, its NUL and one more
  // unit (a text that grew between the two messages then shows as longer
  // than told); room for all of it beyond that.
  const size_t capacity = std::max<size_t>(127, static_cast<size_t>(length) + 2);
  std::wstring buffer(capacity + 1, L'\0');
  LRESULT copied = 0;
  if (!sendToEditor(link, w, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(&buffer[0]), &copied)) {
    return false;
  }
  buffer = textUpToNul(buffer.data(), capacity);
  if (buffer.size() != static_cast<size_t>(length)) return false;
  text = buffer;
  return true;
}

HWND findWindow(EditorLink& link, const wchar_t* title) {
  EditorMisses& misses = link.misses;
  if (title && misses.knownMissing(title)) {
    ++link.counters.windowSearches;
    misses.skipped();
    return nullptr;
  }
  HWND editor = mainWindowOf(link);
  HWND found = findWindowRetry(link, title, link.windowDelayMs, editor);
  if (!found && title && IsWindow(editor)) misses.windowNeverOpened(title);
  return found;
}

HWND findControl(EditorLink& link, HWND dialog, int32_t id) {
  return findControlRetry(link, dialog, id, link.controlDelayMs, mainWindowOf(link));
}

void closeWindow(EditorLink& link, HWND w) {
  if (!w) return;
  for (int tries = 0; tries < kCloseTries; ++tries) {
    if (!IsWindow(w)) return;
    // A window that does not answer is not asked again.
    if (!sendToEditor(link, w, WM_CLOSE, 0, 0)) return;
    if (!IsWindow(w)) return;
    Sleep(kRepeatPause);
  }
}

void postCommand(HWND w, uint32_t command) {
  if (w) PostMessageW(w, WM_COMMAND, command, 0);
}

HWND findCandidateWindow(EditorLink& link, const wchar_t* title, HWND candidate) {
  return findWindowRetry(link, title, kCandidateDelayMs, candidate);
}

HWND findCandidateControl(EditorLink& link, HWND dialog, int32_t id, HWND candidate) {
  return findControlRetry(link, dialog, id, kCandidateDelayMs, candidate);
}

std::wstring readCandidateTitle(EditorLink& link, HWND w) {
  std::wstring text;
  for (int reads = 0; reads < kTitleReads; ++reads) {
    wchar_t buffer[130] = {};
    // A window that does not answer is not asked again.
    if (!sendToEditor(link, w, WM_GETTEXT, 127, reinterpret_cast<LPARAM>(buffer))) break;
    text = textUpToNul(buffer, 128);
    if (!text.empty() || !IsWindow(w)) break;
    Sleep(kRepeatPause);
  }
  return text;
}

}  // namespace cadlink
