// "Применить" of the board parameter dialogs.
#include "dialogs/param_apply.h"

#include "dialogs/number_check.h"

namespace dialogs {

std::wstring applyParameter(std::wstring entry, const ParamWrite& write, const ParamRead& read) {
  checkedit(entry);  // a text that is not a number goes to the editor as typed
  write(entry);
  return read();
}

}  // namespace dialogs
