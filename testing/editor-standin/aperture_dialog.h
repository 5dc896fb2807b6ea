// "Aperture Assignments": edit 2137 with the draw aperture size. A text set
// from outside is stored in the board after Enter (key down and up) reaches
// this window and then IDOK.
#pragma once

#include "dialog_window.h"
#include "takeover_sequence.h"

namespace standin {

class ApertureDialog : public DialogWindow {
 public:
  explicit ApertureDialog(StandinApp& app);

 protected:
  void build() override;
  void onKey(Origin origin, UINT msg, WPARAM wParam, LPARAM lParam) override;
  void onOk() override;

 private:
  TakeoverSequence aperture_;
};

}  // namespace standin
