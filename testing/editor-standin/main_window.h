// The stand-in editor's main window, class "ACCEL PCB", titled
// "P-CAD <version> PCB - [<file>]". It shows the open board and opens the
// editor's dialogs when their commands arrive.
#pragma once

#include <memory>

#include "dialog_launcher.h"
#include "standin_app.h"
#include "window_base.h"

namespace standin {

class MainWindow : public WindowBase {
 public:
  explicit MainWindow(StandinApp& app);
  ~MainWindow() override;
  bool create();

 protected:
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT handleOutsideKind(UINT msg, WPARAM wParam, LPARAM lParam);
  void paint();

  StandinApp& app_;
  std::unique_ptr<DialogLauncher> launcher_;
};

}  // namespace standin
