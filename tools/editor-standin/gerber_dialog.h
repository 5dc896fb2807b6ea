// The Gerber output dialog ("File Gerber Out" for 2002, "File Export Gerber"
// otherwise): command 2380 asks for "Aperture Assignments".
#pragma once

#include "dialog_window.h"

namespace standin {

class GerberDialog : public DialogWindow {
 public:
  explicit GerberDialog(StandinApp& app);

 protected:
  void build() override;
  void onCommand(Origin origin, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace standin
