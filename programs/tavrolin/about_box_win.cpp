// The about box and splash.
#include "tavrolin/about_box_win.h"

#include "tavrolin/artwork_win.h"
#include "widgets/dpi_win.h"

namespace app {
namespace {

// sizes at 96 DPI
constexpr int kClientWidth = 264;
constexpr int kClientHeight = 116;
constexpr int kOkId = 1;  // IDOK: Enter presses it

}  // namespace

bool AboutBox::create() {
  const int width = widgets::scaled(kClientWidth), height = widgets::scaled(kClientHeight);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  if (!createWindow(kAboutBoxClass, L"О программе", WS_POPUP | WS_CLIPCHILDREN, 0, x, y, width,
                    height, nullptr, nullptr)) {
    return false;
  }
  HFONT font = widgets::programFont();
  picture_.create(hwnd(), 0, 0, 265, 78, 264, 79, drawAboutPicture);
  label_ = widgets::createControl(L"STATIC", L"Tavrolin 1.3", SS_LEFT, 10, 88, 120, 16, hwnd(), -1,
                                  font);
  ok_ = widgets::createControl(L"BUTTON", L"Ok", WS_TABSTOP | BS_DEFPUSHBUTTON, kClientWidth - 85,
                               84, 75, 25, hwnd(), kOkId, font);
  return true;
}

void AboutBox::onOk() {
  if (visible()) hide();
}

bool AboutBox::onCommand(int id, int, HWND) {
  if (id != kOkId && id != IDCANCEL) return false;
  onOk();
  return true;
}

bool AboutBox::onShow(bool shown, bool) {
  if (shown) SetFocus(ok_);
  return false;
}

bool AboutBox::onActivate(bool active) {
  if (active) SetFocus(ok_);
  return true;
}

void AboutBox::onPaint(HDC dc) {
  // a thin frame, since the box has no border of its own
  RECT rc;
  GetClientRect(hwnd(), &rc);
  FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

bool AboutBox::onClose() {
  onOk();
  return true;
}

}  // namespace app
