// The about box `TForm3`: names the program and its version; doubles as the
// start-up splash. A window without border or title bar, centred on the
// desktop, with a picture, the label "Tavrolin 1.3" and the button "Ok",
// which hides it.
#pragma once

#include "widgets/picture_win.h"
#include "widgets/window_win.h"

class TForm3 : public widgets::Window {
 public:
  bool create();
  HWND okButton() const { return ok_; }

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Button1Click();
  widgets::Picture picture_;
  HWND label_ = nullptr;
  HWND ok_ = nullptr;
};

extern TForm3* Form3;
