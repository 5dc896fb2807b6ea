// The offset dialog `TForm13` ("Оффсет"): the board offsets X and Y as the
// job description carries them. "Ok" accepts two numbers (normalised to
// "mm") and hides; anything else puts back the last accepted texts. The
// close button puts them back and hides. The accepted texts stay in `offx`
// and `offy` for the main window's command that waited for the dialog.
#pragma once

#include <string>

#include "dialogs/offset_form.h"
#include "dialogs/tool_window_win.h"

class TForm13 : public dialogs::ToolWindow {
 public:
  enum ControlId : int { kIdOk = IDOK, kIdX = 100, kIdY };

  bool create(HWND owner = nullptr);
  const std::wstring& offx() const { return form_.offx; }
  const std::wstring& offy() const { return form_.offy; }

 private:
  void FormShow() override;
  void Button1Click();
  void FormClose() override;
  void buttonClick(int id) override;
  HWND focusControl() const override { return editX_; }
  void readEdits();
  void showEdits();

  dialogs::OffsetForm form_;
  HWND editX_ = nullptr;
  HWND editY_ = nullptr;
};

extern TForm13* Form13;
