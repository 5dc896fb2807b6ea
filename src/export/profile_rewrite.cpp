// Rewriting one key of every section of a profile text (see profile_rewrite.h).
#include "export/profile_rewrite.h"

#include <cwctype>

namespace exportcore {

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring trimmed(const std::wstring& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && isBlank(text[first])) ++first;
  while (last > first && isBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool sameName(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return true;
}

bool isSectionLine(const std::wstring& line) {
  const size_t first = line.find_first_not_of(L" \t");
  return first != std::wstring::npos && line[first] == L'[';
}

}  // namespace

std::wstring profileValue(const std::wstring& rawValue) {
  std::wstring value = trimmed(rawValue);
  if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

void appendToProfileKey(std::vector<std::wstring>& lines, const std::wstring& key,
                        const std::wstring& suffix) {
  bool inSection = false;
  bool doneInSection = false;
  for (std::wstring& line : lines) {
    if (isSectionLine(line)) {
      inSection = true;
      doneInSection = false;
      continue;
    }
    if (!inSection || doneInSection) continue;
    const size_t eq = line.find(L'=');
    if (eq == std::wstring::npos || !sameName(trimmed(line.substr(0, eq)), key)) continue;
    line = key + L"=" + profileValue(line.substr(eq + 1)) + suffix;
    doneInSection = true;
  }
}

}  // namespace exportcore
