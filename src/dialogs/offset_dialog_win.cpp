// The offset dialog.
#include "dialogs/offset_dialog_win.h"

namespace dialogs {

bool OffsetDialog::create(HWND owner) {
  if (!createCentred(kOffsetDialogClass, L"Оффсет", 458, 63, owner)) return false;
  HFONT font = widgets::programFont();
  widgets::createControl(L"STATIC", L"Оффсет X", SS_LEFT, 10, 24, 60, 16, hwnd(), -1, font);
  editX_ = widgets::createControl(L"EDIT", form_.editX, WS_TABSTOP | ES_AUTOHSCROLL, 72, 21, 120,
                                  21, hwnd(), kIdX, font, WS_EX_CLIENTEDGE);
  widgets::createControl(L"STATIC", L"Оффсет Y", SS_LEFT, 204, 24, 60, 16, hwnd(), -1, font);
  editY_ = widgets::createControl(L"EDIT", form_.editY, WS_TABSTOP | ES_AUTOHSCROLL, 266, 21, 100,
                                  21, hwnd(), kIdY, font, WS_EX_CLIENTEDGE);
  widgets::createControl(L"BUTTON", L"Ok", WS_TABSTOP | BS_DEFPUSHBUTTON, 376, 19, 72, 25, hwnd(),
                         kIdOk, font);
  return true;
}

void OffsetDialog::readEdits() {
  form_.editX = widgets::windowText(editX_);
  form_.editY = widgets::windowText(editY_);
}

void OffsetDialog::showEdits() {
  SetWindowTextW(editX_, form_.editX.c_str());
  SetWindowTextW(editY_, form_.editY.c_str());
}

void OffsetDialog::setOffsets(const std::wstring& x, const std::wstring& y) {
  form_.editX = x;
  form_.editY = y;
  form_.rememberShown();
  showEdits();
}

void OffsetDialog::onOpened() {
  readEdits();
  form_.rememberShown();
}

void OffsetDialog::onOk() {
  readEdits();
  const bool accepted = form_.accept();
  showEdits();
  if (accepted) hide();
}

void OffsetDialog::onDismissed() {
  form_.revert();
  showEdits();
  hide();
}

void OffsetDialog::onButton(int id) {
  if (id == kIdOk) onOk();
}

}  // namespace dialogs
