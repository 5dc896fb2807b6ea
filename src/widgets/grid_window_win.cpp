// The grid window: drawing, scrolling, real controls for the rows in view,
// row dragging, column and row resizing, keyboard moves, the messages that
// read the table.
#include "widgets/grid_window_win.h"

#include <commctrl.h>

#include <algorithm>

#include "widgets/colour_box_win.h"
#include "widgets/dpi_win.h"

namespace widgets {
namespace {

constexpr UINT kMsgRefresh = WM_APP + 17;
constexpr int kBorderGrip = 3;  // pixels either side of a border that grip it
// Rows above and below the view that keep real controls, so that Tab and a
// short scroll find them made.
constexpr int kMarginRows = 2;
const COLORREF kLineColour = RGB(192, 192, 192);

COLORREF toColorRef(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// Objects that have a real control (text cells draw their text instead).
bool hasRealControl(const Control* control) {
  return control && control->kind() != ControlKind::Text;
}

bool isEnabled(const Control& control) {
  switch (control.kind()) {
    case ControlKind::CheckBox:
      return static_cast<const CheckBox&>(control).enabled;
    case ControlKind::DropDown:
    case ControlKind::ColourBox:
      return static_cast<const DropDown&>(control).enabled;
    case ControlKind::Text:
      break;
  }
  return false;
}

}  // namespace

bool GridWindow::create(HWND parent, int id, GridModel* model) {
  model_ = model;
  model_->setScreenDpi(screenDpi());
  if (!createWindow(kGridClass, L"",
                    WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN | WS_TABSTOP,
                    WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT, 0, 0, 100, 100, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                    reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1))) {
    return false;
  }
  body_.create(hwnd());
  model_->onChanged = [this] { scheduleRefresh(); };
  scheduleRefresh();
  return true;
}

void GridWindow::scheduleRefresh() {
  if (refreshPending_ || !hwnd()) return;
  refreshPending_ = true;
  SetPropW(hwnd(), kGridPendingProperty, reinterpret_cast<HANDLE>(1));
  PostMessageW(hwnd(), kMsgRefresh, 0, 0);
}

void GridWindow::refresh() {
  refreshPending_ = false;
  // cleared at the end of this pass, once the controls stand where they show
  struct ClearPending {
    HWND grid;
    ~ClearPending() { RemovePropW(grid, kGridPendingProperty); }
  } clearPending{hwnd()};
  if (!model_) return;
  layoutForChanges();
  // The header, the fixed column and the cells with the look of every
  // control are painted in one pass first; the real controls then come
  // over their looks, so that the table never shows in parts.
  RedrawWindow(hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  if (controlsStale_) {
    controlsStale_ = false;
    placeControls();
  }
}

void GridWindow::layoutForChanges() {
  // Texts and colours only repaint; controls are placed again only when the
  // grid's shape or the controls in its cells changed.
  std::vector<intptr_t> shape = currentShape();
  if (shape == shape_) return;
  shape_ = std::move(shape);
  layoutBody();
  updateScrollBars();
  controlsStale_ = true;
}

std::vector<intptr_t> GridWindow::currentShape() const {
  std::vector<intptr_t> shape{model_->colCount(), model_->rowCount()};
  for (int c = 0; c < model_->colCount(); ++c) shape.push_back(model_->colWidth(c));
  for (int r = 0; r < model_->rowCount(); ++r) {
    shape.push_back(model_->rowHeight(r));
    for (int c = 0; c < model_->colCount(); ++c) {
      shape.push_back(reinterpret_cast<intptr_t>(model_->control(c, r)));
    }
  }
  return shape;
}

int GridWindow::rowOfRealControl(HWND control) const {
  auto it = cellOf_.find(control);
  return it == cellOf_.end() ? -1 : it->second.second;
}

void GridWindow::releaseControls() {
  // The objects keep their view callbacks; they find no real control any
  // more and do nothing.
  for (const auto& [w, real] : byHwnd_) RemovePropW(w, kGridRowProperty);
  if (hwnd()) RemovePropW(hwnd(), kGridPendingProperty);
  bound_.clear();
  spares_.clear();
  cellOf_.clear();
  focusKeeper_ = nullptr;
  byHwnd_.clear();
  if (model_) model_->onChanged = nullptr;
  for (auto& [rgb, brush] : brushes_) DeleteObject(brush);
  brushes_.clear();
}

EmbeddedControl* GridWindow::bindReal(Control* control) {
  std::vector<std::shared_ptr<EmbeddedControl>>& spares = spares_[control->kind()];
  std::shared_ptr<EmbeddedControl> real;
  if (!spares.empty()) {
    real = std::move(spares.back());
    spares.pop_back();
  } else {
    real = EmbeddedControl::create(control->kind(), body_.hwnd());
    if (!real) return nullptr;
    SetWindowSubclass(real->hwnd(), controlProc, 1, reinterpret_cast<DWORD_PTR>(this));
    byHwnd_[real->hwnd()] = real;
  }
  // An object that is no longer shown by this real control (or whose real
  // control is gone) changes nothing on the screen.
  control->onViewUpdate = [weak = std::weak_ptr<EmbeddedControl>(real), control] {
    if (auto shown = weak.lock(); shown && shown->control() == control) shown->update();
  };
  real->bind(control);
  bound_[control] = real.get();
  return real.get();
}

void GridWindow::releaseReal(EmbeddedControl* real) {
  real->close();
  if (GetFocus() == real->hwnd()) {
    focusKeeper_ = real->control();
    SetFocus(hwnd());
  }
  // hidden only if no row that comes takes it (see hideSpares)
  real->bind(nullptr);
  spares_[real->kind()].push_back(byHwnd_[real->hwnd()]);
}

void GridWindow::hideSpares() {
  for (auto& [kind, spares] : spares_) {
    for (const auto& spare : spares) {
      if (!IsWindowVisible(spare->hwnd())) continue;
      RemovePropW(spare->hwnd(), kGridRowProperty);
      SetWindowLongPtrW(spare->hwnd(), GWLP_ID, 0);
      ShowWindow(spare->hwnd(), SW_HIDE);
    }
  }
}

void GridWindow::layoutBody() {
  RECT rc;
  GetClientRect(hwnd(), &rc);
  int x = model_->colCount() > 0 ? model_->colWidth(0) : 0;
  int y = model_->rowCount() > 0 ? model_->rowHeight(0) : 0;
  MoveWindow(body_.hwnd(), x, y, std::max<int>(0, rc.right - x), std::max<int>(0, rc.bottom - y),
             TRUE);
}

int GridWindow::colLeft(int col) const {
  int x = -hpos_;
  for (int c = 1; c < col; ++c) x += model_->colWidth(c);
  return x;
}

int GridWindow::rowTop(int row) const {
  int y = -vpos_;
  for (int r = 1; r < row; ++r) y += model_->rowHeight(r);
  return y;
}

int GridWindow::hitRow(int y) const {
  int top = -vpos_;
  for (int r = 1; r < model_->rowCount(); ++r) {
    int hgt = model_->rowHeight(r);
    if (y >= top && y < top + hgt) return r;
    top += hgt;
  }
  return -1;
}

int GridWindow::colBorderAt(int x) const {
  // x is in outer client coordinates, on the header row
  int w0 = model_->colCount() > 0 ? model_->colWidth(0) : 0;
  if (std::abs(x - w0) <= kBorderGrip) return 0;
  int right = w0 - hpos_;
  for (int c = 1; c < model_->colCount(); ++c) {
    right += model_->colWidth(c);
    if (right > w0 && std::abs(x - right) <= kBorderGrip) return c;
  }
  return -1;
}

int GridWindow::rowBorderAt(int y) const {
  int h0 = model_->rowCount() > 0 ? model_->rowHeight(0) : 0;
  if (std::abs(y - h0) <= kBorderGrip) return 0;
  int bottom = h0 - vpos_;
  for (int r = 1; r < model_->rowCount(); ++r) {
    bottom += model_->rowHeight(r);
    if (bottom > h0 && std::abs(y - bottom) <= kBorderGrip) return r;
  }
  return -1;
}

std::pair<int, int> GridWindow::rowsInView() const {
  RECT rc;
  GetClientRect(body_.hwnd(), &rc);
  if (rc.bottom <= 0 || rc.right <= 0 || model_->rowCount() < 2) return {1, 0};
  const int first = hitRow(0);
  if (first < 1) return {1, 0};
  const int last = hitRow(rc.bottom - 1);
  return {first, last < 1 ? model_->rowCount() - 1 : last};
}

void GridWindow::placeControls() {
  auto [first, last] = rowsInView();
  if (first <= last) {
    first = std::max(1, first - kMarginRows);
    last = std::min(model_->rowCount() - 1, last + kMarginRows);
  }
  std::map<const Control*, std::pair<int, int>> wanted;
  for (int r = first; r <= last; ++r) {
    for (int c = 1; c < model_->colCount(); ++c) {
      const Control* control = model_->control(c, r);
      if (hasRealControl(control)) wanted.emplace(control, std::pair{c, r});
    }
  }
  // real controls of rows that left go back to the spares first, so that
  // the rows that came take them
  for (auto it = bound_.begin(); it != bound_.end();) {
    if (wanted.count(it->first)) {
      ++it;
      continue;
    }
    releaseReal(it->second);
    it = bound_.erase(it);
  }
  cellOf_.clear();
  HDWP batch = BeginDeferWindowPos(static_cast<int>(wanted.size()) + 1);
  HWND after = HWND_TOP;  // Tab follows the rows: the windows stand in row order
  for (int r = first; r <= last; ++r) {
    for (int c = 1; c < model_->colCount(); ++c) {
      Control* control = model_->control(c, r);
      auto want = wanted.find(control);
      if (want == wanted.end() || want->second != std::pair{c, r}) continue;
      auto found = bound_.find(control);
      EmbeddedControl* real = found != bound_.end() ? found->second : bindReal(control);
      if (!real) continue;
      RECT at = real->placeIn(colLeft(c), rowTop(r), model_->colWidth(c), model_->rowHeight(r));
      batch =
          DeferWindowPos(batch, real->hwnd(), after, at.left, at.top, std::max<int>(at.right, 1),
                         std::max<int>(at.bottom, 1), SWP_NOACTIVATE | SWP_SHOWWINDOW);
      after = real->hwnd();
      cellOf_[real->hwnd()] = {c, r};
      if (GetWindowLongPtrW(real->hwnd(), GWLP_ID) != c)
        SetWindowLongPtrW(real->hwnd(), GWLP_ID, c);
      SetPropW(real->hwnd(), kGridRowProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(r)));
    }
  }
  EndDeferWindowPos(batch);
  hideSpares();
  restoreFocus();
}

void GridWindow::restoreFocus() {
  if (!focusKeeper_ || GetFocus() != hwnd()) return;
  auto found = bound_.find(focusKeeper_);
  if (found == bound_.end()) return;
  const int row = rowOfRealControl(found->second->hwnd());
  const auto [first, last] = rowsInView();
  if (row < first || row > last) return;
  focusKeeper_ = nullptr;
  SetFocus(found->second->hwnd());
}

void GridWindow::updateScrollBars() {
  RECT rc;
  GetClientRect(body_.hwnd(), &rc);
  int totalW = 0, totalH = 0;
  for (int c = 1; c < model_->colCount(); ++c) totalW += model_->colWidth(c);
  for (int r = 1; r < model_->rowCount(); ++r) totalH += model_->rowHeight(r);
  hpos_ = std::max(0, std::min(hpos_, totalW - static_cast<int>(rc.right)));
  vpos_ = std::max(0, std::min(vpos_, totalH - static_cast<int>(rc.bottom)));
  SCROLLINFO si{sizeof si,
                SIF_ALL | SIF_DISABLENOSCROLL,
                0,
                std::max(totalW - 1, 0),
                static_cast<UINT>(rc.right),
                hpos_,
                0};
  SetScrollInfo(hwnd(), SB_HORZ, &si, TRUE);
  si = SCROLLINFO{sizeof si,
                  SIF_ALL | SIF_DISABLENOSCROLL,
                  0,
                  std::max(totalH - 1, 0),
                  static_cast<UINT>(rc.bottom),
                  vpos_,
                  0};
  SetScrollInfo(hwnd(), SB_VERT, &si, TRUE);
}

void GridWindow::scrollTo(int hpos, int vpos) {
  int oldH = hpos_, oldV = vpos_;
  hpos_ = hpos;
  vpos_ = vpos;
  updateScrollBars();
  if (hpos_ == oldH && vpos_ == oldV) return;
  placeControls();
  InvalidateRect(hwnd(), nullptr, TRUE);
  InvalidateRect(body_.hwnd(), nullptr, TRUE);
}

void GridWindow::onScroll(int bar, int code) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(hwnd(), bar, &si);
  int pos = si.nPos;
  int line = bar == SB_VERT ? model_->defaultRowHeight : scaled(20);
  switch (code) {
    case SB_LINEUP:
      pos -= line;
      break;
    case SB_LINEDOWN:
      pos += line;
      break;
    case SB_PAGEUP:
      pos -= static_cast<int>(si.nPage);
      break;
    case SB_PAGEDOWN:
      pos += static_cast<int>(si.nPage);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      pos = si.nTrackPos;
      break;
    case SB_TOP:
      pos = 0;
      break;
    case SB_BOTTOM:
      pos = si.nMax;
      break;
    default:
      return;
  }
  if (bar == SB_VERT)
    scrollTo(hpos_, pos);
  else
    scrollTo(pos, vpos_);
}

