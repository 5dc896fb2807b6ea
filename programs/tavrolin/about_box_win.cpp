// The about box and splash `TForm3`.
#include "tavrolin/about_box_win.h"

#include "tavrolin/artwork_win.h"

TForm3* Form3 = nullptr;

namespace {
constexpr int kClientWidth = 264;
constexpr int kClientHeight = 116;
constexpr int kOkId = 1;  // IDOK: Enter presses it
}  // namespace

bool TForm3::create() {
  int x = (GetSystemMetrics(SM_CXSCREEN) - kClientWidth) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - kClientHeight) / 2;
  if (!createWindow(L"TForm3", L"О программе", WS_POPUP | WS_CLIPCHILDREN,
                    WS_EX_DLGMODALFRAME & 0, x, y, kClientWidth, kClientHeight, nullptr,
                    nullptr)) {
    return false;
  }
  HFONT font = widgets::programFont();
  picture_.create(hwnd(), 0, 0, 265, 78, 264, 79, app::drawAboutPicture);
  label_ = widgets::createControl(L"STATIC", L"Tavrolin 1.3", SS_LEFT, 10, 88, 120, 16, hwnd(), -1,
                                  font);
  ok_ = widgets::createControl(L"BUTTON", L"Ok", WS_TABSTOP | BS_DEFPUSHBUTTON,
                               kClientWidth - 85, 84, 75, 25, hwnd(), kOkId, font);
  return true;
}

void TForm3::Button1Click() {
  if (visible()) hide();
}

LRESULT TForm3::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == kOkId || LOWORD(wp) == IDCANCEL) {
        Button1Click();
        return 0;
      }
      break;
    case WM_SHOWWINDOW:
      if (wp) SetFocus(ok_);
      break;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) SetFocus(ok_);
      return 0;
    case WM_PAINT: {
      // a thin frame, since the box has no border of its own
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      RECT rc;
      GetClientRect(hwnd(), &rc);
      FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_CLOSE:
      Button1Click();
      return 0;
  }
  return Window::handleMessage(msg, wp, lp);
}
