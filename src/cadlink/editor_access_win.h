// The editor primitives: retrying window and control searches, text reads
// and window closing, in two sets. The main set is paced by the operator's
// delays `dw` and `dc`; the chooser set, used while the chooser lists the
// running editors, by a fixed 10 ms. Every search ends at its try limit, or
// as soon as the editor's main window no longer exists. A control search in
// a dialog that does not exist ends at once, and every message to the
// editor is sent with a time limit, so that an editor that hangs never
// holds the program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace cadlink {

// The editor's main window from the run-time value `h`.
HWND editorWindow();

// One retrying search with explicit pacing; `editor` (if not null) is the
// main window whose disappearance ends the search early.
HWND findWindowRetry(int32_t parent, int32_t child, const wchar_t* clas, const wchar_t* name,
                     int32_t delay, HWND editor);
HWND findControlRetry(HWND dialog, int32_t id, int32_t delay, HWND editor);

// How long a message to the editor may take before it counts as not
// answered; an editor that Windows already takes for hung fails at once.
inline constexpr UINT kAnswerMs = 5000;

// Sends `message` to an editor window with the time limit above. False for
// a null window, a window that is gone, and a message that was not answered
// (that miss is noted in editorMisses()); `result` (if given) gets the
// answer, else 0.
bool sendToEditor(HWND w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr);

// A window's text through WM_GETTEXT with capacity 127: at most 126
// characters, empty for a window without text, a null handle or a window
// that does not answer.
std::wstring readWindowText(HWND w);

// The whole text of a window: its length asked first, then read with room
// for all of it. False (and `text` empty) when the window does not answer,
// or when what came back is shorter than the length it told.
bool readWholeText(HWND w, std::wstring& text);

// Main set: window searches wait `dw` before each lookup, control searches
// `dc`; the editor is the window `h`. While editorMisses() watches, a window
// search that gives up is noted, and a title noted before is not waited for
// again.
HWND fw(int32_t parent, int32_t child, const wchar_t* clas, const wchar_t* name);
HWND gd(HWND h, int32_t id);
std::wstring gettext(HWND h);
// WM_CLOSE until the window is gone (at most 100 tries, 10 ms apart).
void closewindow(HWND h);

// Posts WM_COMMAND `command` (lParam 0) to `w`; nothing when `w` is null,
// so that a missing window never makes the program post to its own queue.
void postCommand(HWND w, uint32_t command);

namespace chooser {

inline constexpr int32_t kDelay = 10;

// `editor` is the candidate editor whose disappearance ends the wait.
HWND fw(int32_t parent, int32_t child, const wchar_t* clas, const wchar_t* name,
        HWND editor = nullptr);
HWND gd(HWND h, int32_t id, HWND editor = nullptr);
// Repeats the read while the text is empty: at most 100 reads, 10 ms apart,
// and none once the window is gone.
std::wstring gettext(HWND h);
void closewindow(HWND h);

}  // namespace chooser

}  // namespace cadlink
