// Reading the plot driver's job (see plotrelay_job.h).
#include "plotrelay/plotrelay_job.h"

#include "base/int_text.h"
#include "base/profile_format.h"
#include "base/text_file.h"

namespace plotrelay {

namespace {

// The job's lines as the driver reads them: "[name" without "]" is no
// section, an entry may have an empty key, and values keep their quotes.
constexpr base::ProfileRules kJobRules{false, true, false};

int32_t triesOf(const JobSection* job, const std::wstring& key) {
  if (!job) return kDefaultTries;
  int32_t value = 0;
  if (!base::parseInt(job->value(key), value) || value < 1) return kDefaultTries;
  return value;
}

}  // namespace

bool sameNoCase(const std::wstring& a, const std::wstring& b) {
  return base::sameProfileName(a, b);
}

std::wstring trimBlanks(const std::wstring& text) { return base::trimProfileBlanks(text); }

std::optional<std::wstring> JobSection::find(const std::wstring& key) const {
  for (const JobEntry& e : entries) {
    if (sameNoCase(e.key, key)) return e.value;
  }
  return std::nullopt;
}

std::wstring JobSection::value(const std::wstring& key) const { return find(key).value_or(L""); }

Job Job::parse(const std::vector<std::wstring>& lines) {
  Job job;
  for (const std::wstring& line : lines) {
    if (auto name = base::profileSection(line, kJobRules)) {
      job.sections_.push_back({std::move(*name), {}});
      continue;
    }
    const auto entry = base::profileEntry(line, kJobRules);
    if (!entry || job.sections_.empty()) continue;
    job.sections_.back().entries.push_back(
        {entry->key, base::profileValue(line, entry->equals, kJobRules)});
  }
  return job;
}

Job Job::read(const std::filesystem::path& path) { return parse(base::readTextFile(path).lines); }

const JobSection* Job::section(const std::wstring& name) const {
  for (const JobSection& s : sections_) {
    if (sameNoCase(s.name, name)) return &s;
  }
  return nullptr;
}

JobSettings Job::settings() const {
  JobSettings settings;
  const JobSection* job = section(L"@Job");
  const std::wstring run = job ? job->value(L"Run") : L"";
  size_t start = 0;
  while (start <= run.size()) {
    size_t comma = run.find(L',', start);
    if (comma == std::wstring::npos) comma = run.size();
    const std::wstring name = trimBlanks(run.substr(start, comma - start));
    if (!name.empty()) settings.runLists.push_back(name);
    start = comma + 1;
  }
  settings.windowTries = triesOf(job, L"WindowTries");
  settings.controlTries = triesOf(job, L"ControlTries");
  return settings;
}

std::vector<BlockRef> Job::blocks(std::vector<std::wstring>* missingLists) const {
  std::vector<BlockRef> out;
  for (const std::wstring& list : settings().runLists) {
    const JobSection* s = section(list);
    if (!s) {
      if (missingLists) missingLists->push_back(list);
      continue;
    }
    for (const JobEntry& e : s->entries) {
      if (e.value.size() < 2 || (e.value[0] != L'r' && e.value[0] != L'R') || e.value[1] != L'*')
        continue;
      out.push_back({list, e.key, trimBlanks(e.value.substr(2))});
    }
  }
  return out;
}

}  // namespace plotrelay
