// The plot driver's job as read from pcad.ini: an INI file of sections and
// entries, the [@Job] settings, and the blocks to run in the order of the
// run lists.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plotrelay {

struct JobEntry {
  std::wstring key;
  std::wstring value;  // blanks around it removed
};

struct JobSection {
  std::wstring name;
  std::vector<JobEntry> entries;
  // The value of the first entry `key` (compared without regard to case).
  std::optional<std::wstring> find(const std::wstring& key) const;
  // The same, empty when absent.
  std::wstring value(const std::wstring& key) const;
};

// Tries per search when [@Job] names none or an unusable number.
constexpr int32_t kDefaultTries = 1000;

struct JobSettings {
  std::vector<std::wstring> runLists;  // "@Layers", "@Drills"
  int32_t windowTries = kDefaultTries;
  int32_t controlTries = kDefaultTries;
};

// One block to run: the run list it came from, the entry's label and the
// block's section name.
struct BlockRef {
  std::wstring runList;
  std::wstring label;
  std::wstring section;
};

class Job {
 public:
  // Splits the lines into sections: "[name]" lines open a section,
  // "key=value" lines are entries (blanks around key and value ignored),
  // lines starting with ';' and lines without '=' are comments. Entries
  // above the first section are ignored.
  static Job parse(const std::vector<std::wstring>& lines);
  // Reads the file in its encoding (byte-order mark, else the 8-bit code
  // page); throws AppError when it cannot be read.
  static Job read(const std::filesystem::path& path);

  // The first section of that name (compared without regard to case).
  const JobSection* section(const std::wstring& name) const;
  JobSettings settings() const;
  // The blocks of every run list in [@Job] Run, in order: for each list the
  // entries whose value starts with "r*", in file order. A run list named
  // in Run without a section of its own is returned in `missingLists`.
  std::vector<BlockRef> blocks(std::vector<std::wstring>* missingLists = nullptr) const;

 private:
  std::vector<JobSection> sections_;
};

// Text comparison without regard to case (ASCII and Cyrillic letters alike).
bool sameNoCase(const std::wstring& a, const std::wstring& b);
std::wstring trimBlanks(const std::wstring& text);

}  // namespace plotrelay
