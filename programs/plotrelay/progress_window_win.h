// The driver's small progress window: a bar over the job's blocks and a
// label naming the block and the file being written. Closing it asks the
// run to stop after the step under way; the driver then reports every
// block that was not done and ends.
#pragma once

#include <windows.h>

#include <string>

namespace plotrelay {

class ProgressWindow {
 public:
  ProgressWindow() = default;
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;
  ~ProgressWindow();

  // Creates the window and shows it with `showCommand` (the show state the
  // driver was started with).
  void create(HINSTANCE instance, int showCommand);
  // Block `index` (0-based) of `count` is being written.
  void showBlock(size_t index, size_t count, const std::wstring& text);
  // All blocks are done.
  void showDone(const std::wstring& text);
  HWND hwnd() const { return hwnd_; }
  // Whether the operator has closed the window since it was created.
  bool closeRequested() const { return closeRequested_; }

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void onCreate();
  void setProgress(size_t done, size_t count);
  void onClose();

  HWND hwnd_ = nullptr;
  HWND label_ = nullptr;
  HWND bar_ = nullptr;
  bool closeRequested_ = false;
};

}  // namespace plotrelay
