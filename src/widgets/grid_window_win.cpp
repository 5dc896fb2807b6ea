// The grid window: drawing, scrolling, embedded controls, row dragging,
// column and row resizing, keyboard moves.
#include "widgets/grid_window_win.h"

#include <commctrl.h>

#include <algorithm>

namespace widgets {
namespace {

constexpr UINT kMsgRefresh = WM_APP + 17;
// Window properties that let a test tool read the table as the operator
// sees it: the model row of each embedded control, and a mark on the grid
// while a change of the model is not yet shown.
constexpr wchar_t kRowProperty[] = L"TavrolinGridRow";
constexpr wchar_t kPendingProperty[] = L"TavrolinGridPending";
constexpr int kBorderGrip = 3;  // pixels either side of a border that grip it
constexpr int kMinSize = 8;
const COLORREF kLineColour = RGB(192, 192, 192);

COLORREF toColorRef(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

}  // namespace

// ---- outer window -------------------------------------------------------

bool GridWindow::create(HWND parent, int id, GridModel* model) {
  model_ = model;
  if (!createWindow(L"TavrolinGrid", L"", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL |
                    WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT,
                    0, 0, 100, 100, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                    reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1))) {
    return false;
  }
  body_.create(hwnd());
  model_->onChanged = [this] { scheduleRefresh(); };
  scheduleRefresh();
  return true;
}

bool GridWindow::Body::create(HWND parent) {
  return createWindow(L"TavrolinGridBody", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                      WS_EX_CONTROLPARENT, 0, 0, 10, 10, parent, nullptr,
                      reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

LRESULT GridWindow::Body::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  bool handled = false;
  LRESULT r = grid_.bodyMessage(msg, wp, lp, handled);
  return handled ? r : Window::handleMessage(msg, wp, lp);
}

void GridWindow::scheduleRefresh() {
  if (refreshPending_ || !hwnd()) return;
  refreshPending_ = true;
  SetPropW(hwnd(), kPendingProperty, reinterpret_cast<HANDLE>(1));
  PostMessageW(hwnd(), kMsgRefresh, 0, 0);
}

void GridWindow::refresh() {
  refreshPending_ = false;
  // cleared at the end of this pass, once the controls stand where they show
  struct ClearPending {
    HWND grid;
    ~ClearPending() { RemovePropW(grid, kPendingProperty); }
  } clearPending{hwnd()};
  if (!model_) return;
  // Texts and colours only repaint; controls are placed again only when the
  // grid's shape or the controls in its cells changed.
  std::vector<intptr_t> shape{model_->colCount(), model_->rowCount()};
  for (int c = 0; c < model_->colCount(); ++c) shape.push_back(model_->colWidth(c));
  for (int r = 0; r < model_->rowCount(); ++r) {
    shape.push_back(model_->rowHeight(r));
    for (int c = 0; c < model_->colCount(); ++c) {
      shape.push_back(reinterpret_cast<intptr_t>(model_->control(c, r)));
    }
  }
  if (shape != shape_) {
    shape_ = std::move(shape);
    syncControls();
    layoutBody();
    updateScrollBars();
    placeControls();
  }
  InvalidateRect(hwnd(), nullptr, TRUE);
  RedrawWindow(body_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HWND GridWindow::realControl(const Control* control) const {
  auto it = reals_.find(control);
  return it == reals_.end() ? nullptr : it->second.hwnd;
}

int GridWindow::rowOfRealControl(HWND control) const {
  auto it = byHwnd_.find(control);
  if (it == byHwnd_.end()) return -1;
  for (int r = 1; r < model_->rowCount(); ++r) {
    for (int c = 0; c < model_->colCount(); ++c) {
      if (model_->control(c, r) == it->second) return r;
    }
  }
  return -1;
}

void GridWindow::releaseControls() {
  for (auto& [control, real] : reals_) {
    const_cast<Control*>(control)->onViewUpdate = nullptr;
    if (real.hwnd) {
      RemovePropW(real.hwnd, kRowProperty);
      DestroyWindow(real.hwnd);
    }
  }
  if (hwnd()) RemovePropW(hwnd(), kPendingProperty);
  reals_.clear();
  byHwnd_.clear();
  if (model_) model_->onChanged = nullptr;
  for (auto& [rgb, brush] : brushes_) DeleteObject(brush);
  brushes_.clear();
}

void GridWindow::syncControls() {
  for (int r = 0; r < model_->rowCount(); ++r) {
    for (int c = 0; c < model_->colCount(); ++c) {
      Control* control = model_->control(c, r);
      if (!control || reals_.count(control)) continue;
      Real real{makeReal(control), control};
      if (!real.hwnd) continue;
      SetWindowLongPtrW(real.hwnd, GWLP_ID, c);
      reals_[control] = real;
      byHwnd_[real.hwnd] = control;
      control->onViewUpdate = [this, control] {
        auto it = reals_.find(control);
        if (it != reals_.end()) updateReal(it->second);
      };
      updateReal(real);
    }
  }
}

HWND GridWindow::makeReal(Control* control) {
  HWND parent = body_.hwnd();
  HFONT font = programFont();
  HWND w = nullptr;
  if (dynamic_cast<CheckBox*>(control)) {
    w = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_TABSTOP | BS_CHECKBOX, 0, 0, 16, 16,
                        parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  } else if (dynamic_cast<ColourBox*>(control)) {
    w = ColourBoxPainter::create(parent, 0, 0, 40, 300, font);
  } else if (dynamic_cast<DropDown*>(control)) {
    w = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                        0, 0, 100, 300, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(w, CB_SETDROPPEDWIDTH, 200, 0);
  }
  if (!w) return nullptr;
  SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetWindowSubclass(w, controlProc, 1, reinterpret_cast<DWORD_PTR>(this));
  return w;
}

void GridWindow::updateReal(const Real& real) {
  if (auto* cb = dynamic_cast<CheckBox*>(real.control)) {
    SendMessageW(real.hwnd, BM_SETCHECK, cb->checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    EnableWindow(real.hwnd, cb->enabled);
    return;
  }
  if (auto* dd = dynamic_cast<DropDown*>(real.control)) {
    int count = static_cast<int>(SendMessageW(real.hwnd, CB_GETCOUNT, 0, 0));
    const auto& items = dd->items();
    bool same = count == static_cast<int>(items.size());
    if (same && count > 0) {
      // items are only ever set as a whole list; compare the last one
      wchar_t buf[512];
      LRESULT len = SendMessageW(real.hwnd, CB_GETLBTEXTLEN, count - 1, 0);
      same = len < 512 && SendMessageW(real.hwnd, CB_GETLBTEXT, count - 1,
                                       reinterpret_cast<LPARAM>(buf)) >= 0 &&
             items.back() == buf;
    }
    if (!same) {
      SendMessageW(real.hwnd, CB_RESETCONTENT, 0, 0);
      for (const auto& item : items) {
        SendMessageW(real.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
      }
    }
    if (SendMessageW(real.hwnd, CB_GETCURSEL, 0, 0) != dd->itemIndex()) {
      SendMessageW(real.hwnd, CB_SETCURSEL, static_cast<WPARAM>(dd->itemIndex()), 0);
    }
    EnableWindow(real.hwnd, dd->enabled);
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

int GridWindow::hitCol(int x) const {
  int left = -hpos_;
  for (int c = 1; c < model_->colCount(); ++c) {
    int w = model_->colWidth(c);
    if (x >= left && x < left + w) return c;
    left += w;
  }
  return -1;
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

void GridWindow::placeControls() {
  RECT body;
  GetClientRect(body_.hwnd(), &body);
  std::map<const Control*, bool> placed;
  cellOf_.clear();
  HDWP batch = BeginDeferWindowPos(static_cast<int>(reals_.size()) + 1);
  for (int r = 1; r < model_->rowCount(); ++r) {
    int top = rowTop(r);
    int hgt = model_->rowHeight(r);
    for (int c = 1; c < model_->colCount(); ++c) {
      Control* control = model_->control(c, r);
      if (!control) continue;
      auto it = reals_.find(control);
      if (it == reals_.end()) continue;
      int left = colLeft(c);
      int w = model_->colWidth(c);
      HWND real = it->second.hwnd;
      int x = left + 1, y = top + 1, cw = w - 1, ch = hgt - 1;
      if (dynamic_cast<CheckBox*>(control)) {
        // the box centred in the cell; the cell colour shows around it
        int box = std::min({cw, ch, 15});
        x = left + (w - box) / 2 + 1;
        y = top + (hgt - box) / 2;
        cw = box;
        ch = box;
      } else {
        SendMessageW(real, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(ch - 6, 10));
        ch = 300;
      }
      batch = DeferWindowPos(batch, real, nullptr, x, y, std::max(cw, 1), std::max(ch, 1),
                             SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
      placed[control] = true;
      cellOf_[real] = {c, r};
      SetPropW(real, kRowProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(r)));
    }
  }
  for (auto& [control, real] : reals_) {
    if (!placed.count(control)) {
      RemovePropW(real.hwnd, kRowProperty);
      batch = DeferWindowPos(batch, real.hwnd, nullptr, 0, 0, 0, 0,
                             SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE |
                                 SWP_HIDEWINDOW);
    }
  }
  EndDeferWindowPos(batch);
}

void GridWindow::updateScrollBars() {
  RECT rc;
  GetClientRect(body_.hwnd(), &rc);
  int totalW = 0, totalH = 0;
  for (int c = 1; c < model_->colCount(); ++c) totalW += model_->colWidth(c);
  for (int r = 1; r < model_->rowCount(); ++r) totalH += model_->rowHeight(r);
  hpos_ = std::max(0, std::min(hpos_, totalW - static_cast<int>(rc.right)));
  vpos_ = std::max(0, std::min(vpos_, totalH - static_cast<int>(rc.bottom)));
  SCROLLINFO si{sizeof si, SIF_ALL | SIF_DISABLENOSCROLL, 0, std::max(totalW - 1, 0),
                static_cast<UINT>(rc.right), hpos_, 0};
  SetScrollInfo(hwnd(), SB_HORZ, &si, TRUE);
  si = SCROLLINFO{sizeof si, SIF_ALL | SIF_DISABLENOSCROLL, 0, std::max(totalH - 1, 0),
                  static_cast<UINT>(rc.bottom), vpos_, 0};
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
  int line = bar == SB_VERT ? model_->defaultRowHeight : 20;
  switch (code) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  if (bar == SB_VERT) scrollTo(hpos_, pos);
  else scrollTo(pos, vpos_);
}

void GridWindow::ensureVisible(HWND control) {
  RECT rc, body;
  GetWindowRect(control, &rc);
  MapWindowPoints(nullptr, body_.hwnd(), reinterpret_cast<POINT*>(&rc), 2);
  GetClientRect(body_.hwnd(), &body);
  int h = hpos_, v = vpos_;
  if (rc.top < 0) v += rc.top - 2;
  else if (rc.bottom > body.bottom && rc.bottom - rc.top < 40) v += rc.bottom - body.bottom + 2;
  if (rc.left < 0) h += rc.left - 2;
  else if (rc.right > body.right) h += std::min<int>(rc.right - body.right + 2, rc.left);
  if (h != hpos_ || v != vpos_) scrollTo(h, v);
}

HBRUSH GridWindow::brushFor(uint32_t rgb) {
  auto it = brushes_.find(rgb);
  if (it != brushes_.end()) return it->second;
  HBRUSH b = CreateSolidBrush(toColorRef(rgb));
  brushes_[rgb] = b;
  return b;
}

void GridWindow::onCommand(HWND control, int code) {
  auto it = byHwnd_.find(control);
  if (it == byHwnd_.end()) return;
  Control* object = it->second;
  if (auto* cb = dynamic_cast<CheckBox*>(object)) {
    if (code == BN_CLICKED) cb->setChecked(!cb->checked());
    return;
  }
  if (auto* dd = dynamic_cast<DropDown*>(object)) {
    if (code == CBN_SELCHANGE) {
      int sel = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
      if (sel >= 0) dd->pick(sel);
    }
  }
}

void GridWindow::moveRow(int from, int to) {
  if (from < 1 || to < 1 || from == to || from >= model_->rowCount() || to >= model_->rowCount()) {
    return;
  }
  model_->moveRow(from, to);
  refresh();
}

void GridWindow::moveRowOf(HWND control, int delta) {
  int row = rowOfRealControl(control);
  if (row < 1) return;
  moveRow(row, row + delta);
  if (rowOfRealControl(control) != row + delta) return;
  SetFocus(control);
  ensureVisible(control);
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
    case WM_KEYDOWN:
      if (wp == VK_SPACE && self->byHwnd_.count(w) &&
          dynamic_cast<CheckBox*>(self->byHwnd_[w])) {
        break;  // the button turns Space into a click
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(w, controlProc, 1);
      break;
  }
  return DefSubclassProc(w, msg, wp, lp);
}

LRESULT GridWindow::bodyMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
  handled = true;
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(body_.hwnd(), &ps);
      paintBody(dc);
      EndPaint(body_.hwnd(), &ps);
      lastPaintTick_ = GetTickCount();
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_COMMAND:
      guarded(hwnd(), [&] { onCommand(reinterpret_cast<HWND>(lp), HIWORD(wp)); });
      return 0;
    case WM_MEASUREITEM:
      ColourBoxPainter::measure(reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
      return TRUE;
    case WM_DRAWITEM:
      ColourBoxPainter::draw(reinterpret_cast<DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // a check box takes its cell's colour, so that marks show around it
      auto it = cellOf_.find(reinterpret_cast<HWND>(lp));
      SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
      if (it != cellOf_.end()) {
        if (auto colour = model_->cellColour(it->second.first, it->second.second)) {
          return reinterpret_cast<LRESULT>(brushFor(*colour));
        }
      }
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_LBUTTONDOWN:
      SetFocus(hwnd());
      return 0;
  }
  handled = false;
  return 0;
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
  for (int r = 1; r < model_->rowCount(); ++r) {
    int top = rowTop(r), hgt = model_->rowHeight(r);
    if (top > rc.bottom) break;
    if (top + hgt < 0) continue;
    for (int c = 1; c < model_->colCount(); ++c) {
      int left = colLeft(c), w = model_->colWidth(c);
      if (left > rc.right || left + w < 0) continue;
      RECT cell{left, top, left + w, top + hgt};
      if (auto colour = model_->cellColour(c, r)) FillRect(mem, &cell, brushFor(*colour));
      const std::wstring& text = model_->cell(c, r);
      if (!text.empty() && !model_->control(c, r)) {
        RECT t{left + 3, top, left + w - 2, top + hgt};
        SetTextColor(mem, GetSysColor(COLOR_WINDOWTEXT));
        DrawTextW(mem, text.c_str(), static_cast<int>(text.size()), &t,
                  DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
      }
      MoveToEx(mem, left + w - 1, top, nullptr);
      LineTo(mem, left + w - 1, top + hgt);
      MoveToEx(mem, left, top + hgt - 1, nullptr);
      LineTo(mem, left + w, top + hgt - 1);
    }
  }
  if (drag_ == Drag::Row && dropRow_ >= 1) {
    int y = dropRow_ <= dragIndex_ ? rowTop(dropRow_) : rowTop(dropRow_) + model_->rowHeight(dropRow_);
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

void GridWindow::paint(HDC dc) {
  RECT rc;
  GetClientRect(hwnd(), &rc);
  if (!model_ || model_->rowCount() == 0) {
    FillRect(dc, &rc, GetSysColorBrush(COLOR_APPWORKSPACE));
    return;
  }
  int w0 = model_->colCount() > 0 ? model_->colWidth(0) : 0;
  int h0 = model_->rowHeight(0);
  HGDIOBJ oldFont = SelectObject(dc, programFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  auto fixedCell = [&](RECT cell, const std::wstring& text, bool centre) {
    FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_RECT);
    RECT t = cell;
    InflateRect(&t, -2, 0);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t,
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX |
                  (centre ? DT_CENTER : DT_LEFT));
  };
  // header row, scrolled with the body
  HRGN clip = CreateRectRgn(w0, 0, rc.right, h0);
  SelectClipRgn(dc, clip);
  for (int c = 1; c < model_->colCount(); ++c) {
    int left = w0 + colLeft(c);
    fixedCell(RECT{left, 0, left + model_->colWidth(c), h0}, model_->cell(c, 0), true);
  }
  RECT rest{w0 + colLeft(model_->colCount()), 0, rc.right, h0};
  if (rest.left < rest.right) FillRect(dc, &rest, GetSysColorBrush(COLOR_APPWORKSPACE));
  // fixed column
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
  clip = CreateRectRgn(0, h0, w0, rc.bottom);
  SelectClipRgn(dc, clip);
  for (int r = 1; r < model_->rowCount(); ++r) {
    int top = h0 + rowTop(r);
    RECT cell{0, top, w0, top + model_->rowHeight(r)};
    fixedCell(cell, model_->cell(0, r), false);
    if (drag_ == Drag::Row && r == dragIndex_) InvertRect(dc, &cell);
  }
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
  fixedCell(RECT{0, 0, w0, h0}, model_->cell(0, 0), true);
  SelectObject(dc, oldFont);
}

LRESULT GridWindow::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kMsgRefresh:
      refresh();
      return 0;
    case WM_SIZE:
      if (model_) {
        layoutBody();
        updateScrollBars();
        placeControls();
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      paint(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_HSCROLL:
      onScroll(SB_HORZ, LOWORD(wp));
      return 0;
    case WM_VSCROLL:
      onScroll(SB_VERT, LOWORD(wp));
      return 0;
    case WM_MOUSEWHEEL: {
      int delta = GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA;
      scrollTo(hpos_, vpos_ - delta * 3 * model_->defaultRowHeight);
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      switch (wp) {
        case VK_UP: onScroll(SB_VERT, SB_LINEUP); return 0;
        case VK_DOWN: onScroll(SB_VERT, SB_LINEDOWN); return 0;
        case VK_PRIOR: onScroll(SB_VERT, SB_PAGEUP); return 0;
        case VK_NEXT: onScroll(SB_VERT, SB_PAGEDOWN); return 0;
        case VK_LEFT: onScroll(SB_HORZ, SB_LINEUP); return 0;
        case VK_RIGHT: onScroll(SB_HORZ, SB_LINEDOWN); return 0;
        case VK_HOME: scrollTo(0, 0); return 0;
      }
      break;
    case WM_SETCURSOR: {
      POINT p;
      GetCursorPos(&p);
      ScreenToClient(hwnd(), &p);
      int h0 = model_ && model_->rowCount() ? model_->rowHeight(0) : 0;
      int w0 = model_ && model_->colCount() ? model_->colWidth(0) : 0;
      if (drag_ == Drag::ColSize || (p.y < h0 && colBorderAt(p.x) >= 0)) {
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        return TRUE;
      }
      if (drag_ == Drag::RowSize || (p.x < w0 && rowBorderAt(p.y) >= 0)) {
        SetCursor(LoadCursorW(nullptr, IDC_SIZENS));
        return TRUE;
      }
      break;
    }
    case WM_LBUTTONDOWN: {
      SetFocus(hwnd());
      int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
      int h0 = model_->rowCount() ? model_->rowHeight(0) : 0;
      int w0 = model_->colCount() ? model_->colWidth(0) : 0;
      int border;
      if (y < h0 && (border = colBorderAt(x)) >= 0) {
        drag_ = Drag::ColSize;
        dragIndex_ = border;
        dragStart_ = x;
        dragOrigSize_ = model_->colWidth(border);
      } else if (x < w0 && (border = rowBorderAt(y)) >= 0) {
        drag_ = Drag::RowSize;
        dragIndex_ = border;
        dragStart_ = y;
        dragOrigSize_ = model_->rowHeight(border);
      } else if (x < w0 && y >= h0) {
        int row = hitRow(y - h0);
        if (row < 1) return 0;
        drag_ = Drag::Row;
        dragIndex_ = row;
        dropRow_ = row;
      } else {
        return 0;
      }
      SetCapture(hwnd());
      InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    }
    case WM_MOUSEMOVE: {
      int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
      if (drag_ == Drag::ColSize) {
        model_->setColWidth(dragIndex_, std::max(kMinSize, dragOrigSize_ + x - dragStart_));
      } else if (drag_ == Drag::RowSize) {
        model_->setRowHeight(dragIndex_, std::max(kMinSize, dragOrigSize_ + y - dragStart_));
      } else if (drag_ == Drag::Row) {
        int h0 = model_->rowHeight(0);
        int row = hitRow(y - h0);
        if (y < h0) row = 1;
        if (row < 1) row = model_->rowCount() - 1;
        if (row != dropRow_) {
          dropRow_ = row;
          InvalidateRect(body_.hwnd(), nullptr, FALSE);
        }
      }
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: {
      // The drag ends here; releasing the capture sends WM_CAPTURECHANGED to
      // this window at once, so the drag's state is taken and cleared before.
      const Drag was = drag_;
      const int from = dragIndex_, to = dropRow_;
      drag_ = Drag::None;
      dropRow_ = -1;
      if (GetCapture() == hwnd()) ReleaseCapture();
      InvalidateRect(hwnd(), nullptr, FALSE);
      InvalidateRect(body_.hwnd(), nullptr, FALSE);
      if (was == Drag::Row && msg == WM_LBUTTONUP) {
        guarded(hwnd(), [&] { moveRow(from, to); });
      }
      return 0;
    }
    case WM_DESTROY:
      releaseControls();
      break;
  }
  return Window::handleMessage(msg, wp, lp);
}

}  // namespace widgets
