// The board parameter dialogs: `TForm14` (solder mask swell), `TForm15`
// (plane swell) and `TForm17` (draw aperture size). One family: each reads
// its parameter from the linked editor when shown; "Применить" checks the
// entry, writes it into the editor, reads it back into the edit and hides;
// the close button hides without writing.
#pragma once

#include <string>

#include "cadlink/editor_link.h"
#include "dialogs/tool_window_win.h"

class ParamDialog : public dialogs::ToolWindow {
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
  void FormShow() override;
  void Button1Click();
  void FormClose() override;
  void buttonClick(int id) override;
  HWND focusControl() const override { return edit_; }

  Kind kind_;
  cadlink::EditorLink& link_;
  HWND edit_ = nullptr;
};

class TForm14 : public ParamDialog {
 public:
  explicit TForm14(cadlink::EditorLink& link);
};

class TForm15 : public ParamDialog {
 public:
  explicit TForm15(cadlink::EditorLink& link);
};

class TForm17 : public ParamDialog {
 public:
  explicit TForm17(cadlink::EditorLink& link);
};

extern TForm14* Form14;
extern TForm15* Form15;
extern TForm17* Form17;
