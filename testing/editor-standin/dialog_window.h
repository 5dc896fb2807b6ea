// Base of the editor's dialogs: a top-level window owned by the main window,
// named in the journal by its title in quotes. It journals the messages that
// reach it from outside, closes on WM_CLOSE and on IDOK/IDCANCEL, and helps
// its subclasses lay out labels, edits, buttons and tab strips whose
// messages from outside are journaled as "<title>"#<id>.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "control_tap.h"
#include "standin_app.h"
#include "tab_strip.h"
#include "window_base.h"

namespace standin {

class DialogWindow : public WindowBase {
 public:
  // Shows the window; false when it could not be created (then the object is gone).
  bool show(HWND owner, int width, int height);

 protected:
  // `target` is the journal's name of the window, usually the title in quotes.
  DialogWindow(StandinApp& app, std::wstring title, std::wstring target);
  StandinApp& app() { return app_; }
  const std::wstring& title() const { return title_; }

  // Builds the controls; runs once the window exists.
  virtual void build() = 0;
  // A WM_COMMAND other than IDOK/IDCANCEL, from anywhere.
  virtual void onCommand(Origin origin, WPARAM wParam, LPARAM lParam);
  // IDOK arrived; the window closes right after.
  virtual void onOk() {}
  // WM_KEYDOWN or WM_KEYUP from anywhere.
  virtual void onKey(Origin origin, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND addLabel(const std::wstring& text, RECT bounds);
  HWND addEdit(int id, const std::wstring& text, RECT bounds, OutsideHook hook = {});
  HWND addButton(int id, const std::wstring& text, RECT bounds);
  HWND addCheckBox(int id, const std::wstring& text, RECT bounds);
  // A radio button that the dialog checks itself when it is clicked.
  HWND addRadioButton(int id, const std::wstring& text, RECT bounds);
  HWND addListBox(int id, const std::vector<std::wstring>& items, RECT bounds);
  HWND addTabs(RECT bounds, std::vector<std::wstring> tabs, TabStrip::ClickHandler onClick);
  // Journals the control's outside messages as this window's control `id`.
  void tap(HWND control, int id, OutsideHook hook = {});
  // The text of control `id`.
  std::wstring controlText(int id) const;
  // Hides the window at once and destroys it once the current message is
  // handled (a dialog may not destroy itself inside its own button's click).
  void closeLater();

  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND addChild(const wchar_t* cls, int id, const std::wstring& text, DWORD style, DWORD exStyle,
                RECT bounds);

  StandinApp& app_;
  std::wstring title_;
  std::wstring target_;
};

}  // namespace standin
