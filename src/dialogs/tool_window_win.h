// What the small dialogs share: a fixed-size window of a given client size
// centred on the desktop (by default a tool window: a small title bar with a
// close button), created hidden and reused; the focus that goes to a chosen
// control whenever the window becomes active; and the handling of the
// messages they all answer alike.
#pragma once

#include <windows.h>

#include <string>

#include "widgets/window_win.h"

namespace dialogs {

// The window style of the small dialogs, and the extended style that makes
// one a tool window.
constexpr DWORD kToolWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kToolWindowExStyle = WS_EX_TOOLWINDOW;

// Shown by the program (not uncovered): onOpened. Activated: the focus goes
// to focusControl(), when there is one. A button clicked: onButton. Escape
// and the close button: onDismissed.
class ToolWindow : public widgets::Window {
 protected:
  // Creates the window hidden, with this client area, centred on the desktop;
  // `owner` keeps it above the owner's window.
  bool createCentred(const wchar_t* className, const std::wstring& caption, int clientWidth,
                     int clientHeight, HWND owner, DWORD exStyle = kToolWindowExStyle);

  bool onShow(bool shown, bool byProgram) override;
  bool onActivate(bool active) override;
  bool onCommand(int id, int code, HWND control) override;
  bool onClose() override;

 private:
  virtual void onOpened() = 0;
  virtual void onDismissed() = 0;
  virtual void onButton(int id) = 0;
  // The control that takes the focus on activation; none leaves activation
  // to the default handling.
  virtual HWND focusControl() const { return nullptr; }
};

}  // namespace dialogs
