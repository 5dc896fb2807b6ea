// The offset dialog `TForm13`.
#include "dialogs/offset_dialog_win.h"

TForm13* Form13 = nullptr;

bool TForm13::create(HWND owner) {
  if (!createCentred(L"TForm13", L"Оффсет", 458, 63, owner)) return false;
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

void TForm13::readEdits() {
  form_.editX = widgets::windowText(editX_);
  form_.editY = widgets::windowText(editY_);
}

void TForm13::showEdits() {
  SetWindowTextW(editX_, form_.editX.c_str());
  SetWindowTextW(editY_, form_.editY.c_str());
}

void TForm13::FormShow() {
  readEdits();
  form_.FormShow();
}

void TForm13::Button1Click() {
  readEdits();
  const bool accepted = form_.Button1Click();
  showEdits();
  if (accepted) hide();
}

void TForm13::FormClose() {
  form_.FormClose();
  showEdits();
  hide();
}

void TForm13::buttonClick(int id) {
  if (id == kIdOk) Button1Click();
}
