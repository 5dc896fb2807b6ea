// The number check of the small dialogs.
#include "dialogs/number_check.h"

namespace dialogs {
namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Advances `i` over decimal digits; returns how many there were.
size_t skipDigits(const std::wstring& t, size_t& i) {
  size_t start = i;
  while (i < t.size() && isDigit(t[i])) ++i;
  return i - start;
}

}  // namespace

bool isDecimalNumber(const std::wstring& t) {
  size_t i = 0;
  while (i < t.size() && isBlank(t[i])) ++i;
  if (i < t.size() && (t[i] == L'+' || t[i] == L'-')) ++i;
  size_t digits = skipDigits(t, i);
  if (i < t.size() && t[i] == L'.') {
    ++i;
    digits += skipDigits(t, i);
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == L'e' || t[i] == L'E')) {
    ++i;
    if (i < t.size() && (t[i] == L'+' || t[i] == L'-')) ++i;
    if (skipDigits(t, i) == 0) return false;
  }
  while (i < t.size() && isBlank(t[i])) ++i;
  return i == t.size();
}

bool checkedit(std::wstring& text) {
  std::wstring number = text;
  if (number.size() >= 2 && number.compare(number.size() - 2, 2, L"mm") == 0) {
    number.resize(number.size() - 2);
  }
  if (!isDecimalNumber(number)) return false;
  text = number + L"mm";
  return true;
}

}  // namespace dialogs
