// The editor chooser: lists the running editors' main windows with their
// versions and builds, takes the only one by itself, and lets the operator
// pick one by a double click when there are several. Start-up shows it and
// pumps messages until it hides itself; the choice is left in `h`.
#pragma once

#include <windows.h>

#include <vector>

class TForm10 {
 public:
  // Creates the (hidden) window once at program start.
  static TForm10* create(HINSTANCE instance);
  ~TForm10();
  TForm10(const TForm10&) = delete;
  TForm10& operator=(const TForm10&) = delete;

  // Lists the editors (FormShow) and shows the window.
  void show();
  bool visible() const;
  HWND hwnd() const { return hwnd_; }
  HWND listBox() const { return ListBox1; }
  // The candidates, in the order of the list's entries.
  const std::vector<HWND>& candidates() const { return pcads; }

  void FormShow();
  void ListBox1DblClick();
  void Timer1Timer();

 private:
  TForm10() = default;
  static LRESULT CALLBACK windowProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void onCreate();
  void armTimer(bool on);
  friend BOOL CALLBACK pcad(HWND w, LPARAM form);

  HWND hwnd_ = nullptr;
  HWND ListBox1 = nullptr;
  HFONT font_ = nullptr;
  bool timerArmed_ = false;
  std::vector<HWND> pcads;
};

// Callback of EnumWindows while the chooser lists the editors; `form` is the
// chooser. Takes windows of class "ACCEL PCB"; always goes on.
BOOL CALLBACK pcad(HWND w, LPARAM form);

extern TForm10* Form10;
