// Waiting while dispatching the thread's messages (see message_pump.h).
#include "message_pump_win.h"

#include <windows.h>

namespace plotrelay {

namespace {

void dispatchPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;  // the driver ends when its job is done, not before
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

void pumpFor(int32_t ms) {
  dispatchPending();
  if (ms <= 0) return;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(ms);
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    dispatchPending();
  }
}

}  // namespace plotrelay
