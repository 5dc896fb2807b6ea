// The rules of the offset dialog: the two edits, the accepted offsets and
// what showing, "Ok" and closing do to them.
#pragma once

#include <string>

namespace dialogs {

struct OffsetForm {
  std::wstring editX = L"0";  // the edit after "Оффсет X"
  std::wstring editY = L"0";  // the edit after "Оффсет Y"
  std::wstring acceptedX;     // accepted offset X; empty until first shown
  std::wstring acceptedY;     // accepted offset Y

  // The texts shown now are the values to fall back on.
  void rememberShown();
  // Checks both edits; true when both are numbers (the dialog then hides).
  // Otherwise both edits return to the accepted texts and it stays open.
  bool accept();
  // The close button: both edits return to the accepted texts.
  void revert();
};

}  // namespace dialogs
