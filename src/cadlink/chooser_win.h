// The editor chooser: lists the running editors' main windows with their
// versions and builds, takes the only one by itself, and lets the operator
// pick one by a double click when there are several. Start-up shows it and
// pumps messages until it hides itself; the choice is left in the link it
// was given.
#pragma once

#include <windows.h>

#include <vector>

#include "cadlink/editor_link.h"
#include "widgets/window_win.h"

namespace cadlink {

class EditorChooser : public widgets::Window {
 public:
  // Window class name of the chooser; only the program itself looks for it.
  static constexpr const wchar_t* kWindowClass = L"TavrolinChooser";
  // ID of the list of editors in the chooser.
  static constexpr int kListId = 100;

  explicit EditorChooser(EditorLink& link) : link_(link) {}
  ~EditorChooser() override;

  // Creates the (hidden) window once at program start.
  bool create();

  // Lists the editors and shows the window.
  void showListed();
  HWND listBox() const { return list_; }
  // The candidates, in the order of the list's entries.
  const std::vector<HWND>& candidates() const { return candidates_; }

 protected:
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool onSize(int width, int height) override;
  bool onCommand(int id, int code, HWND control) override;
  bool onTimer(UINT_PTR id) override;
  bool onClose() override;

 private:
  void createList();
  void armHideTimer(bool on);
  // Fills the list with the running editors and chooses the only one.
  void listEditors();
  void addCandidate(HWND editor);
  void onListDoubleClick();
  void onHideTimer();
  static BOOL CALLBACK takeEditorWindow(HWND w, LPARAM chooser);

  EditorLink& link_;
  HWND list_ = nullptr;
  HFONT font_ = nullptr;
  bool timerArmed_ = false;
  std::vector<HWND> candidates_;
};

}  // namespace cadlink