void GridWindow::ensureVisible(HWND control) {
  RECT rc, body;
  GetWindowRect(control, &rc);
  MapWindowPoints(nullptr, body_.hwnd(), reinterpret_cast<POINT*>(&rc), 2);
  GetClientRect(body_.hwnd(), &body);
  int h = hpos_, v = vpos_;
  if (rc.top < 0)
    v += rc.top - 2;
  else if (rc.bottom > body.bottom && rc.bottom - rc.top < 40)
    v += rc.bottom - body.bottom + 2;
  if (rc.left < 0)
    h += rc.left - 2;
  else if (rc.right > body.right)
    h += std::min<int>(rc.right - body.right + 2, rc.left);
  if (h != hpos_ || v != vpos_) scrollTo(h, v);
}

HBRUSH GridWindow::brushFor(uint32_t rgb) {
  auto it = brushes_.find(rgb);
  if (it != brushes_.end()) return it->second;
  HBRUSH b = CreateSolidBrush(toColorRef(rgb));
  brushes_[rgb] = b;
  return b;
}

void GridWindow::onControlCommand(HWND control, int code) {
  auto it = byHwnd_.find(control);
  if (it != byHwnd_.end()) it->second->onNotification(code);
}

LRESULT GridWindow::cellColourBrush(HWND control) {
  // a check box takes its cell's colour, so that marks show around it
  auto it = cellOf_.find(control);
  if (it != cellOf_.end()) {
    if (auto colour = model_->cellColour(it->second.first, it->second.second)) {
      return reinterpret_cast<LRESULT>(brushFor(*colour));
    }
  }
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

void GridWindow::moveRow(int from, int to) {
  if (from < 1 || to < 1 || from == to || from >= model_->rowCount() || to >= model_->rowCount()) {
    return;
  }
  model_->moveRow(from, to);
  refresh();
}

void GridWindow::moveRowOf(HWND control, int delta) {
  auto real = byHwnd_.find(control);
  const int row = rowOfRealControl(control);
  if (real == byHwnd_.end() || !real->second->control() || row < 1) return;
  Control* object = real->second->control();
  moveRow(row, row + delta);
  if (cellOfObject(object).second != row + delta) return;
  focusControl(object);
}

std::pair<int, int> GridWindow::cellOfObject(const Control* control) const {
  for (int r = 1; r < model_->rowCount(); ++r) {
    for (int c = 1; c < model_->colCount(); ++c) {
      if (model_->control(c, r) == control) return {c, r};
    }
  }
  return {-1, -1};
}

Control* GridWindow::nextTabControl(HWND from, bool back) const {
  auto cell = cellOf_.find(from);
  if (cell == cellOf_.end()) return nullptr;
  const int cols = model_->colCount() - 1;  // the fixed column holds none
  if (cols <= 0) return nullptr;
  // cells numbered in row order, from 0 at the first row's first column
  const int last = (model_->rowCount() - 1) * cols - 1;
  int at = (cell->second.second - 1) * cols + (cell->second.first - 1);
  for (at += back ? -1 : 1; at >= 0 && at <= last; at += back ? -1 : 1) {
    Control* control = model_->control(at % cols + 1, at / cols + 1);
    if (hasRealControl(control) && isEnabled(*control)) return control;
  }
  return nullptr;
}

void GridWindow::focusControl(Control* control) {
  const int row = cellOfObject(control).second;
  if (row < 1) return;
  scrollRowIntoView(row);
  auto real = bound_.find(control);
  if (real == bound_.end()) {
    placeControls();
    real = bound_.find(control);
  }
  if (real != bound_.end()) SetFocus(real->second->hwnd());
}

void GridWindow::scrollRowIntoView(int row) {
  RECT body;
  GetClientRect(body_.hwnd(), &body);
  const int top = rowTop(row), bottom = top + model_->rowHeight(row);
  int v = vpos_;
  if (top < 0)
    v += top;
  else if (bottom > body.bottom)
    v += std::min<int>(bottom - body.bottom, top);
  scrollTo(hpos_, v);
}

Control* GridWindow::objectAt(WPARAM row, LPARAM col) const {
  if (row >= static_cast<WPARAM>(std::max(model_->rowCount() - 1, 0)) || col < 1 ||
      col >= model_->colCount()) {
    return nullptr;
  }
  return model_->control(static_cast<int>(col), static_cast<int>(row) + 1);
}

LRESULT GridWindow::answerQuery(UINT msg, WPARAM wp, LPARAM lp) {
  if (!model_) return msg == kGridMsgRowCount ? 0 : -1;
  switch (msg) {
    case kGridMsgRowCount:
      return std::max(model_->rowCount() - 1, 0);
    case kGridMsgCheckState: {
      const Control* control = objectAt(wp, lp);
      if (!control || control->kind() != ControlKind::CheckBox) return -1;
      return static_cast<const CheckBox*>(control)->checked() ? 1 : 0;
    }
    case kGridMsgSelectedItem: {
      const Control* control = objectAt(wp, lp);
      if (!control ||
          (control->kind() != ControlKind::DropDown && control->kind() != ControlKind::ColourBox)) {
        return -1;
      }
      return static_cast<const DropDown*>(control)->itemIndex();
    }
    case kGridMsgShowRow:
      if (wp >= static_cast<WPARAM>(std::max(model_->rowCount() - 1, 0))) return 0;
      if (refreshPending_) refresh();
      scrollRowIntoView(static_cast<int>(wp) + 1);
      return 1;
  }
  return 0;
}

LRESULT CALLBACK GridWindow::controlProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                         DWORD_PTR ref) {
  auto* self = reinterpret_cast<GridWindow*>(ref);
  switch (msg) {
    case WM_SYSKEYDOWN:
      if (wp == VK_UP || wp == VK_DOWN) {
        guarded(self->hwnd(), [&] { self->moveRowOf(w, wp == VK_UP ? -1 : 1); });
        return 0;
      }
      break;
    case WM_SETFOCUS:
      self->ensureVisible(w);
      break;
    case WM_GETDLGCODE: {
      // Tab and Shift+Tab go through every row, also those without a real
      // control yet; past the table's last control the dialog keys go on
      const auto* key = reinterpret_cast<const MSG*>(lp);
      if (key && key->message == WM_KEYDOWN && key->wParam == VK_TAB &&
          self->nextTabControl(w, GetKeyState(VK_SHIFT) < 0)) {
        return DefSubclassProc(w, msg, wp, lp) | DLGC_WANTTAB;
      }
      break;
    }
    case WM_KEYDOWN:
      if (wp == VK_TAB) {
        if (Control* next = self->nextTabControl(w, GetKeyState(VK_SHIFT) < 0)) {
          guarded(self->hwnd(), [&] { self->focusControl(next); });
          return 0;
        }
      }
      break;
    case WM_CHAR:
      if (wp == L'\t') return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(w, controlProc, 1);
      break;
  }
  return DefSubclassProc(w, msg, wp, lp);
}

