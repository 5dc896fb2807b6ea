// The driver's small progress window: a bar over the job's blocks and a
// label naming the block and the file being written. It has no close box:
// the driver ends when its job is done.
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

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void onCreate();
  void setProgress(size_t done, size_t count);

  HWND hwnd_ = nullptr;
  HWND label_ = nullptr;
  HWND bar_ = nullptr;
};

}  // namespace plotrelay
