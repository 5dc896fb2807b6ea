// "Options Layers": tab strip 998; the layer list 2278 (a real comctl32
// list view, columns name and type) comes into being only after a number of
// clicks on 998. Command 2349 is accepted and does nothing else. On
// request the list misbehaves when read from outside: it answers through
// another text pointer than the one it was given, or refuses one cell.
#pragma once

#include "dialog_window.h"

namespace standin {

class LayersDialog : public DialogWindow {
 public:
  explicit LayersDialog(StandinApp& app);

 protected:
  void build() override;

 private:
  void tabsClicked();
  void createList();
  // The faults of the list for an outside request; true swallows it.
  bool listFault(UINT msg, WPARAM wParam, LPARAM lParam);

  // Where the moved answer is written, from the record's start.
  static constexpr size_t kMovedTextOffset = 1024;

  unsigned clicks_ = 0;
  HWND list_ = nullptr;
};

}  // namespace standin
