// Draws the banner and the about picture: a piece of circuit board (green
// laminate, copper tracks, pads and a via) with the program's name.
#include "tavrolin/artwork_win.h"

namespace app {
namespace {

void gradient(HDC dc, int width, int height, COLORREF top, COLORREF bottom) {
  for (int y = 0; y < height; ++y) {
    int r =
        GetRValue(top) + (GetRValue(bottom) - GetRValue(top)) * y / (height > 1 ? height - 1 : 1);
    int g =
        GetGValue(top) + (GetGValue(bottom) - GetGValue(top)) * y / (height > 1 ? height - 1 : 1);
    int b =
        GetBValue(top) + (GetBValue(bottom) - GetBValue(top)) * y / (height > 1 ? height - 1 : 1);
    HBRUSH brush = CreateSolidBrush(RGB(r, g, b));
    RECT line{0, y, width, y + 1};
    FillRect(dc, &line, brush);
    DeleteObject(brush);
  }
}

// Copper tracks with round pads, scaled to the picture.
void board(HDC dc, int width, int height) {
  HPEN track = CreatePen(PS_SOLID, height > 60 ? 4 : 3, RGB(200, 150, 60));
  HBRUSH pad = CreateSolidBrush(RGB(225, 180, 80));
  HPEN padEdge = CreatePen(PS_SOLID, 1, RGB(150, 100, 30));
  HGDIOBJ oldPen = SelectObject(dc, track);
  auto line = [&](int x1, int y1, int x2, int y2, int x3, int y3) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    LineTo(dc, x3, y3);
  };
  int u = height / 8;
  line(width - 12 * u, height - u, width - 9 * u, height - 4 * u, width - u, height - 4 * u);
  line(width - 14 * u, u, width - 10 * u, 3 * u, width - 2 * u, 3 * u);
  line(width - 6 * u, height, width - 6 * u, height - 2 * u, width - 3 * u, height - 2 * u);
  SelectObject(dc, padEdge);
  HGDIOBJ oldBrush = SelectObject(dc, pad);
  int r = u > 3 ? u - 1 : 2;
  const int pads[][2] = {{width - u, height - 4 * u},
                         {width - 2 * u, 3 * u},
                         {width - 3 * u, height - 2 * u},
                         {width - 14 * u, u}};
  for (const auto& p : pads) Ellipse(dc, p[0] - r, p[1] - r, p[0] + r, p[1] + r);
  HBRUSH hole = CreateSolidBrush(RGB(20, 40, 25));
  SelectObject(dc, hole);
  for (const auto& p : pads) Ellipse(dc, p[0] - r / 2, p[1] - r / 2, p[0] + r / 2, p[1] + r / 2);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(hole);
  DeleteObject(track);
  DeleteObject(pad);
  DeleteObject(padEdge);
}

void text(HDC dc, const wchar_t* s, int x, int y, int size, int weight, COLORREF colour) {
  HFONT font =
      CreateFontW(-size, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  TextOutW(dc, x, y, s, lstrlenW(s));
  SelectObject(dc, old);
  DeleteObject(font);
}

}  // namespace

void drawBanner(HDC dc, int width, int height) {
  gradient(dc, width, height, RGB(20, 90, 50), RGB(8, 45, 25));
  board(dc, width, height);
  text(dc, L"TAVROLIN", 8, height / 2 - 20, 22, FW_BOLD, RGB(240, 240, 220));
  text(dc, L"Gerber \x00B7 N/C Drill", 9, height / 2 + 6, 11, FW_NORMAL, RGB(190, 220, 190));
}

void drawAboutPicture(HDC dc, int width, int height) {
  gradient(dc, width, height, RGB(24, 100, 56), RGB(6, 40, 22));
  board(dc, width, height);
  text(dc, L"TAVROLIN", 14, 10, 30, FW_BOLD, RGB(245, 245, 225));
  text(dc, L"Gerber- \x0438 N/C Drill-\x0444\x0430\x0439\x043B\x044B", 16, 46, 12, FW_NORMAL,
       RGB(195, 225, 195));
}

}  // namespace app
