// Rewriting one key of every section of a job description held in memory,
// by the rules of Windows profile files: sections in square brackets, entries
// "key=value", names compared without regard to case, values read without
// surrounding blanks and one pair of enclosing quotes.
#pragma once

#include <string>
#include <vector>

namespace exportcore {

// For every section (each section line counts on its own) that has an entry
// `key`, its first such entry becomes key + "=" + its value + suffix.
// Entries above the first section belong to no section and stay.
void appendToProfileKey(std::vector<std::wstring>& lines, const std::wstring& key,
                        const std::wstring& suffix);

}  // namespace exportcore
