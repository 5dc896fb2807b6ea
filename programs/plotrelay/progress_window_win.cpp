// The driver's progress window (see progress_window.h).
#include "progress_window_win.h"

#include <commctrl.h>

#include "widgets/dpi_win.h"

namespace plotrelay {

namespace {

// The window class; the Wine tests find the progress window by it.
constexpr wchar_t kClassName[] = L"TavrolinPlotRelayProgress";
constexpr wchar_t kTitle[] = L"Tavrolin — вывод файлов";
// sizes at 96 DPI
constexpr int kWidth = 480;
constexpr int kHeight = 130;
constexpr int kMargin = 12;
constexpr int kBarRange = 1000;

}  // namespace

void ProgressWindow::create(int showCommand) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  RECT frame{0, 0, widgets::scaled(kWidth), widgets::scaled(kHeight)};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&frame, style, FALSE);
  const int w = frame.right - frame.left;
  const int h = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  if (!createWindow(kClassName, kTitle, style, 0, x, y, w, h, nullptr, nullptr)) return;
  createControls();
  show(showCommand);
  UpdateWindow(hwnd());
}

void ProgressWindow::createControls() {
  label_ =
      widgets::createControl(L"STATIC", L"Подготовка задания…", SS_LEFT | SS_NOPREFIX, kMargin,
                             kMargin, kWidth - 2 * kMargin, 40, hwnd(), 0, widgets::programFont());
  bar_ = widgets::createControl(PROGRESS_CLASSW, L"", 0, kMargin, kMargin + 52,
                                kWidth - 2 * kMargin, 22, hwnd(), 0, nullptr);
  SendMessageW(bar_, PBM_SETRANGE32, 0, kBarRange);
}

bool ProgressWindow::onClose() {
  if (closeRequested_) return true;
  closeRequested_ = true;
  if (label_) SetWindowTextW(label_, L"Остановка вывода после текущего шага…");
  return true;
}

void ProgressWindow::setProgress(size_t done, size_t count) {
  if (!bar_) return;
  const size_t pos = count == 0 ? kBarRange : done * kBarRange / count;
  SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(pos), 0);
}

void ProgressWindow::showBlock(size_t index, size_t count, const std::wstring& text) {
  if (!hwnd() || closeRequested_) return;
  const std::wstring caption =
      L"Блок " + std::to_wstring(index + 1) + L" из " + std::to_wstring(count) + L": " + text;
  SetWindowTextW(label_, caption.c_str());
  setProgress(index, count);
  UpdateWindow(hwnd());
}

void ProgressWindow::showDone(const std::wstring& text) {
  if (!hwnd()) return;
  SetWindowTextW(label_, text.c_str());
  setProgress(1, 1);
  UpdateWindow(hwnd());
}

}  // namespace plotrelay
