// "Options Layers": tab strip 998; the layer list 2278 (a real comctl32
// list view, columns name and type) comes into being only after a number of
// clicks on 998. Command 2349 is accepted and does nothing else.
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

  unsigned clicks_ = 0;
  HWND list_ = nullptr;
};

}  // namespace standin
