// The main window: board display and command dispatch.
#include "main_window.h"

#include "board_view.h"
#include "editor_ids.h"

namespace standin {

namespace {
constexpr wchar_t kClassName[] = L"ACCEL PCB";
}  // namespace

MainWindow::MainWindow(StandinApp& app) : WindowBase(false), app_(app) {}

MainWindow::~MainWindow() {
  if (hwnd()) DestroyWindow(hwnd());
}

bool MainWindow::create() {
  registerClass(app_.instance, kClassName, CS_HREDRAW | CS_VREDRAW);
  std::wstring title =
      mainTitle(app_.options.version, app_.board.fileName, app_.options.titleSuffix);
  HWND w = createWindow(app_.instance, kClassName, title, WS_OVERLAPPEDWINDOW, 0,
                        {40, 40, 1000, 680}, nullptr, nullptr);
  if (!w) return false;
  launcher_ = std::make_unique<DialogLauncher>(app_, w);
  app_.launcher = launcher_.get();
  ShowWindow(w, SW_SHOWNORMAL);
  UpdateWindow(w);
  return true;
}

void MainWindow::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  RECT client;
  GetClientRect(hwnd(), &client);
  paintBoard(dc, client, app_.board);
  EndPaint(hwnd(), &ps);
}

// Messages that may come from outside: journaled, then acted on.
LRESULT MainWindow::handleOutsideKind(UINT msg, WPARAM wParam, LPARAM lParam) {
  Origin origin = app_.origin.classify();
  MessageOrigin::Scope scope(app_.origin, origin);
  if (origin != Origin::Internal) app_.journal.record(L"main", msg, wParam, lParam);
  if (msg == WM_COMMAND) {
    if (auto kind =
            launcher_ ? launcher_->kindOfCommand(static_cast<unsigned>(wParam)) : std::nullopt) {
      launcher_->request(*kind);
    }
    return 0;
  }
  return defaultHandle(msg, wParam, lParam);
}

LRESULT MainWindow::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
    case WM_CLOSE:
    case WM_GETTEXT:
    case WM_SETTEXT:
      return handleOutsideKind(msg, wParam, lParam);
    case WM_PAINT:
      paint();
      return 0;
    case WM_TIMER:
      if (launcher_ && launcher_->timerFired(wParam)) return 0;
      return defaultHandle(msg, wParam, lParam);
    case WM_DESTROY:
      app_.launcher = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return defaultHandle(msg, wParam, lParam);
  }
}

}  // namespace standin
