// The grid window: shows a GridModel with a header row and a fixed column,
// text cells, cell background colours, both scroll bars, and real Windows
// controls embedded over their cells (check boxes, drop-downs, colour
// boxes) that other programs can read and click. The operator drags rows by
// their fixed cell, resizes columns and rows at the header's and the fixed
// column's cell borders, and works the controls with mouse and keyboard
// (Tab between controls, Alt+Up / Alt+Down moves the focused row).
#pragma once

#include <map>
#include <vector>

#include "widgets/colour_box_win.h"
#include "widgets/grid_model.h"
#include "widgets/window_win.h"

namespace widgets {

class GridWindow : public Window {
 public:
  bool create(HWND parent, int id, GridModel* model);
  // Places the embedded controls and repaints; called when the model says it
  // changed (coalesced into one pass per burst of changes).
  void refresh();
  // Real control shown for a control object, or null.
  HWND realControl(const Control* control) const;
  // The grid row of a real control, or -1.
  int rowOfRealControl(HWND control) const;
  // Detaches from every control object and destroys the real controls.
  void releaseControls();
  // Time of the first paint after the last refresh request, for benchmarks.
  DWORD lastPaintTick() const { return lastPaintTick_; }

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  struct Real {
    HWND hwnd = nullptr;
    Control* control = nullptr;
  };

  void scheduleRefresh();
  void syncControls();
  HWND makeReal(Control* control);
  void updateReal(const Real& real);
  void placeControls();
  void updateScrollBars();
  void paint(HDC dc);
  int colLeft(int col) const;   // client x of a column's left edge
  int rowTop(int row) const;    // client y of a row's top edge
  int hitCol(int x) const;
  int hitRow(int y) const;
  int colBorderAt(int x) const;  // column whose right border is near x, or -1
  int rowBorderAt(int y) const;
  void scrollTo(int hpos, int vpos);
  void onScroll(int bar, int code);
  void onCommand(HWND control, int code);
  // Moves a body row to another place (rows from 1), as the model does, and
  // places the controls again; the mouse drag and Alt+Up/Down both come here.
  void moveRow(int from, int to);
  void moveRowOf(HWND control, int delta);
  static LRESULT CALLBACK controlProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                      DWORD_PTR ref);

  // The scrolled part of the grid below the header and right of the fixed
  // column; the embedded controls are its children, so it clips them.
  class Body : public Window {
   public:
    explicit Body(GridWindow& grid) : grid_(grid) {}
    bool create(HWND parent);

   protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

   private:
    GridWindow& grid_;
  };
  friend class Body;
  LRESULT bodyMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled);
  void paintBody(HDC dc);
  void layoutBody();
  void ensureVisible(HWND control);
  HBRUSH brushFor(uint32_t rgb);

  Body body_{*this};
  std::map<uint32_t, HBRUSH> brushes_;
  GridModel* model_ = nullptr;
  std::map<const Control*, Real> reals_;
  std::map<HWND, Control*> byHwnd_;
  std::map<HWND, std::pair<int, int>> cellOf_;  // column and row of each placed control
  int hpos_ = 0;  // first scrolled column (after the fixed one), in pixels
  int vpos_ = 0;  // first scrolled row (after the header), in pixels
  bool refreshPending_ = false;
  std::vector<intptr_t> shape_;  // what the controls were last placed for
  DWORD lastPaintTick_ = 0;
  ColourBoxPainter colourPainter_;

  enum class Drag { None, Row, ColSize, RowSize } drag_ = Drag::None;
  int dragIndex_ = -1;
  int dragStart_ = 0;
  int dragOrigSize_ = 0;
  int dropRow_ = -1;
};

}  // namespace widgets
