// The driver's progress window (see progress_window.h).
#include "progress_window_win.h"

#include <commctrl.h>

namespace plotrelay {

namespace {

constexpr wchar_t kClassName[] = L"TavrolinPlotRelayProgress";
constexpr wchar_t kTitle[] = L"Tavrolin — вывод файлов";
constexpr int kWidth = 480;
constexpr int kHeight = 130;
constexpr int kMargin = 12;
constexpr int kBarRange = 1000;

void registerClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);  // a second registration fails harmlessly
}

}  // namespace

ProgressWindow::~ProgressWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void ProgressWindow::create(HINSTANCE instance, int showCommand) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  registerClass(instance, windowProc);
  RECT frame{0, 0, kWidth, kHeight};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&frame, style, FALSE);
  const int w = frame.right - frame.left;
  const int h = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  CreateWindowExW(0, kClassName, kTitle, style, x, y, w, h, nullptr, nullptr, instance, this);
  if (!hwnd_) return;
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
}

LRESULT CALLBACK ProgressWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<ProgressWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_CREATE:
      if (self) self->onCreate();
      return 0;
    case WM_CLOSE:
      if (self) self->onClose();
      return 0;  // the window goes when the driver ends
    case WM_NCDESTROY:
      if (self) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void ProgressWindow::onCreate() {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  label_ = CreateWindowExW(0, L"STATIC", L"Подготовка задания…", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                           kMargin, kMargin, kWidth - 2 * kMargin, 40, hwnd_, nullptr, instance, nullptr);
  bar_ = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, kMargin, kMargin + 52,
                         kWidth - 2 * kMargin, 22, hwnd_, nullptr, instance, nullptr);
  SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(bar_, PBM_SETRANGE32, 0, kBarRange);
}

void ProgressWindow::onClose() {
  if (closeRequested_) return;
  closeRequested_ = true;
  if (label_) SetWindowTextW(label_, L"Остановка вывода после текущего шага…");
}

void ProgressWindow::setProgress(size_t done, size_t count) {
  if (!bar_) return;
  const size_t pos = count == 0 ? kBarRange : done * kBarRange / count;
  SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(pos), 0);
}

void ProgressWindow::showBlock(size_t index, size_t count, const std::wstring& text) {
  if (!hwnd_ || closeRequested_) return;
  const std::wstring caption =
      L"Блок " + std::to_wstring(index + 1) + L" из " + std::to_wstring(count) + L": " + text;
  SetWindowTextW(label_, caption.c_str());
  setProgress(index, count);
  UpdateWindow(hwnd_);
}

void ProgressWindow::showDone(const std::wstring& text) {
  if (!hwnd_) return;
  SetWindowTextW(label_, text.c_str());
  setProgress(1, 1);
  UpdateWindow(hwnd_);
}

}  // namespace plotrelay
