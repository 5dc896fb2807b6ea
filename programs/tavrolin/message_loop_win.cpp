// Event loop, polled dialog wait and keyboard routing.
#include "tavrolin/message_loop_win.h"

#include <vector>

namespace app {
namespace {

HWND gMainWindow = nullptr;
HACCEL gAccelerators = nullptr;
std::vector<HWND> gDialogs;
bool gQuitSeen = false;
int gQuitCode = 0;

bool preTranslate(MSG& m) {
  if (gAccelerators && gMainWindow) {
    HWND top = GetAncestor(m.hwnd, GA_ROOT);
    if (top == gMainWindow && TranslateAcceleratorW(gMainWindow, gAccelerators, &m)) return true;
  }
  for (HWND d : gDialogs) {
    if (IsWindow(d) && IsWindowVisible(d) && (m.hwnd == d || IsChild(d, m.hwnd)) &&
        IsDialogMessageW(d, &m)) {
      return true;
    }
  }
  return false;
}

void dispatch(MSG& m) {
  if (!preTranslate(m)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

}  // namespace

void setAccelerators(HWND mainWindow, HACCEL table) {
  gMainWindow = mainWindow;
  gAccelerators = table;
}

void addDialogWindow(HWND dialog) { gDialogs.push_back(dialog); }

int runMessageLoop() {
  if (gQuitSeen) return gQuitCode;
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) dispatch(m);
  return static_cast<int>(m.wParam);
}

void processMessages() {
  MSG m;
  while (!gQuitSeen && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      gQuitSeen = true;
      gQuitCode = static_cast<int>(m.wParam);
      PostQuitMessage(gQuitCode);
      return;
    }
    dispatch(m);
  }
}

void polledDialogWait(HWND dialog, const std::function<void()>& show) {
  if (show) {
    show();
  } else {
    ShowWindow(dialog, SW_SHOW);
  }
  SetForegroundWindow(dialog);
  while (IsWindow(dialog) && IsWindowVisible(dialog) && !gQuitSeen) {
    processMessages();
    if (IsWindow(dialog) && IsWindowVisible(dialog) && !gQuitSeen) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
  }
}

}  // namespace app
