// Keeps a window from taking input while the program is busy with it: the
// window is disabled for the object's life, and the keyboard and mouse input
// that came in meanwhile is dropped before it is enabled again, so that a
// click queued during an export does not start another one.
#pragma once

#include <windows.h>

namespace app {

class InputBlock {
 public:
  explicit InputBlock(HWND window);
  ~InputBlock();
  InputBlock(const InputBlock&) = delete;
  InputBlock& operator=(const InputBlock&) = delete;

 private:
  HWND window_;
  bool wasEnabled_;
};

}  // namespace app
