// The rules of the offset dialog.
#include "dialogs/offset_form.h"

#include "dialogs/number_check.h"

namespace dialogs {

void OffsetForm::FormShow() {
  offx = editX;
  offy = editY;
}

bool OffsetForm::Button1Click() {
  const bool xRead = checkedit(editX);
  const bool yRead = checkedit(editY);
  if (xRead && yRead) {
    offx = editX;
    offy = editY;
    return true;
  }
  FormClose();
  return false;
}

void OffsetForm::FormClose() {
  editX = offx;
  editY = offy;
}

}  // namespace dialogs
