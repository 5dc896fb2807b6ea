// "Применить" of the board parameter dialogs: the number check on the
// entry, the entry written into the editor whatever the check said, and the
// value read back from the editor.
#pragma once

#include <functional>
#include <string>

namespace dialogs {

using ParamRead = std::function<std::wstring()>;
using ParamWrite = std::function<void(const std::wstring&)>;

// Returns the text the edit shows afterwards: the value read back.
std::wstring applyParameter(std::wstring entry, const ParamWrite& write, const ParamRead& read);

}  // namespace dialogs
