// The program's one message pump: the event loop, dispatching what is
// pending, waiting a given time or until a dialog hides itself while
// dispatching, and the keyboard routing they share (menu shortcuts of the
// main window; Tab, Enter and Escape in dialog windows).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace widgets {

class MessagePump {
 public:
  // What a quit request met while dispatching does.
  enum class OnQuit {
    Keep,    // it is put back for the event loop and dispatching stops
    Ignore,  // it is dropped: the pump's owner ends on its own terms
  };
  explicit MessagePump(OnQuit onQuit = OnQuit::Keep) : onQuit_(onQuit) {}

  // Shortcuts of `window` (and its children).
  void setAccelerators(HWND window, HACCEL table);
  // Shortcuts of another top-level window (and its children).
  void addAccelerators(HWND window, HACCEL table);
  // A window whose controls are worked with Tab, Enter and Escape.
  void addDialogWindow(HWND dialog);

  // Runs the event loop until WM_QUIT; returns its exit code.
  int run();
  // Dispatches the messages pending now. False once a quit request was met
  // (with OnQuit::Keep).
  bool dispatchPending();
  // Dispatches pending messages, then waits up to `ms` milliseconds,
  // dispatching messages as they come. With 0 it only dispatches.
  void waitFor(int32_t ms);
  // Makes `dialog` visible (by `show` when showing needs more than
  // ShowWindow) and dispatches messages until it is hidden again, destroyed,
  // or the program is asked to quit.
  void waitWhileShown(HWND dialog, const std::function<void()>& show = {});

 private:
  bool preTranslate(MSG& m) const;
  void dispatch(MSG& m) const;

  OnQuit onQuit_;
  HWND acceleratorWindow_ = nullptr;
  HACCEL accelerators_ = nullptr;
  std::vector<std::pair<HWND, HACCEL>> moreAccelerators_;
  std::vector<HWND> dialogs_;
  bool quitSeen_ = false;
  int quitCode_ = 0;
};

}  // namespace widgets
