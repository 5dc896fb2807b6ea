// The board parameter dialogs: solder mask swell, plane swell and draw
// aperture size. One family: each reads its parameter from the linked editor
// when shown; "Применить" checks the entry, writes it into the editor, reads
// it back into the edit and hides; the close button hides without writing.
#pragma once

#include <string>

#include "cadlink/editor_link.h"
#include "dialogs/tool_window_win.h"

namespace dialogs {

// The dialogs' classes; the Wine tests find the dialogs by them.
inline constexpr wchar_t kSolderMaskSwellDialogClass[] = L"TForm14";
inline constexpr wchar_t kPlaneSwellDialogClass[] = L"TForm15";
inline constexpr wchar_t kDrawApertureSizeDialogClass[] = L"TForm17";

class ParamDialog : public ToolWindow {
 public:
  enum ControlId : int { kIdApply = IDOK, kIdValue = 100 };

  // What tells the members of the family apart.
  struct Kind {
    const wchar_t* className;
    const wchar_t* caption;
    int clientWidth, clientHeight;
    const wchar_t* label;
    std::wstring (*read)(cadlink::EditorLink& link);
    void (*write)(cadlink::EditorLink& link, const std::wstring& value);
  };

  bool create(HWND owner = nullptr);
  // The parameter as the editor holds it now.
  std::wstring readFromEditor() const;

 protected:
  ParamDialog(const Kind& kind, cadlink::EditorLink& link) : kind_(kind), link_(link) {}

 private:
  void onOpened() override;
  void onDismissed() override;
  void onButton(int id) override;
  HWND focusControl() const override { return edit_; }
  void onApply();

  Kind kind_;
  cadlink::EditorLink& link_;
  HWND edit_ = nullptr;
};

class SolderMaskSwellDialog : public ParamDialog {
 public:
  explicit SolderMaskSwellDialog(cadlink::EditorLink& link);
};

class PlaneSwellDialog : public ParamDialog {
 public:
  explicit PlaneSwellDialog(cadlink::EditorLink& link);
};

class DrawApertureSizeDialog : public ParamDialog {
 public:
  explicit DrawApertureSizeDialog(cadlink::EditorLink& link);
};

}  // namespace dialogs
