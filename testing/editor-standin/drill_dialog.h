// "File N/C Drill": output path 1101, the drill span 1102 (layer names
// separated by "%", empty for every hole), offsets 1121/1122 (in the units of
// the last Gerber file), and 1140 "Generate", which writes the drill file,
// also when the span has no holes, and closes the dialog; a failed Generate
// leaves it open and says why.
#pragma once

#include "dialog_window.h"

namespace standin {

class DrillDialog : public DialogWindow {
 public:
  explicit DrillDialog(StandinApp& app);

 protected:
  void build() override;
  void onCommand(Origin origin, WPARAM wParam, LPARAM lParam) override;

 private:
  void generate();
  void fail(const std::wstring& why);

  HWND status_ = nullptr;
};

}  // namespace standin
