// A window that looks like an editor dialog by its title but is not the one
// a caller wants: a second "Options Layers" whose tab strip never brings a
// list, or "Design Info (old)". Journaled as decoy:"<title>".
#pragma once

#include "dialog_window.h"

namespace standin {

class DecoyWindow : public DialogWindow {
 public:
  DecoyWindow(StandinApp& app, const std::wstring& title);

 protected:
  void build() override;
};

}  // namespace standin
