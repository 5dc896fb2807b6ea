// The preview window (see preview_window_win.h): its controls and layout,
// the off-screen picture and the mouse and keyboard.
#include "tavrolin/preview_window_win.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include <commctrl.h>

#include "base/encoding.h"
#include "tavrolin/preview_zoom.h"
#include "widgets/dpi_win.h"

namespace app {
namespace {

using widgets::scaled;

// Sizes at 96 DPI.
constexpr int kWidth = 900;
constexpr int kHeight = 640;
constexpr int kPanelWidth = 210;
constexpr int kBoxTop = 66;
constexpr int kBoxPitch = 20;
constexpr int kBoxHeight = 18;
constexpr int kMargin = 8;
constexpr int kWheelRows = 3;   // list entries a wheel notch scrolls
constexpr int kFitMargin = 12;  // pixels around the fitted board
constexpr double kWheelStep = 1.25;
constexpr render::Colour kBackground{0, 0, 0, 255};
constexpr uint8_t kTranslucent = 150;  // opacity of mask and paste layers

render::Colour colourOf(uint32_t rgb, uint8_t alpha) {
  return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
          static_cast<uint8_t>(rgb), alpha};
}

// The height `text` takes in `control` when broken into lines of its width.
int textHeight(HWND control, const std::wstring& text, int width) {
  if (text.empty()) return 0;
  HDC dc = GetDC(control);
  HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT rc{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return rc.bottom;
}

}  // namespace

bool PreviewWindow::create(HWND owner) {
  if (!createWindow(kPreviewWindowClass, L"Просмотр", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                    WS_EX_CONTROLPARENT, CW_USEDEFAULT, CW_USEDEFAULT, scaled(kWidth),
                    scaled(kHeight), owner, nullptr)) {
    return false;
  }
  HFONT font = widgets::programFont();
  top_ = widgets::createControl(L"BUTTON", L"Сверху", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 8,
                                8, 95, 18, hwnd(), kIdTop, font);
  bottom_ = widgets::createControl(L"BUTTON", L"Снизу", BS_AUTORADIOBUTTON, 105, 8, 95, 18, hwnd(),
                                   kIdBottom, font);
  fit_ = widgets::createControl(L"BUTTON", L"Вписать (F)", WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 8,
                                32, kPanelWidth - 16, 24, hwnd(), kIdFit, font);
  status_ = widgets::createControl(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, 8, 100, kPanelWidth - 16,
                                   60, hwnd(), kIdStatus, font);
  listScroll_ = widgets::createControl(L"SCROLLBAR", L"", SBS_VERT, kPanelWidth - 24, kBoxTop, 16,
                                       100, hwnd(), kIdListScroll, nullptr);
  ShowWindow(listScroll_, SW_HIDE);
  ACCEL keys[] = {
      {FVIRTKEY, 'F', kIdFit},
      {FVIRTKEY, VK_HOME, kIdFit},
      {FVIRTKEY, 'T', kIdTop},
      {FVIRTKEY, 'B', kIdBottom},
      {FVIRTKEY, VK_ADD, kIdZoomIn},
      {FVIRTKEY, VK_OEM_PLUS, kIdZoomIn},
      {FVIRTKEY, VK_SUBTRACT, kIdZoomOut},
      {FVIRTKEY, VK_OEM_MINUS, kIdZoomOut},
      {FVIRTKEY, VK_LEFT, kIdPanLeft},
      {FVIRTKEY, VK_RIGHT, kIdPanRight},
      {FVIRTKEY, VK_UP, kIdPanUp},
      {FVIRTKEY, VK_DOWN, kIdPanDown},
      {FVIRTKEY, VK_ESCAPE, kIdClose},
  };
  accelerators_ = CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
  SendMessageW(top_, BM_SETCHECK, BST_CHECKED, 0);
  return true;
}

void PreviewWindow::setLayers(std::vector<PreviewLayer> layers, const std::wstring& designName) {
  layers_ = std::move(layers);
  shown_.assign(layers_.size(), true);
  title_ = L"Просмотр - " + designName;
  if (hwnd()) SetWindowTextW(hwnd(), title_.c_str());
  createLayerBoxes();
}

void PreviewWindow::createLayerBoxes() {
  for (HWND box : boxes_) DestroyWindow(box);
  boxes_.clear();
  firstShown_ = 0;
  for (size_t i = 0; i < layers_.size(); ++i) {
    HWND box = widgets::createControl(L"BUTTON", layers_[i].label,
                                      WS_TABSTOP | BS_AUTOCHECKBOX | (i == 0 ? WS_GROUP : 0), 8,
                                      kBoxTop, kPanelWidth - 16, 18, hwnd(),
                                      kIdFirstLayer + static_cast<int>(i), widgets::programFont());
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    // the keyboard's focus on an entry out of sight brings it into sight
    SetWindowSubclass(box, entryProc, 1, reinterpret_cast<DWORD_PTR>(this));
    boxes_.push_back(box);
  }
  RECT rc;
  GetClientRect(hwnd(), &rc);
  layout(rc.right, rc.bottom);
}

void PreviewWindow::open() {
  if (!hwnd()) return;
  view_ = render::View{};  // drawn once, fitted, below
  shown_.assign(layers_.size(), true);
  for (HWND box : boxes_) SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
  firstShown_ = 0;
  fromBottom_ = false;
  SendMessageW(top_, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(bottom_, BM_SETCHECK, BST_UNCHECKED, 0);
  // the window with room for every entry of the list
  RECT rc;
  GetWindowRect(hwnd(), &rc);
  const int needed = scaled(kBoxTop + kBoxPitch * static_cast<int>(layers_.size()) + 90);
  RECT client;
  GetClientRect(hwnd(), &client);
  if (client.bottom < needed) {
    // as far as the screen's work area goes
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int height = rc.bottom - rc.top + needed - client.bottom;
    const int room = work.bottom > work.top ? work.bottom - std::max(rc.top, work.top) : height;
    SetWindowPos(hwnd(), nullptr, 0, 0, rc.right - rc.left, std::min(height, room),
                 SWP_NOMOVE | SWP_NOZORDER);
  }
  measure();
  fit();
  show(SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
}

void PreviewWindow::layout(int width, int height) {
  if (!top_) return;
  layoutPanel();
  const RECT picture = pictureRect();
  const int w = picture.right - picture.left, h = picture.bottom - picture.top;
  (void)width, (void)height;
  if (w <= 0 || h <= 0 || view_.width <= 0) return;
  setView(resized(view_, w, h));
}

void PreviewWindow::layoutPanel() {
  RECT client;
  GetClientRect(hwnd(), &client);
  const int count = static_cast<int>(boxes_.size());
  const int top = scaled(kBoxTop), pitch = scaled(kBoxPitch), margin = scaled(kMargin);
  const int width = scaled(kPanelWidth) - 2 * margin;
  // the list and, under it, the text of the files not read; when both do
  // not fit, the text keeps up to half the room and the list scrolls
  const int room = std::max(0, static_cast<int>(client.bottom) - top - margin);
  const int text = textHeight(status_, widgets::windowText(status_), width);
  const bool scrolls = count * pitch + (text ? margin + text : 0) > room;
  const int textRoom = text ? std::min(margin + text, room / 2) : 0;
  rowsShown_ = scrolls ? std::max(1, (room - textRoom) / pitch) : count;
  firstShown_ = std::clamp(firstShown_, 0, std::max(0, count - rowsShown_));
  const int barWidth = scrolls ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  const int boxWidth = width - (scrolls ? barWidth + scaled(4) : 0);
  for (int i = 0; i < count; ++i) {
    const int row = i - firstShown_;
    // an entry out of sight stays a visible control, left of the window,
    // so that Tab and the arrow keys still reach it
    const bool inSight = row >= 0 && row < rowsShown_;
    SetWindowPos(boxes_[static_cast<size_t>(i)], nullptr, inSight ? margin : -2 * boxWidth,
                 top + (inSight ? row : 0) * pitch, boxWidth, scaled(kBoxHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const int listBottom = top + rowsShown_ * pitch;
  if (scrolls) {
    SetWindowPos(listScroll_, nullptr, margin + width - barWidth, top, barWidth,
                 rowsShown_ * pitch - (pitch - scaled(kBoxHeight)), SWP_NOZORDER | SWP_NOACTIVATE);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = count - 1;
    si.nPage = static_cast<UINT>(rowsShown_);
    si.nPos = firstShown_;
    SetScrollInfo(listScroll_, SB_CTL, &si, TRUE);
  }
  ShowWindow(listScroll_, scrolls ? SW_SHOWNA : SW_HIDE);
  MoveWindow(status_, margin, listBottom + margin, width,
             std::max(0, static_cast<int>(client.bottom) - listBottom - 2 * margin), TRUE);
  RECT panel{0, top, scaled(kPanelWidth), client.bottom};
  InvalidateRect(hwnd(), &panel, FALSE);
}

void PreviewWindow::scrollListTo(int first) {
  const int count = static_cast<int>(boxes_.size());
  first = std::clamp(first, 0, std::max(0, count - rowsShown_));
  if (first == firstShown_) return;
  firstShown_ = first;
  layoutPanel();
}

void PreviewWindow::showEntry(size_t index) {
  const int i = static_cast<int>(index);
  if (i < firstShown_) {
    scrollListTo(i);
  } else if (i >= firstShown_ + rowsShown_) {
    scrollListTo(i - rowsShown_ + 1);
  }
}

void PreviewWindow::onListScroll(int code) {
  SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
  switch (code) {
    case SB_LINEUP:
      return scrollListTo(firstShown_ - 1);
    case SB_LINEDOWN:
      return scrollListTo(firstShown_ + 1);
    case SB_PAGEUP:
      return scrollListTo(firstShown_ - rowsShown_);
    case SB_PAGEDOWN:
      return scrollListTo(firstShown_ + rowsShown_);
    case SB_TOP:
      return scrollListTo(0);
    case SB_BOTTOM:
      return scrollListTo(static_cast<int>(boxes_.size()));
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      GetScrollInfo(listScroll_, SB_CTL, &si);
      return scrollListTo(si.nTrackPos);
  }
}

int PreviewWindow::focusedEntry() const {
  const auto at = std::find(boxes_.begin(), boxes_.end(), GetFocus());
  return at == boxes_.end() ? -1 : static_cast<int>(at - boxes_.begin());
}

LRESULT CALLBACK PreviewWindow::entryProc(HWND box, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                          DWORD_PTR self) {
  if (msg == WM_SETFOCUS) {
    auto* window = reinterpret_cast<PreviewWindow*>(self);
    const auto at = std::find(window->boxes_.begin(), window->boxes_.end(), box);
    if (at != window->boxes_.end())
      window->showEntry(static_cast<size_t>(at - window->boxes_.begin()));
  } else if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(box, entryProc, 1);
  }
  return DefSubclassProc(box, msg, wp, lp);
}

RECT PreviewWindow::pictureRect() const {
  RECT rc{};
  if (hwnd()) GetClientRect(hwnd(), &rc);
  rc.left = std::min<LONG>(rc.right, scaled(kPanelWidth));
  return rc;
}

void PreviewWindow::measure() {
  extent_ = render::Box{};
  for (const PreviewLayer& layer : layers_) {
    render::Box box;
    try {
      render::measureFile(base::toUtf8(layer.path), box);
    } catch (const std::exception&) {
      continue;  // told when the file is drawn
    }
    if (!box.empty()) extent_.add(box);
  }
}

void PreviewWindow::fit() {
  const RECT picture = pictureRect();
  const int w = picture.right - picture.left, h = picture.bottom - picture.top;
  if (w <= 0 || h <= 0) return;
  // nothing to draw: one inch around the origin; a lone point or line: an
  // inch around it
  render::Box board = extent_.empty() ? render::Box{-0.5, -0.5, 0.5, 0.5} : extent_;
  if (board.maxX - board.minX < 1e-6) board.minX -= 0.5, board.maxX += 0.5;
  if (board.maxY - board.minY < 1e-6) board.minY -= 0.5, board.maxY += 0.5;
  setView(render::fitView(board, w, h, scaled(kFitMargin), fromBottom_));
}

void PreviewWindow::setFromBottom(bool fromBottom) {
  SendMessageW(top_, BM_SETCHECK, fromBottom ? BST_UNCHECKED : BST_CHECKED, 0);
  SendMessageW(bottom_, BM_SETCHECK, fromBottom ? BST_CHECKED : BST_UNCHECKED, 0);
  if (fromBottom == fromBottom_) return;
  fromBottom_ = fromBottom;
  fit();
}

void PreviewWindow::setView(const render::View& view) {
  view_ = view;
  redraw();
}

void PreviewWindow::redraw() {
  const RECT picture = pictureRect();
  const int w = picture.right - picture.left, h = picture.bottom - picture.top;
  if (w <= 0 || h <= 0 || view_.width != w || view_.height != h) return;
  image_ = render::Image(w, h, kBackground);
  int drawn = 0, unread = 0;
  std::wstring problems;
  for (size_t i : drawingOrder(layers_, fromBottom_)) {
    if (!shown_[i]) continue;
    const PreviewLayer& layer = layers_[i];
    const uint8_t alpha = layer.translucent ? kTranslucent : 255;
    render::Layer what{base::toUtf8(layer.path), colourOf(layer.flashRgb, alpha),
                       colourOf(layer.lineRgb, alpha)};
    render::FileReport report;
    try {
      report = render::drawFile(what, view_, image_);
    } catch (const std::exception& e) {
      report.error = e.what();
    }
    ++drawn;
    if (!report.error.empty()) {
      ++unread;
      problems += layer.label + L": " + base::fromUtf8(report.error) + L"\n";
    } else if (!report.skipped.empty()) {
      // drawn without what the reader does not know
      std::wstring names;
      for (const std::string& name : report.skipped) {
        names += (names.empty() ? L"" : L", ") + base::fromUtf8(name);
      }
      problems += layer.label + L": пропущено " + names + L"\n";
    }
  }
  filesDrawn_ = drawn;
  filesUnread_ = unread;
  if (problems != widgets::windowText(status_)) {
    SetWindowTextW(status_, problems.c_str());
    layoutPanel();  // the text under the list takes its room
  }
  // the picture in the screen's format: a top-down DIB of BGRA pixels
  releaseBitmap();
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap_ && bits) {
    auto* out = static_cast<uint8_t*>(bits);
    const uint8_t* in = image_.rgba.data();
    for (size_t p = 0, n = static_cast<size_t>(w) * static_cast<size_t>(h); p < n; ++p) {
      out[4 * p] = in[4 * p + 2];
      out[4 * p + 1] = in[4 * p + 1];
      out[4 * p + 2] = in[4 * p];
      out[4 * p + 3] = 0;
    }
  }
  InvalidateRect(hwnd(), &picture, FALSE);
}

void PreviewWindow::releaseBitmap() {
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
}

void PreviewWindow::onPaint(HDC dc) {
  RECT client;
  GetClientRect(hwnd(), &client);
  const RECT picture = pictureRect();
  RECT panel = client;
  panel.right = picture.left;
  FillRect(dc, &panel, GetSysColorBrush(COLOR_BTNFACE));
  const int w = picture.right - picture.left, h = picture.bottom - picture.top;
  HBRUSH background = CreateSolidBrush(RGB(kBackground.r, kBackground.g, kBackground.b));
  if (!bitmap_) {
    FillRect(dc, &picture, background);
  } else {
    // while dragging the picture follows the mouse; the uncovered strips
    // take the background until it is drawn afresh
    const int dx = dragging_ ? dragOffset_.x : 0, dy = dragging_ ? dragOffset_.y : 0;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bitmap_);
    BitBlt(dc, picture.left + dx, picture.top + dy, w, h, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    RECT strip;
    if (dx > 0)
      SetRect(&strip, picture.left, 0, picture.left + dx, h), FillRect(dc, &strip, background);
    if (dx < 0)
      SetRect(&strip, picture.right + dx, 0, picture.right, h), FillRect(dc, &strip, background);
    if (dy > 0)
      SetRect(&strip, picture.left, 0, picture.right, dy), FillRect(dc, &strip, background);
    if (dy < 0)
      SetRect(&strip, picture.left, h + dy, picture.right, h), FillRect(dc, &strip, background);
  }
  DeleteObject(background);
}

bool PreviewWindow::onSize(int width, int height) {
  layout(width, height);
  return true;
}

void PreviewWindow::zoomAt(double px, double py, double factor) {
  setView(zoomAbout(view_, px, py, factor));
}

void PreviewWindow::onWheel(WPARAM wp, LPARAM lp) {
  POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  ScreenToClient(hwnd(), &at);
  const RECT picture = pictureRect();
  double px = at.x - picture.left, py = at.y - picture.top;
  const int notches = GET_WHEEL_DELTA_WPARAM(wp);
  if (!PtInRect(&picture, at) && rowsShown_ < static_cast<int>(boxes_.size())) {
    // over a list that does not fit: scrolls it, three rows a notch; parts
    // of a notch from a fine wheel add up
    wheelRest_ += notches * kWheelRows;
    const int rows = wheelRest_ / WHEEL_DELTA;
    wheelRest_ -= rows * WHEEL_DELTA;
    scrollListTo(firstShown_ - rows);
    return;
  }
  if (!PtInRect(&picture, at)) {
    px = view_.width / 2.0;  // over the list: about the picture's middle
    py = view_.height / 2.0;
  }
  zoomAt(px, py, std::pow(kWheelStep, notches / static_cast<double>(WHEEL_DELTA)));
}

void PreviewWindow::onMouse(UINT msg, LPARAM lp) {
  const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  const RECT picture = pictureRect();
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (!PtInRect(&picture, at)) return;
      SetFocus(hwnd());
      SetCapture(hwnd());
      dragging_ = true;
      dragFrom_ = at;
      dragOffset_ = {0, 0};
      return;
    case WM_MOUSEMOVE:
      if (!dragging_) return;
      dragOffset_ = {at.x - dragFrom_.x, at.y - dragFrom_.y};
      InvalidateRect(hwnd(), &picture, FALSE);
      return;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_CAPTURECHANGED: {
      if (!dragging_) return;
      dragging_ = false;
      if (msg != WM_CAPTURECHANGED) ReleaseCapture();
      const POINT moved = dragOffset_;
      dragOffset_ = {0, 0};
      if (moved.x || moved.y) setView(panBy(view_, moved.x, moved.y));
      return;
    }
  }
}

bool PreviewWindow::onCommand(int id, int code, HWND control) {
  const double midX = view_.width / 2.0, midY = view_.height / 2.0;
  const int stepX = std::max(1, view_.width / 8), stepY = std::max(1, view_.height / 8);
  switch (id) {
    case kIdTop:
    case kIdBottom:
      if (control == nullptr || code == BN_CLICKED) setFromBottom(id == kIdBottom);
      return true;
    case kIdFit:
      if (control == nullptr || code == BN_CLICKED) fit();
      return true;
    case kIdZoomIn:
    case kIdZoomOut:
      zoomAt(midX, midY, id == kIdZoomIn ? kWheelStep : 1 / kWheelStep);
      return true;
    case kIdPanLeft:
    case kIdPanRight:
      setView(panBy(view_, id == kIdPanLeft ? stepX : -stepX, 0));
      return true;
    case kIdPanUp:
    case kIdPanDown:
      // with an entry of the list in focus the keys walk the list
      if (const int at = focusedEntry(); at >= 0) {
        const int to = at + (id == kIdPanUp ? -1 : 1);
        if (to >= 0 && to < static_cast<int>(boxes_.size()))
          SetFocus(boxes_[static_cast<size_t>(to)]);
        return true;
      }
      setView(panBy(view_, 0, id == kIdPanUp ? stepY : -stepY));
      return true;
    case kIdClose:
    case IDCANCEL:
      hide();
      return true;
  }
  const size_t index = static_cast<size_t>(id - kIdFirstLayer);
  if (id >= kIdFirstLayer && index < layers_.size() && code == BN_CLICKED) {
    shown_[index] = SendMessageW(boxes_[index], BM_GETCHECK, 0, 0) == BST_CHECKED;
    redraw();
    return true;
  }
  return false;
}

LRESULT PreviewWindow::answer(UINT msg, WPARAM wp, LPARAM lp) {
  const size_t index = static_cast<size_t>(wp);
  const bool known = index < layers_.size();
  switch (msg) {
    case kPreviewLayerCount:
      return static_cast<LRESULT>(layers_.size());
    case kPreviewLayerShown:
      return known ? (shown_[index] ? 1 : 0) : -1;
    case kPreviewShowLayer:
      if (!known) return 0;
      SendMessageW(boxes_[index], BM_SETCHECK, lp ? BST_CHECKED : BST_UNCHECKED, 0);
      if (shown_[index] != (lp != 0)) {
        shown_[index] = lp != 0;
        redraw();
      }
      return 1;
    case kPreviewLayerControl:
      return known ? kIdFirstLayer + static_cast<LRESULT>(index) : 0;
    case kPreviewFromBottom:
      return fromBottom_ ? 1 : 0;
    case kPreviewFilesDrawn:
      return filesDrawn_;
    case kPreviewFilesUnread:
      return filesUnread_;
    case kPreviewScale:
      return static_cast<LRESULT>(std::lround(scaleOf(view_)));
  }
  return 0;
}

LRESULT PreviewWindow::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // onPaint covers the whole client area
    case WM_MOUSEWHEEL:
      onWheel(wp, lp);
      return 0;
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lp) == listScroll_) onListScroll(LOWORD(wp));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_CAPTURECHANGED:
      onMouse(msg, lp);
      return 0;
    case WM_GETMINMAXINFO: {
      auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
      mm->ptMinTrackSize.x = scaled(kPanelWidth + 200);
      mm->ptMinTrackSize.y = scaled(300);
      return 0;
    }
  }
  if (msg >= kPreviewLayerCount && msg <= kPreviewScale) return answer(msg, wp, lp);
  return Window::onMessage(msg, wp, lp);
}

bool PreviewWindow::onClose() {
  hide();
  return true;
}

void PreviewWindow::onDestroy() {
  releaseBitmap();
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
  accelerators_ = nullptr;
}

}  // namespace app