bool GridWindow::Body::create(HWND parent) {
  return createWindow(kGridBodyClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                      WS_EX_CONTROLPARENT, 0, 0, 10, 10, parent, nullptr,
                      reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

bool GridWindow::Body::onCommand(int, int code, HWND control) {
  guarded(grid_.hwnd(), [&] { grid_.onControlCommand(control, code); });
  return true;
}

void GridWindow::Body::onPaint(HDC dc) {
  grid_.paintBody(dc);
  grid_.lastPaintTick_ = GetTickCount();
  // the header and the fixed column follow at once, never later
  if (GetUpdateRect(grid_.hwnd(), nullptr, FALSE)) UpdateWindow(grid_.hwnd());
}

LRESULT GridWindow::Body::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_MEASUREITEM:
      ColourBoxPainter::measure(reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
      return TRUE;
    case WM_DRAWITEM:
      ColourBoxPainter::draw(reinterpret_cast<DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
      return grid_.cellColourBrush(reinterpret_cast<HWND>(lp));
    case WM_LBUTTONDOWN:
      grid_.focusKeeper_ = nullptr;
      SetFocus(grid_.hwnd());
      return 0;
  }
  return Window::onMessage(msg, wp, lp);
}

void GridWindow::paintBody(HDC dc) {
  RECT rc;
  GetClientRect(body_.hwnd(), &rc);
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, std::max<int>(rc.right, 1), std::max<int>(rc.bottom, 1));
  HGDIOBJ oldBmp = SelectObject(mem, bmp);
  FillRect(mem, &rc, GetSysColorBrush(COLOR_WINDOW));
  HGDIOBJ oldFont = SelectObject(mem, programFont());
  HPEN pen = CreatePen(PS_SOLID, 1, kLineColour);
  HGDIOBJ oldPen = SelectObject(mem, pen);
  SetBkMode(mem, TRANSPARENT);
  paintCells(mem, rc);
  if (int drop = drag_.dropRow(); drop >= 1) {
    int y = drop <= drag_.draggedRow() ? rowTop(drop) : rowTop(drop) + model_->rowHeight(drop);
    RECT mark{0, y - 1, rc.right, y + 2};
    FillRect(mem, &mark, GetSysColorBrush(COLOR_HIGHLIGHT));
  }
  BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
  SelectObject(mem, oldPen);
  SelectObject(mem, oldFont);
  SelectObject(mem, oldBmp);
  DeleteObject(pen);
  DeleteObject(bmp);
  DeleteDC(mem);
}

void GridWindow::paintCells(HDC dc, const RECT& client) {
  for (int r = 1; r < model_->rowCount(); ++r) {
    int top = rowTop(r), hgt = model_->rowHeight(r);
    if (top > client.bottom) break;
    if (top + hgt < 0) continue;
    for (int c = 1; c < model_->colCount(); ++c) {
      int left = colLeft(c), w = model_->colWidth(c);
      if (left > client.right || left + w < 0) continue;
      RECT cell{left, top, left + w, top + hgt};
      if (auto colour = model_->cellColour(c, r)) FillRect(dc, &cell, brushFor(*colour));
      const Control* control = model_->control(c, r);
      if (hasRealControl(control)) drawControlLook(dc, *control, cell);
      const std::wstring& text = model_->cell(c, r);
      if (!text.empty() && !control) {
        RECT t{left + 3, top, left + w - 2, top + hgt};
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t,
                  DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
      }
      MoveToEx(dc, left + w - 1, top, nullptr);
      LineTo(dc, left + w - 1, top + hgt);
      MoveToEx(dc, left, top + hgt - 1, nullptr);
      LineTo(dc, left + w, top + hgt - 1);
    }
  }
}

namespace {

// A cell of the header row or the fixed column: raised, with its text.
void paintFixedCell(HDC dc, RECT cell, const std::wstring& text, bool centre) {
  FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_RECT);
  RECT t = cell;
  InflateRect(&t, -2, 0);
  DrawTextW(
      dc, text.c_str(), static_cast<int>(text.size()), &t,
      DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | (centre ? DT_CENTER : DT_LEFT));
}

}  // namespace

