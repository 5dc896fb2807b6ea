// The driver's small progress window: a bar over the job's blocks and a
// label naming the block and the file being written. Closing it asks the
// run to stop after the step under way; the driver then reports every
// block that was not done and ends.
#pragma once

#include <windows.h>

#include <string>

#include "widgets/window_win.h"

namespace plotrelay {

class ProgressWindow : public widgets::Window {
 public:
  // Creates the window and shows it with `showCommand` (the show state the
  // driver was started with).
  void create(int showCommand);
  // Block `index` (0-based) of `count` is being written.
  void showBlock(size_t index, size_t count, const std::wstring& text);
  // All blocks are done.
  void showDone(const std::wstring& text);
  // Whether the operator has closed the window since it was created.
  bool closeRequested() const { return closeRequested_; }

 protected:
  // The window goes when the driver ends; closing only asks the run to stop.
  bool onClose() override;

 private:
  void createControls();
  void setProgress(size_t done, size_t count);

  HWND label_ = nullptr;
  HWND bar_ = nullptr;
  bool closeRequested_ = false;
};

}  // namespace plotrelay
