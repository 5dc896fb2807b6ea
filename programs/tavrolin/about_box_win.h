// The about box: names the program and its version; doubles as the
// start-up splash. A window without border or title bar, centred on the
// desktop, with a picture, the label "Tavrolin 1.3" and the button "Ok",
// which hides it.
#pragma once

#include "widgets/picture_win.h"
#include "widgets/window_win.h"

namespace app {

// The about box's class; the Wine tests wait for the splash by it.
inline constexpr wchar_t kAboutBoxClass[] = L"TForm3";

class AboutBox : public widgets::Window {
 public:
  bool create();
  HWND okButton() const { return ok_; }

 protected:
  bool onCommand(int id, int code, HWND control) override;
  bool onShow(bool shown, bool byProgram) override;
  bool onActivate(bool active) override;
  void onPaint(HDC dc) override;
  bool onClose() override;

 private:
  void onOk();
  widgets::Picture picture_;
  HWND label_ = nullptr;
  HWND ok_ = nullptr;
};

}  // namespace app
