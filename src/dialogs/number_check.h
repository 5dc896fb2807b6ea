// The number check of the small dialogs (`checkedit`): an entry that reads
// as a decimal number, with or without a trailing "mm", becomes that number
// text followed by "mm"; anything else stays as it is and is refused.
#pragma once

#include <string>

namespace dialogs {

// True when `text` is a decimal number: blanks, an optional sign, digits
// with an optional fractional part after a full stop, an optional exponent,
// blanks. At least one digit is needed before the exponent.
bool isDecimalNumber(const std::wstring& text);

// Drops a trailing "mm"; when the rest is a decimal number, `text` becomes
// that rest (as typed) followed by "mm" and the result is true. Otherwise
// `text` is left unchanged and the result is false.
bool checkedit(std::wstring& text);

}  // namespace dialogs
