// The lines of a profile (INI) file as every reader of the program sees
// them: section lines, "key=value" entry lines, comments, blanks and letter
// case. The settings store, the job description's rewrite and the plot
// driver's job reader all read through these; the few points where they
// differ are the options of ProfileRules.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace base {

struct ProfileRules {
  // A line "[name" without "]" is a section line (as the platform's profile
  // functions read it); when false it is read as an entry line instead.
  bool sectionWithoutClose = true;
  // An entry line may have an empty key ("=value").
  bool emptyKeys = false;
  // One pair of enclosing quotes ('' or "") is dropped from a value.
  bool unquoteValues = true;
};

bool isProfileBlank(wchar_t c);

// The text between `from` and `to` without blanks (space, tab) at either end.
std::wstring trimProfileBlanks(const std::wstring& text, size_t from = 0,
                               size_t to = std::wstring::npos);

// Names compared regardless of letter case: ASCII, Latin-1 and Cyrillic.
bool sameProfileName(const std::wstring& a, const std::wstring& b);

// The section name when the line is a section line: its first non-blank
// character is "[", the name runs to the next "]" (or the line's end) and is
// read without surrounding blanks; text after "]" is ignored.
std::optional<std::wstring> profileSection(const std::wstring& line,
                                           const ProfileRules& rules = {});

struct ProfileEntry {
  std::wstring key;   // without surrounding blanks
  size_t equals = 0;  // position of the first "=" in the line
};

// The entry when the line is an entry line: not a section line, not a
// comment (first non-blank character ";"), and holding a "=".
std::optional<ProfileEntry> profileEntry(const std::wstring& line, const ProfileRules& rules = {});

// The value of an entry line: the text after its first "=", without
// surrounding blanks, and unquoted when the rules say so.
std::wstring profileValue(const std::wstring& line, size_t equals, const ProfileRules& rules = {});

// A value as it is written after "=" so that profileValue gives it back:
// line breaks would split the line and become blanks; a value that a read
// would trim or unquote is put in double quotes.
std::wstring profileStoredValue(std::wstring value);

}  // namespace base
