// Control 998 of the editor's dialogs: a strip of page tabs drawn by hand.
// A click (button down and up) anywhere on it is reported to its owner with
// the client point; a click on a tab also selects that tab.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "window_base.h"

namespace standin {

class TabStrip : public WindowBase {
 public:
  using ClickHandler = std::function<void(int x, int y)>;

  // Created as child `id` of `parent`; deletes itself with its window.
  static TabStrip* create(HINSTANCE instance, HWND parent, int id, RECT bounds,
                          std::vector<std::wstring> tabs, ClickHandler onClick);

 protected:
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TabStrip(std::vector<std::wstring> tabs, ClickHandler onClick);
  void paint();
  int tabAt(int x) const;

  std::vector<std::wstring> tabs_;
  ClickHandler onClick_;
  int selected_ = 0;
  bool pressed_ = false;
};

}  // namespace standin
