// Integer parsing with the run-time's rules (see int_text.h).
#include "base/int_text.h"

#include "base/error.h"

namespace base {

namespace {

int hexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

bool parseInt(const std::wstring& text, int32_t& out) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && text[i] == L' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  bool hex = false;
  if (i < n && text[i] == L'$') {
    hex = true;
    ++i;
  } else if (i + 1 < n && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
    hex = true;
    i += 2;
  }
  if (i == n) return false;
  // Decimal: up to 2147483647, or 2147483648 with a minus sign. Hexadecimal:
  // up to 0xFFFFFFFF, taken as the 32-bit pattern (so $FFFFFFFF is -1).
  const uint64_t limit = hex ? 0xFFFFFFFFULL : (negative ? 0x80000000ULL : 0x7FFFFFFFULL);
  uint64_t value = 0;
  for (; i < n; ++i) {
    const int d =
        hex ? hexDigit(text[i]) : (text[i] >= L'0' && text[i] <= L'9' ? text[i] - L'0' : -1);
    if (d < 0) return false;
    value = value * (hex ? 16 : 10) + static_cast<uint64_t>(d);
    if (value > limit) return false;
  }
  uint32_t bits = static_cast<uint32_t>(value);
  if (negative) bits = 0U - bits;
  out = static_cast<int32_t>(bits);
  return true;
}

int32_t strToInt(const std::wstring& text) {
  int32_t value = 0;
  if (!parseInt(text, value)) throwNotInteger(text);
  return value;
}

int32_t strToIntDef(const std::wstring& text, int32_t fallback) {
  int32_t value = 0;
  return parseInt(text, value) ? value : fallback;
}

int32_t profileInt(const std::wstring& value, int32_t fallback) {
  if (value.size() > 2 && value[0] == L'0' && (value[1] == L'x' || value[1] == L'X')) {
    return strToIntDef(L"$" + value.substr(2), fallback);
  }
  return strToIntDef(value, fallback);
}

}  // namespace base
