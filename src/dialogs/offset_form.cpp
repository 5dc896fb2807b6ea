// The rules of the offset dialog.
#include "dialogs/offset_form.h"

#include "dialogs/number_check.h"

namespace dialogs {

void OffsetForm::rememberShown() {
  acceptedX = editX;
  acceptedY = editY;
}

bool OffsetForm::accept() {
  const bool xRead = checkedit(editX);
  const bool yRead = checkedit(editY);
  if (xRead && yRead) {
    acceptedX = editX;
    acceptedY = editY;
    return true;
  }
  revert();
  return false;
}

void OffsetForm::revert() {
  editX = acceptedX;
  editY = acceptedY;
}

}  // namespace dialogs
