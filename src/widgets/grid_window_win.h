// The grid window: shows a GridModel with a header row and a fixed column,
// text cells, cell background colours, both scroll bars, and real Windows
// controls embedded over their cells (check boxes, drop-downs, colour
// boxes) that other programs can read and click. Real controls exist only
// for the rows in view and a few rows around them; when the grid scrolls or
// resizes, those of rows that leave are bound to the rows that come, so the
// number of windows follows the view, not the model. Every other cell draws
// its control's look in place. The operator drags rows by their fixed cell,
// resizes columns and rows at the header's and the fixed column's cell
// borders, and works the controls with mouse and keyboard (Tab between
// controls, Alt+Up / Alt+Down moves the focused row). Other programs read
// the model through the grid's own messages (see below).
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

// Messages the grid window answers, for programs that read the table
// without pointers. Rows count from 0 at the first row under the header;
// columns are the IDs the grid gives its real controls.
// The number of rows under the header.
inline constexpr UINT kGridMsgRowCount = WM_USER + 100;
// wParam row, lParam column: 1 when the cell's check box is ticked, 0 when
// not, -1 when the cell holds none.
inline constexpr UINT kGridMsgCheckState = WM_USER + 101;
// wParam row, lParam column: the selected entry of the cell's drop-down or
// colour box, -1 for none or when the cell holds neither.
inline constexpr UINT kGridMsgSelectedItem = WM_USER + 102;
// wParam row: scrolls that row into view; 1, or 0 for a row that does not
// exist.
inline constexpr UINT kGridMsgShowRow = WM_USER + 103;

class GridWindow : public Window {
 public:
  bool create(HWND parent, int id, GridModel* model);
  // Places the embedded controls and repaints; called when the model says it
  // changed (coalesced into one pass per burst of changes).
  void refresh();
  // The grid row of a real control, or -1.
  int rowOfRealControl(HWND control) const;
  // Destroys the real controls and stops following the model.
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
  // Lays out the body when the model's shape changed; the controls are then
  // placed again at the end of the refresh.
  void layoutForChanges();
  std::vector<intptr_t> currentShape() const;
  // Binds real controls to the objects of the rows in view and around
  // them, returns the others to the spares, and places them all.
  void placeControls();
  void releaseReal(EmbeddedControl* real);
  void hideSpares();
  EmbeddedControl* bindReal(Control* control);
  void restoreFocus();
  // First and last row (from 1) in view; first > last when none is.
  std::pair<int, int> rowsInView() const;
  std::pair<int, int> cellOfObject(const Control* control) const;
  // The next control object a Tab (or Shift+Tab) from a real control goes
  // to, in row order, or null at the end of the table.
  Control* nextTabControl(HWND from, bool back) const;
  // Scrolls the object's row into view and gives its real control the focus.
  void focusControl(Control* control);
  void scrollRowIntoView(int row);
  Control* objectAt(WPARAM row, LPARAM col) const;
  LRESULT answerQuery(UINT msg, WPARAM wp, LPARAM lp);
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
  std::map<HWND, std::shared_ptr<EmbeddedControl>> byHwnd_;  // every real control made
  std::map<ControlKind, std::vector<std::shared_ptr<EmbeddedControl>>> spares_;  // unbound, hidden
  std::map<const Control*, EmbeddedControl*> bound_;
  std::map<HWND, std::pair<int, int>> cellOf_;  // column and row of each placed control
  // The object whose real control had the focus when its row left the
  // view; the grid holds the focus until the row returns.
  const Control* focusKeeper_ = nullptr;
  int hpos_ = 0;  // first scrolled column (after the fixed one), in pixels
  int vpos_ = 0;  // first scrolled row (after the header), in pixels
  bool refreshPending_ = false;
  bool controlsStale_ = false;   // the shape changed since the controls were placed
  std::vector<intptr_t> shape_;  // what the controls were last placed for
  DWORD lastPaintTick_ = 0;
  GridDrag drag_;
};

}  // namespace widgets
