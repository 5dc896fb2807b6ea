// "Design Info": tab strip 998, the design's directory in edit 1634 and its
// file name in edit 1631. It only shows them.
#pragma once

#include "dialog_window.h"

namespace standin {

class DesignInfoDialog : public DialogWindow {
 public:
  explicit DesignInfoDialog(StandinApp& app);

 protected:
  void build() override;
};

}  // namespace standin
