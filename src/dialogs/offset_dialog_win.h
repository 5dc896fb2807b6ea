// The offset dialog ("Оффсет"): the board offsets X and Y as the job
// description carries them. "Ok" accepts two numbers (normalised to "mm")
// and hides; anything else puts back the last accepted texts. The close
// button puts them back and hides. The accepted texts stay for the main
// window's command that waited for the dialog.
#pragma once

#include <string>

#include "dialogs/offset_form.h"
#include "dialogs/tool_window_win.h"

namespace dialogs {

// The offset dialog's class; the Wine tests find the dialog by it.
inline constexpr wchar_t kOffsetDialogClass[] = L"TForm13";

class OffsetDialog : public ToolWindow {
 public:
  enum ControlId : int { kIdOk = IDOK, kIdX = 100, kIdY };

  bool create(HWND owner = nullptr);
  const std::wstring& offsetX() const { return form_.acceptedX; }
  const std::wstring& offsetY() const { return form_.acceptedY; }
  // Offsets kept from an earlier run, shown and accepted as if typed.
  void setOffsets(const std::wstring& x, const std::wstring& y);

 private:
  void onOpened() override;
  void onDismissed() override;
  void onButton(int id) override;
  HWND focusControl() const override { return editX_; }
  void onOk();
  void readEdits();
  void showEdits();

  OffsetForm form_;
  HWND editX_ = nullptr;
  HWND editY_ = nullptr;
};

}  // namespace dialogs
