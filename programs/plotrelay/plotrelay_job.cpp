// Reading the plot driver's job (see plotrelay_job.h).
#include "plotrelay/plotrelay_job.h"

#include <cwctype>

#include "base/int_text.h"
#include "base/text_file.h"

namespace plotrelay {

namespace {

wchar_t foldCase(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c - L'A' + L'a');
  if (c >= 0x0410 && c <= 0x042F) return static_cast<wchar_t>(c + 0x20);  // А..Я
  if (c >= 0x0400 && c <= 0x040F) return static_cast<wchar_t>(c + 0x50);  // Ѐ..Џ
  return static_cast<wchar_t>(std::towlower(c));
}

int32_t triesOf(const JobSection* job, const std::wstring& key) {
  if (!job) return kDefaultTries;
  int32_t value = 0;
  if (!base::parseInt(job->value(key), value) || value < 1) return kDefaultTries;
  return value;
}

}  // namespace

bool sameNoCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (foldCase(a[i]) != foldCase(b[i])) return false;
  }
  return true;
}

std::wstring trimBlanks(const std::wstring& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && (text[begin] == L' ' || text[begin] == L'\t')) ++begin;
  while (end > begin && (text[end - 1] == L' ' || text[end - 1] == L'\t')) --end;
  return text.substr(begin, end - begin);
}

std::optional<std::wstring> JobSection::find(const std::wstring& key) const {
  for (const JobEntry& e : entries) {
    if (sameNoCase(e.key, key)) return e.value;
  }
  return std::nullopt;
}

std::wstring JobSection::value(const std::wstring& key) const { return find(key).value_or(L""); }

Job Job::parse(const std::vector<std::wstring>& lines) {
  Job job;
  for (const std::wstring& raw : lines) {
    const std::wstring line = trimBlanks(raw);
    if (line.empty() || line[0] == L';') continue;
    if (line[0] == L'[') {
      const size_t close = line.find(L']');
      if (close != std::wstring::npos) {
        job.sections_.push_back({trimBlanks(line.substr(1, close - 1)), {}});
        continue;
      }
    }
    const size_t eq = line.find(L'=');
    if (eq == std::wstring::npos || job.sections_.empty()) continue;
    job.sections_.back().entries.push_back({trimBlanks(line.substr(0, eq)), trimBlanks(line.substr(eq + 1))});
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
      if (e.value.size() < 2 || (e.value[0] != L'r' && e.value[0] != L'R') || e.value[1] != L'*') continue;
      out.push_back({list, e.key, trimBlanks(e.value.substr(2))});
    }
  }
  return out;
}

}  // namespace plotrelay
