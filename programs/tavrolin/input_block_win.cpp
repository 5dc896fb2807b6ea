// Input blocked while the program is busy (see input_block_win.h).
#include "tavrolin/input_block_win.h"

namespace app {

namespace {

// Removes the queued messages of one range for every window of this thread.
void dropQueued(UINT first, UINT last) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, first, last, PM_REMOVE | PM_NOYIELD)) {
  }
}

}  // namespace

InputBlock::InputBlock(HWND window) : window_(window), wasEnabled_(IsWindowEnabled(window) != 0) {
  if (wasEnabled_) EnableWindow(window_, FALSE);
}

InputBlock::~InputBlock() {
  dropQueued(WM_KEYFIRST, WM_KEYLAST);
  dropQueued(WM_MOUSEFIRST, WM_MOUSELAST);
  dropQueued(WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK);
  if (wasEnabled_ && IsWindow(window_)) EnableWindow(window_, TRUE);
}

}  // namespace app
