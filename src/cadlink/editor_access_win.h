// The editor primitives: retrying window and control searches, text reads
// and window closing, in two sets. The main set is paced by the link's
// delays and watches the link's editor; the candidate set, used while the
// chooser lists the running editors, is paced by a fixed 10 ms and watches
// the candidate it asks. Every search ends at its try limit, or as soon as
// the editor's main window no longer exists. A control search in a dialog
// that does not exist ends at once, and every message to the editor is sent
// with a time limit, so that an editor that hangs never holds the program.
// Every search is counted in the link's counters.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "cadlink/editor_link.h"

namespace cadlink {

// The link's editor main window as a handle.
HWND mainWindowOf(const EditorLink& link);

// How long a message to the editor may take before it counts as not
// answered; an editor that Windows already takes for hung fails at once.
inline constexpr UINT kAnswerMs = 5000;

// Sends `message` to an editor window with the time limit above. False for
// a null window, a window that is gone, and a message that was not answered
// (that miss is noted in the link's misses); `result` (if given) gets the
// answer, else 0.
bool sendToEditor(EditorLink& link, HWND w, UINT message, WPARAM wParam, LPARAM lParam,
                  LRESULT* result = nullptr);

// A window's text through WM_GETTEXT with capacity 127: at most 126
// characters, empty for a window without text, a null handle or a window
// that does not answer.
std::wstring readWindowText(EditorLink& link, HWND w);

// The editor main window's title, read as readWindowText does but always
// given the whole answer time: after a long quiet spell (dialogs waited for
// that never opened) the system may take the idle editor for hung and fail
// a hung-aborting message at once, although the editor answers.
std::wstring readEditorTitle(EditorLink& link);

// The whole text of a window: its length asked first, then read with room
// for all of it. False (and `text` empty) when the window does not answer,
// or when what came back is shorter than the length it told.
bool readWholeText(EditorLink& link, HWND w, std::wstring& text);

// Main set: window searches wait the link's window delay before each
// lookup, control searches its control delay; the editor is the link's.
// While the link's misses are watched, a window search that gives up is
// noted, and a title noted before is not waited for again.
HWND findWindow(EditorLink& link, const wchar_t* title);
HWND findControl(EditorLink& link, HWND dialog, int32_t id);
// WM_CLOSE until the window is gone (at most 100 tries, 10 ms apart).
void closeWindow(EditorLink& link, HWND w);

// Posts WM_COMMAND `command` (lParam 0) to `w`; nothing when `w` is null,
// so that a missing window never makes the program post to its own queue.
void postCommand(HWND w, uint32_t command);

// Candidate set, paced by kCandidateDelayMs; `candidate` is the editor
// whose disappearance ends the wait.
inline constexpr int32_t kCandidateDelayMs = 10;
HWND findCandidateWindow(EditorLink& link, const wchar_t* title, HWND candidate);
HWND findCandidateControl(EditorLink& link, HWND dialog, int32_t id, HWND candidate);
// Repeats the read while the text is empty: at most 100 reads, 10 ms apart,
// and none once the window is gone.
std::wstring readCandidateTitle(EditorLink& link, HWND w);

}  // namespace cadlink