void GridWindow::onPaint(HDC dc) {
  // a paint that comes before the posted refresh shows the change already
  // (the real controls follow with the refresh)
  if (refreshPending_) layoutForChanges();
  RECT rc;
  GetClientRect(hwnd(), &rc);
  if (!model_ || model_->rowCount() == 0) {
    FillRect(dc, &rc, GetSysColorBrush(COLOR_APPWORKSPACE));
    return;
  }
  const int w0 = fixedWidth();
  const int h0 = headerHeight();
  HGDIOBJ oldFont = SelectObject(dc, programFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  paintHeader(dc, w0, h0, rc.right);
  paintFixedColumn(dc, w0, h0, rc.bottom);
  paintFixedCell(dc, RECT{0, 0, w0, h0}, model_->cell(0, 0), true);
  SelectObject(dc, oldFont);
  // the cells and the controls follow at once, never later
  RedrawWindow(body_.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void GridWindow::paintHeader(HDC dc, int w0, int h0, int right) {
  // scrolled with the body
  HRGN clip = CreateRectRgn(w0, 0, right, h0);
  SelectClipRgn(dc, clip);
  for (int c = 1; c < model_->colCount(); ++c) {
    int left = w0 + colLeft(c);
    paintFixedCell(dc, RECT{left, 0, left + model_->colWidth(c), h0}, model_->cell(c, 0), true);
  }
  RECT rest{w0 + colLeft(model_->colCount()), 0, right, h0};
  if (rest.left < rest.right) FillRect(dc, &rest, GetSysColorBrush(COLOR_APPWORKSPACE));
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
}

void GridWindow::paintFixedColumn(HDC dc, int w0, int h0, int bottom) {
  HRGN clip = CreateRectRgn(0, h0, w0, bottom);
  SelectClipRgn(dc, clip);
  for (int r = 1; r < model_->rowCount(); ++r) {
    int top = h0 + rowTop(r);
    if (top > bottom) break;
    RECT cell{0, top, w0, top + model_->rowHeight(r)};
    if (cell.bottom < h0) continue;
    paintFixedCell(dc, cell, model_->cell(0, r), false);
    if (r == drag_.draggedRow()) InvertRect(dc, &cell);
  }
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
}

int GridWindow::fixedWidth() const {
  return model_ && model_->colCount() > 0 ? model_->colWidth(0) : 0;
}

int GridWindow::headerHeight() const {
  return model_ && model_->rowCount() > 0 ? model_->rowHeight(0) : 0;
}

bool GridWindow::onSize(int, int) {
  if (model_) {
    layoutBody();
    updateScrollBars();
    placeControls();
  }
  return true;
}

void GridWindow::onDestroy() { releaseControls(); }

bool GridWindow::onKey(WPARAM key) {
  switch (key) {
    case VK_UP:
      onScroll(SB_VERT, SB_LINEUP);
      return true;
    case VK_DOWN:
      onScroll(SB_VERT, SB_LINEDOWN);
      return true;
    case VK_PRIOR:
      onScroll(SB_VERT, SB_PAGEUP);
      return true;
    case VK_NEXT:
      onScroll(SB_VERT, SB_PAGEDOWN);
      return true;
    case VK_LEFT:
      onScroll(SB_HORZ, SB_LINEUP);
      return true;
    case VK_RIGHT:
      onScroll(SB_HORZ, SB_LINEDOWN);
      return true;
    case VK_HOME:
      scrollTo(0, 0);
      return true;
  }
  return false;
}

bool GridWindow::onSetCursor() {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(hwnd(), &p);
  if (drag_.kind() == GridDrag::Kind::ColSize || (p.y < headerHeight() && colBorderAt(p.x) >= 0)) {
    SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
    return true;
  }
  if (drag_.kind() == GridDrag::Kind::RowSize || (p.x < fixedWidth() && rowBorderAt(p.y) >= 0)) {
    SetCursor(LoadCursorW(nullptr, IDC_SIZENS));
    return true;
  }
  return false;
}

void GridWindow::onMouseDown(int x, int y) {
  focusKeeper_ = nullptr;
  SetFocus(hwnd());
  const int h0 = headerHeight(), w0 = fixedWidth();
  int border;
  if (y < h0 && (border = colBorderAt(x)) >= 0) {
    drag_.startResize(GridDrag::Kind::ColSize, border, x, model_->colWidth(border));
  } else if (x < w0 && (border = rowBorderAt(y)) >= 0) {
    drag_.startResize(GridDrag::Kind::RowSize, border, y, model_->rowHeight(border));
  } else if (x < w0 && y >= h0) {
    int row = hitRow(y - h0);
    if (row < 1) return;
    drag_.startRow(row);
  } else {
    return;
  }
  SetCapture(hwnd());
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void GridWindow::onMouseMove(int x, int y) {
  int rowUnder = -1;
  if (drag_.kind() == GridDrag::Kind::Row) {
    const int h0 = model_->rowHeight(0);
    rowUnder = hitRow(y - h0);
    if (y < h0) rowUnder = 1;
    if (rowUnder < 1) rowUnder = model_->rowCount() - 1;
  }
  if (drag_.moveTo(*model_, x, y, rowUnder)) InvalidateRect(body_.hwnd(), nullptr, FALSE);
}

void GridWindow::onMouseUp(bool released) {
  // The drag ends here; releasing the capture sends WM_CAPTURECHANGED to
  // this window at once, so the drag's state is taken and cleared before.
  const GridDrag::End end = drag_.finish();
  if (GetCapture() == hwnd()) ReleaseCapture();
  InvalidateRect(hwnd(), nullptr, FALSE);
  InvalidateRect(body_.hwnd(), nullptr, FALSE);
  if (end.kind == GridDrag::Kind::Row && released) {
    guarded(hwnd(), [&] { moveRow(end.fromRow, end.toRow); });
  }
}

LRESULT GridWindow::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
  const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
  switch (msg) {
    case kMsgRefresh:
      refresh();
      return 0;
    case kGridMsgRowCount:
    case kGridMsgCheckState:
    case kGridMsgSelectedItem:
    case kGridMsgShowRow:
      return answerQuery(msg, wp, lp);
    case WM_KILLFOCUS:
      // the focus went elsewhere: the real control that handed it over no
      // longer takes it back
      if (!IsChild(hwnd(), reinterpret_cast<HWND>(wp))) focusKeeper_ = nullptr;
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      onScroll(msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wp));
      return 0;
    case WM_MOUSEWHEEL:
      scrollTo(hpos_,
               vpos_ - GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA * 3 * model_->defaultRowHeight);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (onKey(wp)) return 0;
      break;
    case WM_SETCURSOR:
      if (onSetCursor()) return TRUE;
      break;
    case WM_LBUTTONDOWN:
      onMouseDown(x, y);
      return 0;
    case WM_MOUSEMOVE:
      onMouseMove(x, y);
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      onMouseUp(msg == WM_LBUTTONUP);
      return 0;
  }
  return Window::onMessage(msg, wp, lp);
}

}  // namespace widgets
