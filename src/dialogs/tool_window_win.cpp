// Sizes and places the small dialogs' tool windows.
#include "dialogs/tool_window_win.h"

namespace dialogs {

SIZE toolWindowSize(int clientWidth, int clientHeight) {
  RECT rc{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&rc, kToolWindowStyle, FALSE, kToolWindowExStyle);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

POINT centredOnDesktop(SIZE size) {
  return POINT{(GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2};
}

}  // namespace dialogs
