// The offset dialog `TForm13`.
#include "dialogs/offset_dialog_win.h"

#include "dialogs/tool_window_win.h"

TForm13* Form13 = nullptr;

bool TForm13::create(HWND owner) {
  const SIZE size = dialogs::toolWindowSize(458, 63);
  const POINT at = dialogs::centredOnDesktop(size);
  if (!createWindow(L"TForm13", L"Оффсет", dialogs::kToolWindowStyle,
                    dialogs::kToolWindowExStyle, at.x, at.y, size.cx, size.cy, owner, nullptr)) {
    return false;
  }
  HFONT font = widgets::programFont();
  widgets::createControl(L"STATIC", L"Оффсет X", SS_LEFT, 10, 24, 60, 16, hwnd(), -1, font);
  editX_ = widgets::createControl(L"EDIT", form_.editX, WS_TABSTOP | ES_AUTOHSCROLL, 72, 21, 120,
                                  21, hwnd(), kIdX, font, WS_EX_CLIENTEDGE);
  widgets::createControl(L"STATIC", L"Оффсет Y", SS_LEFT, 204, 24, 60, 16, hwnd(), -1, font);
  editY_ = widgets::createControl(L"EDIT", form_.editY, WS_TABSTOP | ES_AUTOHSCROLL, 266, 21, 100,
                                  21, hwnd(), kIdY, font, WS_EX_CLIENTEDGE);
  widgets::createControl(L"BUTTON", L"Ok", WS_TABSTOP | BS_DEFPUSHBUTTON, 376, 19, 72, 25, hwnd(),
                         kIdOk, font);
  return true;
}

void TForm13::readEdits() {
  form_.editX = widgets::windowText(editX_);
  form_.editY = widgets::windowText(editY_);
}

void TForm13::showEdits() {
  SetWindowTextW(editX_, form_.editX.c_str());
  SetWindowTextW(editY_, form_.editY.c_str());
}

void TForm13::FormShow() {
  readEdits();
  form_.FormShow();
}

void TForm13::Button1Click() {
  readEdits();
  const bool accepted = form_.Button1Click();
  showEdits();
  if (accepted) hide();
}

void TForm13::FormClose() {
  form_.FormClose();
  showEdits();
  hide();
}

LRESULT TForm13::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SHOWWINDOW:
      if (wp && lp == 0) FormShow();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) SetFocus(editX_);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wp) == kIdOk && HIWORD(wp) == BN_CLICKED) {
        Button1Click();
      } else if (LOWORD(wp) == IDCANCEL) {
        FormClose();  // Escape: the same as the close button
      }
      return 0;
    case WM_CLOSE:
      FormClose();
      return 0;
  }
  return Window::handleMessage(msg, wp, lp);
}
