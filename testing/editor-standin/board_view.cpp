// Board plan and layer panel drawing with GDI.
#include "board_view.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace standin {

namespace {

constexpr int kPanelWidth = 300;
constexpr int kLineHeight = 16;
constexpr COLORREF kLayerColours[] = {RGB(220, 40, 40),  RGB(40, 90, 220),  RGB(40, 170, 60),
                                      RGB(200, 140, 20), RGB(160, 40, 180), RGB(20, 160, 170),
                                      RGB(120, 120, 0),  RGB(200, 80, 120)};

COLORREF layerColour(int layer) {
  return kLayerColours[static_cast<size_t>(layer) %
                       (sizeof kLayerColours / sizeof kLayerColours[0])];
}

// Maps board millimetres (y up) into a device rectangle.
class PlanMapping {
 public:
  PlanMapping(const Board& board, const RECT& area) {
    double minX = 0, minY = 0, maxX = 1, maxY = 1;
    bool first = true;
    auto take = [&](const Point& p) {
      if (first) {
        minX = maxX = p.x;
        minY = maxY = p.y;
        first = false;
      }
      minX = std::min(minX, p.x);
      maxX = std::max(maxX, p.x);
      minY = std::min(minY, p.y);
      maxY = std::max(maxY, p.y);
    };
    for (const Point& p : board.outline) take(p);
    for (const Pad& p : board.pads) take(p.at);
    for (const Via& v : board.vias) take(v.at);
    for (const Track& t : board.tracks) {
      for (const Point& p : t.points) take(p);
    }
    double w = std::max(maxX - minX, 1.0);
    double h = std::max(maxY - minY, 1.0);
    double sx = (area.right - area.left - 40) / w;
    double sy = (area.bottom - area.top - 40) / h;
    scale_ = std::max(std::min(sx, sy), 0.1);
    originX_ = area.left + 20 - minX * scale_;
    originY_ = area.top + 20 + maxY * scale_;
  }
  POINT map(const Point& p) const {
    return {static_cast<LONG>(std::lround(originX_ + p.x * scale_)),
            static_cast<LONG>(std::lround(originY_ - p.y * scale_))};
  }
  int size(double mm) const { return std::max(1, static_cast<int>(std::lround(mm * scale_))); }

 private:
  double scale_ = 1;
  double originX_ = 0;
  double originY_ = 0;
};

void drawPanel(HDC dc, const RECT& area, const Board& board) {
  SetBkMode(dc, TRANSPARENT);
  int y = area.top + 8;
  auto line = [&](const std::wstring& text, COLORREF colour) {
    SetTextColor(dc, colour);
    RECT r{area.left + 8, y, area.right - 4, y + kLineHeight};
    DrawTextW(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    y += kLineHeight;
  };
  line(L"Design: " + board.fileName, RGB(0, 0, 0));
  line(L"Directory: " + board.designDir, RGB(0, 0, 0));
  line(L"Solder mask swell: " + board.params.solderMaskSwell, RGB(60, 60, 60));
  line(L"Plane swell: " + board.params.planeSwell, RGB(60, 60, 60));
  line(L"Draw aperture: " + board.params.drawAperture, RGB(60, 60, 60));
  y += kLineHeight / 2;
  line(L"Layers (" + std::to_wstring(board.layers.size()) + L"):", RGB(0, 0, 0));
  for (size_t i = 0; i < board.layers.size() && y < area.bottom - kLineHeight; ++i) {
    line(L"  " + board.layers[i].name + L"   [" + board.layers[i].type + L"]",
         layerColour(static_cast<int>(i)));
  }
}

// The outline and the tracks, as lines in the layers' colours.
void drawLines(HDC dc, const PlanMapping& m, const Board& board) {
  if (board.outline.size() >= 3) {
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(230, 230, 120));
    HGDIOBJ old = SelectObject(dc, pen);
    std::vector<POINT> pts;
    for (const Point& p : board.outline) pts.push_back(m.map(p));
    Polygon(dc, pts.data(), static_cast<int>(pts.size()));
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  for (const Track& t : board.tracks) {
    HPEN pen = CreatePen(PS_SOLID, m.size(t.width), layerColour(t.layer));
    HGDIOBJ old = SelectObject(dc, pen);
    std::vector<POINT> pts;
    for (const Point& p : t.points) pts.push_back(m.map(p));
    Polyline(dc, pts.data(), static_cast<int>(pts.size()));
    SelectObject(dc, old);
    DeleteObject(pen);
  }
}

// Pads and vias in grey with their holes in black, and the mounting holes;
// the brush selected is the caller's to restore.
void drawCopperAndHoles(HDC dc, const PlanMapping& m, const Board& board, HBRUSH padBrush) {
  SelectObject(dc, padBrush);
  SelectObject(dc, GetStockObject(NULL_PEN));
  for (const Pad& p : board.pads) {
    POINT c = m.map(p.at);
    int hw = m.size(p.width) / 2 + 1;
    int hh = m.size(p.height) / 2 + 1;
    if (p.shape == PadShape::Rect) {
      Rectangle(dc, c.x - hw, c.y - hh, c.x + hw, c.y + hh);
    } else if (p.shape == PadShape::Oval) {
      RoundRect(dc, c.x - hw, c.y - hh, c.x + hw, c.y + hh, 2 * std::min(hw, hh),
                2 * std::min(hw, hh));
    } else {
      Ellipse(dc, c.x - hw, c.y - hh, c.x + hw, c.y + hh);
    }
  }
  for (const Via& v : board.vias) {
    POINT c = m.map(v.at);
    int r = m.size(v.diameter) / 2 + 1;
    Ellipse(dc, c.x - r, c.y - r, c.x + r, c.y + r);
  }
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  auto drill = [&](const Point& at, double diameter) {
    POINT c = m.map(at);
    int r = m.size(diameter) / 2;
    Ellipse(dc, c.x - r, c.y - r, c.x + r, c.y + r);
  };
  for (const Pad& p : board.pads) {
    if (p.hole > 0) drill(p.at, p.hole);
  }
  for (const Via& v : board.vias) drill(v.at, v.hole);
  for (const Hole& h : board.holes) drill(h.at, h.diameter);
}

void drawPlan(HDC dc, const RECT& area, const Board& board) {
  HBRUSH back = CreateSolidBrush(RGB(16, 16, 24));
  FillRect(dc, &area, back);
  DeleteObject(back);
  PlanMapping m(board, area);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  drawLines(dc, m, board);
  HBRUSH padBrush = CreateSolidBrush(RGB(200, 200, 200));
  drawCopperAndHoles(dc, m, board, padBrush);
  SelectObject(dc, oldBrush);
  DeleteObject(padBrush);

  SetBkMode(dc, TRANSPARENT);
  for (const Text& t : board.texts) {
    SetTextColor(dc, layerColour(t.layer));
    POINT c = m.map(t.at);
    TextOutW(dc, c.x, c.y - m.size(t.height), t.string.c_str(), static_cast<int>(t.string.size()));
  }
}

}  // namespace

void paintBoard(HDC dc, const RECT& area, const Board& board) {
  RECT panel{area.left, area.top, std::min<LONG>(area.left + kPanelWidth, area.right), area.bottom};
  FillRect(dc, &panel, GetSysColorBrush(COLOR_WINDOW));
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  drawPanel(dc, panel, board);
  SelectObject(dc, oldFont);
  RECT plan{panel.right, area.top, area.right, area.bottom};
  if (plan.right > plan.left) drawPlan(dc, plan, board);
}

}  // namespace standin
