// The small dialogs' common window: size, place and message routing.
#include "dialogs/tool_window_win.h"

namespace dialogs {

bool ToolWindow::createCentred(const wchar_t* className, const std::wstring& caption,
                               int clientWidth, int clientHeight, HWND owner, DWORD exStyle) {
  RECT rc{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&rc, kToolWindowStyle, FALSE, exStyle);
  const int width = rc.right - rc.left;
  const int height = rc.bottom - rc.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return createWindow(className, caption, kToolWindowStyle, exStyle, x, y, width, height, owner,
                      nullptr);
}

LRESULT ToolWindow::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SHOWWINDOW:
      if (wp && lp == 0) FormShow();  // shown by the program, not uncovered
      break;
    case WM_ACTIVATE:
      if (HWND focus = focusControl()) {
        if (LOWORD(wp) != WA_INACTIVE) SetFocus(focus);
        return 0;
      }
      break;
    case WM_COMMAND:
      if (LOWORD(wp) == IDCANCEL) {
        FormClose();  // Escape: the same as the close button
      } else if (HIWORD(wp) == BN_CLICKED) {
        buttonClick(LOWORD(wp));
      }
      return 0;
    case WM_CLOSE:
      FormClose();
      return 0;
  }
  return Window::handleMessage(msg, wp, lp);
}

}  // namespace dialogs
