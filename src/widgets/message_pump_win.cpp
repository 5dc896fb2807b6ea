// The program's message pump (see message_pump_win.h).
#include "widgets/message_pump_win.h"

namespace widgets {

void MessagePump::setAccelerators(HWND window, HACCEL table) {
  acceleratorWindow_ = window;
  accelerators_ = table;
}

void MessagePump::addAccelerators(HWND window, HACCEL table) {
  moreAccelerators_.emplace_back(window, table);
}

void MessagePump::addDialogWindow(HWND dialog) { dialogs_.push_back(dialog); }

bool MessagePump::preTranslate(MSG& m) const {
  if (accelerators_ && acceleratorWindow_) {
    HWND top = GetAncestor(m.hwnd, GA_ROOT);
    if (top == acceleratorWindow_ && TranslateAcceleratorW(acceleratorWindow_, accelerators_, &m)) {
      return true;
    }
  }
  if (!moreAccelerators_.empty()) {
    HWND top = GetAncestor(m.hwnd, GA_ROOT);
    for (const auto& [window, table] : moreAccelerators_) {
      if (top == window && IsWindow(window) && TranslateAcceleratorW(window, table, &m))
        return true;
    }
  }
  for (HWND d : dialogs_) {
    if (IsWindow(d) && IsWindowVisible(d) && (m.hwnd == d || IsChild(d, m.hwnd)) &&
        IsDialogMessageW(d, &m)) {
      return true;
    }
  }
  return false;
}

void MessagePump::dispatch(MSG& m) const {
  if (!preTranslate(m)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

int MessagePump::run() {
  if (quitSeen_) return quitCode_;
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) dispatch(m);
  return static_cast<int>(m.wParam);
}

bool MessagePump::dispatchPending() {
  MSG m;
  while (!quitSeen_ && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message != WM_QUIT) {
      dispatch(m);
    } else if (onQuit_ == OnQuit::Keep) {
      quitSeen_ = true;
      quitCode_ = static_cast<int>(m.wParam);
      PostQuitMessage(quitCode_);
    }
  }
  return !quitSeen_;
}

void MessagePump::waitFor(int32_t ms) {
  dispatchPending();
  if (ms <= 0) return;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(ms);
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline || quitSeen_) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    dispatchPending();
  }
}

void MessagePump::waitWhileShown(HWND dialog, const std::function<void()>& show) {
  if (show) {
    show();
  } else {
    ShowWindow(dialog, SW_SHOW);
  }
  SetForegroundWindow(dialog);
  auto shown = [&] { return IsWindow(dialog) && IsWindowVisible(dialog) && !quitSeen_; };
  while (shown()) {
    dispatchPending();
    if (shown()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

}  // namespace widgets
