// The preview window (see preview_window_win.h): its controls and layout,
// the off-screen picture and the mouse and keyboard.
#include "tavrolin/preview_window_win.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

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
constexpr int kFitMargin = 12;  // pixels around the fitted board
constexpr double kWheelStep = 1.25;
constexpr render::Colour kBackground{0, 0, 0, 255};
constexpr uint8_t kTranslucent = 150;  // opacity of mask and paste layers

render::Colour colourOf(uint32_t rgb, uint8_t alpha) {
  return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
          static_cast<uint8_t>(rgb), alpha};
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
  for (size_t i = 0; i < layers_.size(); ++i) {
    HWND box = widgets::createControl(L"BUTTON", layers_[i].label,
                                      WS_TABSTOP | BS_AUTOCHECKBOX | (i == 0 ? WS_GROUP : 0), 8,
                                      kBoxTop, kPanelWidth - 16, 18, hwnd(),
                                      kIdFirstLayer + static_cast<int>(i), widgets::programFont());
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
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
  int y = scaled(kBoxTop);
  for (HWND box : boxes_) {
    MoveWindow(box, scaled(8), y, scaled(kPanelWidth - 16), scaled(18), TRUE);
    y += scaled(kBoxPitch);
  }
  MoveWindow(status_, scaled(8), y + scaled(8), scaled(kPanelWidth - 16),
             std::max(0, height - y - scaled(16)), TRUE);
  const RECT picture = pictureRect();
  const int w = picture.right - picture.left, h = picture.bottom - picture.top;
  (void)width;
  if (w <= 0 || h <= 0 || view_.width <= 0) return;
  setView(resized(view_, w, h));
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
  SetWindowTextW(status_, problems.c_str());
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
  if (!PtInRect(&picture, at)) {
    px = view_.width / 2.0;  // over the list: about the picture's middle
    py = view_.height / 2.0;
  }
  const int notches = GET_WHEEL_DELTA_WPARAM(wp);
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
