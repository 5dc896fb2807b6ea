// The message loop with posted-message marking.
#include "message_loop.h"

namespace standin {

int runMessageLoop(MessageOrigin& origin) {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    bool posted = msg.hwnd && (msg.message == WM_COMMAND || msg.message == WM_CLOSE);
    TranslateMessage(&msg);
    origin.setPostedDispatch(posted);
    DispatchMessageW(&msg);
    origin.setPostedDispatch(false);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace standin
