// What the small dialogs share: a fixed-size tool window of a given client
// size (a small title bar with a close button), and the focus that goes to
// a chosen control whenever the window becomes active.
#pragma once

#include <windows.h>

namespace dialogs {

// The window style and outer size of a tool window with this client area.
constexpr DWORD kToolWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kToolWindowExStyle = WS_EX_TOOLWINDOW;
SIZE toolWindowSize(int clientWidth, int clientHeight);
// A position that centres a window of this size on the desktop.
POINT centredOnDesktop(SIZE size);

}  // namespace dialogs
