// "Options Configure": tab strip 998, button 2618, the solder mask swell in
// edit 2236 and the plane swell in edit 2212. A value set from outside is
// stored in the board only after its full run of notifications and IDOK.
#pragma once

#include "dialog_window.h"
#include "takeover_sequence.h"

namespace standin {

class ConfigureDialog : public DialogWindow {
 public:
  explicit ConfigureDialog(StandinApp& app);

 protected:
  void build() override;
  void onCommand(Origin origin, WPARAM wParam, LPARAM lParam) override;
  void onOk() override;

 private:
  TakeoverSequence solderMask_;
  TakeoverSequence plane_;
};

// The run of WM_COMMANDs that makes field `id` with tag `tag` take its text.
std::vector<ExpectedMessage> swellNotifications(int id, unsigned tag);

}  // namespace standin
