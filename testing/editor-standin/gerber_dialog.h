// The Gerber output dialog ("File Gerber Out" for 2002, "File Export Gerber"
// otherwise): output path 1001, layer list 1002 (the plotted layer is the
// one selected when LBN_SELCHANGE last came), object classes 1011-1019,
// offsets 1021/1022, units 1031 mm / 1032 inch, and 1040 "Generate", which
// writes the Gerber file and closes the dialog; a failed Generate leaves it
// open and says why. Command 2380 asks for "Aperture Assignments".
#pragma once

#include "dialog_window.h"

namespace standin {

class GerberDialog : public DialogWindow {
 public:
  explicit GerberDialog(StandinApp& app);

 protected:
  void build() override;
  void onCommand(Origin origin, WPARAM wParam, LPARAM lParam) override;

 private:
  void generate();
  void fail(const std::wstring& why);

  int plotted_ = 0;
  HWND status_ = nullptr;
};

}  // namespace standin
