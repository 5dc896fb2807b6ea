// Window base: class registration, object attachment and message routing.
#include "widgets/window_win.h"

#include <vector>

#include "widgets/dpi_win.h"

namespace widgets {

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
}

bool Window::createWindow(const wchar_t* className, const std::wstring& title, DWORD style,
                          DWORD exStyle, int x, int y, int width, int height, HWND parent,
                          HMENU menu, HBRUSH background) {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(inst, className, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // the program's icon (resource 1), large and small as the system wants them
    wc.hIcon = static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    wc.hIconSm = static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    wc.hbrBackground = background ? background : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc)) return false;
  }
  HWND w = CreateWindowExW(exStyle, className, title.c_str(), style, x, y, width, height, parent,
                           menu, inst, this);
  return w != nullptr;
}

bool Window::onCommand(int, int, HWND) { return false; }
bool Window::onNotify(const NMHDR&, LRESULT&) { return false; }
void Window::onPaint(HDC) {}
bool Window::onSize(int, int) { return false; }
bool Window::onTimer(UINT_PTR) { return false; }
bool Window::onShow(bool, bool) { return false; }
bool Window::onActivate(bool) { return false; }
bool Window::onClose() { return false; }
void Window::onDestroy() {}

LRESULT Window::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT Window::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  onPaint(dc);
  EndPaint(hwnd_, &ps);
  return 0;
}

LRESULT Window::route(UINT msg, WPARAM wp, LPARAM lp) {
  bool handled = false;
  switch (msg) {
    case WM_COMMAND:
      handled = onCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (onNotify(*reinterpret_cast<const NMHDR*>(lp), result)) return result;
      break;
    }
    case WM_PAINT:
      return paint();
    case WM_SIZE:
      handled = onSize(LOWORD(lp), HIWORD(lp));
      break;
    case WM_TIMER:
      handled = onTimer(static_cast<UINT_PTR>(wp));
      break;
    case WM_SHOWWINDOW:
      handled = onShow(wp != 0, lp == 0);
      break;
    case WM_ACTIVATE:
      handled = onActivate(LOWORD(wp) != WA_INACTIVE);
      break;
    case WM_CLOSE:
      handled = onClose();
      break;
    case WM_DESTROY:
      onDestroy();
      break;
    default:
      return onMessage(msg, wp, lp);
  }
  return handled ? 0 : DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Window::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    self = static_cast<Window*>(cs->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    LRESULT r = self->route(msg, wp, lp);
    self->hwnd_ = nullptr;
    return r;
  }
  LRESULT result = 0;
  bool handled = false;
  guarded(hwnd, [&] {
    result = self->route(msg, wp, lp);
    handled = true;
  });
  return handled ? result : 0;
}

void showErrorBox(HWND owner, const std::wstring& text) {
  MessageBoxW(owner, text.c_str(), L"Tavrolin", MB_OK | MB_ICONERROR);
}

HWND createControl(const wchar_t* cls, const std::wstring& text, DWORD style, int x, int y,
                   int width, int height, HWND parent, int id, HFONT font, DWORD exStyle) {
  HWND w = CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, scaled(x),
                           scaled(y), scaled(width), scaled(height), parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  if (w && font) SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return w;
}

HFONT programFont() {
  static HFONT font = [] {
    const int height = -MulDiv(8, screenDpi(), 72);
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
  }();
  return font;
}

std::wstring windowText(HWND w) {
  int n = GetWindowTextLengthW(w);
  std::vector<wchar_t> buf(static_cast<size_t>(n) + 1);
  int got = GetWindowTextW(w, buf.data(), n + 1);
  return std::wstring(buf.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

}  // namespace widgets
