// The board parameter dialogs.
#include "dialogs/param_dialog_win.h"

#include <cstdint>

#include "cadlink/board_params_win.h"
#include "dialogs/param_apply.h"

namespace dialogs {

SolderMaskSwellDialog::SolderMaskSwellDialog(cadlink::EditorLink& link)
    : ParamDialog({kSolderMaskSwellDialogClass, L"SolderMaskSwell", 290, 66, L"Значение",
                   cadlink::readSolderMaskSwell, cadlink::writeSolderMaskSwell},
                  link) {}

PlaneSwellDialog::PlaneSwellDialog(cadlink::EditorLink& link)
    : ParamDialog({kPlaneSwellDialogClass, L"Plane Swell", 263, 59, L"Значение :",
                   cadlink::readPlaneSwell, cadlink::writePlaneSwell},
                  link) {}

DrawApertureSizeDialog::DrawApertureSizeDialog(cadlink::EditorLink& link)
    : ParamDialog({kDrawApertureSizeDialogClass, L"Draw Aperture Size", 290, 66, L"Значение :",
                   cadlink::readDrawApertureSize, cadlink::writeDrawApertureSize},
                  link) {}

bool ParamDialog::create(HWND owner) {
  if (!createCentred(kind_.className, kind_.caption, kind_.clientWidth, kind_.clientHeight,
                     owner)) {
    return false;
  }
  HFONT font = widgets::programFont();
  const int top = (kind_.clientHeight - 25) / 2;
  const int buttonX = kind_.clientWidth - 88;
  widgets::createControl(L"STATIC", kind_.label, SS_LEFT, 10, top + 6, 62, 16, hwnd(), -1, font);
  edit_ = widgets::createControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, 74, top + 2,
                                 buttonX - 84, 21, hwnd(), kIdValue, font, WS_EX_CLIENTEDGE);
  widgets::createControl(L"BUTTON", L"Применить", WS_TABSTOP | BS_DEFPUSHBUTTON, buttonX, top, 80,
                         25, hwnd(), kIdApply, font);
  return true;
}

std::wstring ParamDialog::readFromEditor() const { return kind_.read(link_); }

void ParamDialog::onOpened() { SetWindowTextW(edit_, readFromEditor().c_str()); }

void ParamDialog::onApply() {
  const std::wstring shown = dialogs::applyParameter(
      widgets::windowText(edit_), [this](const std::wstring& value) { kind_.write(link_, value); },
      [this] { return readFromEditor(); });
  SetWindowTextW(edit_, shown.c_str());
  hide();
}

void ParamDialog::onDismissed() { hide(); }

void ParamDialog::onButton(int id) {
  if (id == kIdApply) onApply();
}

}  // namespace dialogs
