// Drawing and clicking of the tab strip.
#include "tab_strip.h"

#include <windowsx.h>

namespace standin {

namespace {
constexpr wchar_t kClassName[] = L"StandinTabStrip";
constexpr int kTabWidth = 90;
}  // namespace

TabStrip::TabStrip(std::vector<std::wstring> tabs, ClickHandler onClick)
    : WindowBase(true), tabs_(std::move(tabs)), onClick_(std::move(onClick)) {}

TabStrip* TabStrip::create(HINSTANCE instance, HWND parent, int id, RECT bounds,
                           std::vector<std::wstring> tabs, ClickHandler onClick) {
  registerClass(instance, kClassName);
  auto* strip = new TabStrip(std::move(tabs), std::move(onClick));
  HWND w = strip->createWindow(instance, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, bounds, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  if (!w) {
    delete strip;
    return nullptr;
  }
  return strip;
}

int TabStrip::tabAt(int x) const {
  int i = x / kTabWidth;
  return (x >= 0 && i < static_cast<int>(tabs_.size())) ? i : -1;
}

void TabStrip::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  RECT client;
  GetClientRect(hwnd(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  HFONT old = static_cast<HFONT>(SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT)));
  SetBkMode(dc, TRANSPARENT);
  for (size_t i = 0; i < tabs_.size(); ++i) {
    RECT r{static_cast<LONG>(i) * kTabWidth, i == static_cast<size_t>(selected_) ? 0 : 3,
           static_cast<LONG>(i + 1) * kTabWidth - 2, client.bottom};
    FillRect(dc, &r,
             GetSysColorBrush(i == static_cast<size_t>(selected_) ? COLOR_WINDOW : COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
    DrawTextW(dc, tabs_[i].c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  SelectObject(dc, old);
  EndPaint(hwnd(), &ps);
}

LRESULT TabStrip::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      paint();
      return 0;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      return 0;
    case WM_LBUTTONUP: {
      if (!pressed_) return 0;
      pressed_ = false;
      int x = GET_X_LPARAM(lParam);
      int y = GET_Y_LPARAM(lParam);
      int tab = tabAt(x);
      if (tab >= 0 && tab != selected_) {
        selected_ = tab;
        InvalidateRect(hwnd(), nullptr, TRUE);
      }
      if (onClick_) onClick_(x, y);
      return 0;
    }
    default:
      return defaultHandle(msg, wParam, lParam);
  }
}

}  // namespace standin
