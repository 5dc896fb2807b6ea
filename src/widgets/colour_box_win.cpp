// Owner-drawn colour drop-down: swatch and name of each palette colour.
#include "widgets/colour_box_win.h"

#include <string>
#include <vector>

#include "widgets/controls.h"

namespace widgets {

HWND ColourBoxPainter::create(HWND parent, int x, int y, int width, int height, HFONT font) {
  HWND w = CreateWindowExW(
      0, L"COMBOBOX", L"",
      WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
      x, y, width, height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (w && font) SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // the drop-down list is wider than the cell so that the names can be read
  SendMessageW(w, CB_SETDROPPEDWIDTH, 150, 0);
  return w;
}

void ColourBoxPainter::measure(MEASUREITEMSTRUCT* mis) { mis->itemHeight = 16; }

void ColourBoxPainter::draw(const DRAWITEMSTRUCT* dis) {
  HDC dc = dis->hDC;
  RECT rc = dis->rcItem;
  bool selected = (dis->itemState & ODS_SELECTED) != 0;
  bool inEdit = (dis->itemState & ODS_COMBOBOXEDIT) != 0;
  FillRect(dc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (dis->itemID == static_cast<UINT>(-1)) return;
  const auto& palette = layerPalette();
  if (dis->itemID >= palette.size()) return;
  uint32_t rgb = palette[dis->itemID].rgb;
  RECT swatch = rc;
  InflateRect(&swatch, -2, -2);
  if (!inEdit || rc.right - rc.left > 60) swatch.right = swatch.left + 22;
  HBRUSH brush = CreateSolidBrush(RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
  FillRect(dc, &swatch, brush);
  DeleteObject(brush);
  FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (swatch.right < rc.right - 8) {
    RECT text = rc;
    text.left = swatch.right + 4;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    std::wstring name = palette[dis->itemID].name;
    DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  }
  if (dis->itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

}  // namespace widgets
