// Integers from text, as the run-time reads them: optional leading blanks,
// an optional sign, decimal digits or hexadecimal after "$" or "0x", and
// nothing after the number; the value must fit in 32 bits.
#pragma once

#include <cstdint>
#include <string>

namespace base {

// True when the whole of `text` is such an integer; `out` is then set.
bool parseInt(const std::wstring& text, int32_t& out);
// The integer of `text`; throws AppError "'text' не является целым числом".
int32_t strToInt(const std::wstring& text);
// The integer of `text`, or `fallback` when it is none.
int32_t strToIntDef(const std::wstring& text, int32_t fallback);
// An integer as settings files hold it: a value of more than two characters
// starting with "0x" is hexadecimal; anything that is not an integer gives
// `fallback`.
int32_t profileInt(const std::wstring& value, int32_t fallback);

}  // namespace base
