// Profile file lines (see profile_format.h).
#include "base/profile_format.h"

namespace base {
namespace {

// Letter case folding for names: ASCII, Latin-1 and Cyrillic letters.
wchar_t foldCase(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 0x20);
  if (c < 0x80) return c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 0x20);
  if (c >= 0x0410 && c <= 0x042F) return static_cast<wchar_t>(c + 0x20);
  if (c >= 0x0400 && c <= 0x040F) return static_cast<wchar_t>(c + 0x50);
  return c;
}

size_t firstNonBlank(const std::wstring& line) {
  size_t i = 0;
  while (i < line.size() && isProfileBlank(line[i])) ++i;
  return i;
}

std::wstring unquote(const std::wstring& value) {
  if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0]) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

bool isProfileBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring trimProfileBlanks(const std::wstring& text, size_t from, size_t to) {
  if (to > text.size()) to = text.size();
  while (from < to && isProfileBlank(text[from])) ++from;
  while (to > from && isProfileBlank(text[to - 1])) --to;
  return text.substr(from, to - from);
}

bool sameProfileName(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (foldCase(a[i]) != foldCase(b[i])) return false;
  }
  return true;
}

std::optional<std::wstring> profileSection(const std::wstring& line, const ProfileRules& rules) {
  const size_t i = firstNonBlank(line);
  if (i == line.size() || line[i] != L'[') return std::nullopt;
  const size_t close = line.find(L']', i + 1);
  if (close == std::wstring::npos && !rules.sectionWithoutClose) return std::nullopt;
  return trimProfileBlanks(line, i + 1, close);
}

std::optional<ProfileEntry> profileEntry(const std::wstring& line, const ProfileRules& rules) {
  const size_t i = firstNonBlank(line);
  if (i == line.size() || line[i] == L';') return std::nullopt;
  if (profileSection(line, rules)) return std::nullopt;
  const size_t equals = line.find(L'=', i);
  if (equals == std::wstring::npos) return std::nullopt;
  std::wstring key = trimProfileBlanks(line, i, equals);
  if (key.empty() && !rules.emptyKeys) return std::nullopt;
  return ProfileEntry{std::move(key), equals};
}

std::wstring profileValue(const std::wstring& line, size_t equals, const ProfileRules& rules) {
  std::wstring value = trimProfileBlanks(line, equals + 1);
  return rules.unquoteValues ? unquote(value) : value;
}

std::wstring profileStoredValue(std::wstring value) {
  for (auto& c : value) {
    if (c == L'\r' || c == L'\n') c = L' ';
  }
  // A read takes the text after "=": what it would change needs the quotes.
  if (profileValue(L"=" + value, 0) != value) return L"\"" + value + L"\"";
  return value;
}

}  // namespace base
