// Rewriting one key of every section of a profile text (see profile_rewrite.h).
#include "export/profile_rewrite.h"

#include "base/profile_format.h"

namespace exportcore {

void appendToProfileKey(std::vector<std::wstring>& lines, const std::wstring& key,
                        const std::wstring& suffix) {
  bool inSection = false;
  bool doneInSection = false;
  for (std::wstring& line : lines) {
    if (base::profileSection(line)) {
      inSection = true;
      doneInSection = false;
      continue;
    }
    if (!inSection || doneInSection) continue;
    const auto entry = base::profileEntry(line);
    if (!entry || !base::sameProfileName(entry->key, key)) continue;
    line = key + L"=" + base::profileValue(line, entry->equals) + suffix;
    doneInSection = true;
  }
}

}  // namespace exportcore
