// The editor's build window ("P-CAD 2004 PCB"): control 1287 shows the build
// number from character 27 to the next-to-last.
#pragma once

#include "dialog_window.h"

namespace standin {

class BuildWindow : public DialogWindow {
 public:
  explicit BuildWindow(StandinApp& app);

 protected:
  void build() override;
};

}  // namespace standin
