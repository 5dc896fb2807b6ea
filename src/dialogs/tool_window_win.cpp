// The small dialogs' common window: size, place and message handling.
#include "dialogs/tool_window_win.h"

#include "widgets/dpi_win.h"

namespace dialogs {

bool ToolWindow::createCentred(const wchar_t* className, const std::wstring& caption,
                               int clientWidth, int clientHeight, HWND owner, DWORD exStyle) {
  RECT rc{0, 0, widgets::scaled(clientWidth), widgets::scaled(clientHeight)};
  AdjustWindowRectEx(&rc, kToolWindowStyle, FALSE, exStyle);
  const int width = rc.right - rc.left;
  const int height = rc.bottom - rc.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return createWindow(className, caption, kToolWindowStyle, exStyle, x, y, width, height, owner,
                      nullptr);
}

bool ToolWindow::onShow(bool shown, bool byProgram) {
  if (shown && byProgram) onOpened();  // shown by the program, not uncovered
  return false;
}

bool ToolWindow::onActivate(bool active) {
  HWND focus = focusControl();
  if (!focus) return false;
  if (active) SetFocus(focus);
  return true;
}

bool ToolWindow::onCommand(int id, int code, HWND) {
  if (id == IDCANCEL) {
    onDismissed();  // Escape: the same as the close button
  } else if (code == BN_CLICKED) {
    onButton(id);
  }
  return true;
}

bool ToolWindow::onClose() {
  onDismissed();
  return true;
}

}  // namespace dialogs
