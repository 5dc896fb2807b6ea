// The grid window: shows a GridModel with a header row and a fixed column,
// text cells, cell background colours, both scroll bars, and real Windows
// controls embedded over their cells (check boxes, drop-downs, colour
// boxes) that other programs can read and click. The operator drags rows by
// their fixed cell, resizes columns and rows at the header's and the fixed
// column's cell borders, and works the controls with mouse and keyboard
// (Tab between controls, Alt+Up / Alt+Down moves the focused row).
#pragma once

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "widgets/embedded_control_win.h"
#include "widgets/grid_drag.h"
#include "widgets/grid_model.h"
#include "widgets/window_win.h"

namespace widgets {

// Window classes of the grid; the Wine tests' table reader finds the grid
// and its embedded controls by them.
inline constexpr wchar_t kGridClass[] = L"TavrolinGrid";
inline constexpr wchar_t kGridBodyClass[] = L"TavrolinGridBody";
// Window properties for the same reader: the model row of each embedded
// control, and a mark on the grid while a change of the model is not yet
// shown.
inline constexpr wchar_t kGridRowProperty[] = L"TavrolinGridRow";
inline constexpr wchar_t kGridPendingProperty[] = L"TavrolinGridPending";

class GridWindow : public Window {
 public:
  bool create(HWND parent, int id, GridModel* model);
  // Places the embedded controls and repaints; called when the model says it
  // changed (coalesced into one pass per burst of changes).
  void refresh();
  // The grid row of a real control, or -1.
  int rowOfRealControl(HWND control) const;
  // Detaches from every control object and destroys the real controls.
  void releaseControls();
  // Time of the first paint after the last refresh request, for benchmarks.
  DWORD lastPaintTick() const { return lastPaintTick_; }

 protected:
  bool onSize(int width, int height) override;
  void onPaint(HDC dc) override;
  void onDestroy() override;
  LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // The scrolled part of the grid below the header and right of the fixed
  // column; the embedded controls are its children, so it clips them.
  class Body : public Window {
   public:
    explicit Body(GridWindow& grid) : grid_(grid) {}
    bool create(HWND parent);

   protected:
    bool onCommand(int id, int code, HWND control) override;
    void onPaint(HDC dc) override;
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

   private:
    GridWindow& grid_;
  };

  void scheduleRefresh();
  std::vector<intptr_t> currentShape() const;
  void syncControls();
  void embed(Control* control, int col);
  void placeControls();
  void updateScrollBars();
  void paintHeader(HDC dc, int fixedWidth, int headerHeight, int right);
  void paintFixedColumn(HDC dc, int fixedWidth, int headerHeight, int bottom);
  void paintBody(HDC dc);
  void paintCells(HDC dc, const RECT& client);
  int colLeft(int col) const;  // client x of a column's left edge
  int rowTop(int row) const;   // client y of a row's top edge
  int hitRow(int y) const;
  int colBorderAt(int x) const;  // column whose right border is near x, or -1
  int rowBorderAt(int y) const;
  int fixedWidth() const;
  int headerHeight() const;
  void scrollTo(int hpos, int vpos);
  void onScroll(int bar, int code);
  bool onKey(WPARAM key);
  bool onSetCursor();
  void onMouseDown(int x, int y);
  void onMouseMove(int x, int y);
  void onMouseUp(bool released);
  // Moves a body row to another place (rows from 1), as the model does, and
  // places the controls again; the mouse drag and Alt+Up/Down both come here.
  void moveRow(int from, int to);
  void moveRowOf(HWND control, int delta);
  static LRESULT CALLBACK controlProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                      DWORD_PTR ref);
  void onControlCommand(HWND control, int code);
  LRESULT cellColourBrush(HWND control);
  void ensureVisible(HWND control);
  void layoutBody();
  HBRUSH brushFor(uint32_t rgb);

  Body body_{*this};
  std::map<uint32_t, HBRUSH> brushes_;
  GridModel* model_ = nullptr;
  std::map<const Control*, std::unique_ptr<EmbeddedControl>> embedded_;
  std::map<HWND, EmbeddedControl*> byHwnd_;
  std::map<HWND, std::pair<int, int>> cellOf_;  // column and row of each placed control
  int hpos_ = 0;  // first scrolled column (after the fixed one), in pixels
  int vpos_ = 0;  // first scrolled row (after the header), in pixels
  bool refreshPending_ = false;
  std::vector<intptr_t> shape_;  // what the controls were last placed for
  DWORD lastPaintTick_ = 0;
  GridDrag drag_;
};

}  // namespace widgets
