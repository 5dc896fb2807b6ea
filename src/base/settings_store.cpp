// Profile file reading and writing (see settings_store.h).
//
// Lines: "[name]" opens a section (blanks around it and around the name are
// ignored, text after "]" too); "key=value" is a key of the current section
// (the first "=" separates, blanks around key and value are ignored); lines
// starting with ";" are comments; every other line is kept and ignored. When
// a section name stands more than once, its parts count as one section.
#include "base/settings_store.h"

#include <optional>

#include "base/encoding.h"
#include "base/error.h"
#include "base/int_text.h"
#include "base/path_text.h"
#include "base/profile_format.h"
#include "base/text_file.h"

namespace fs = std::filesystem;

namespace base {

namespace {

// Where a key stands in the file. Indexes are line numbers, -1 for none.
struct Location {
  long long section = -1;        // the section's first header line
  long long lastInSection = -1;  // the last key line of that first part
  long long key = -1;            // the key's first line in any part of the section
  size_t equals = 0;
};

Location locate(const TextFile& file, const std::wstring& section, const std::wstring& key) {
  Location at;
  bool inSection = false;
  bool inFirstPart = false;
  for (size_t i = 0; i < file.lines.size(); ++i) {
    const std::wstring& line = file.lines[i];
    if (auto name = profileSection(line)) {
      inSection = sameProfileName(*name, section);
      inFirstPart = inSection && at.section < 0;
      if (inFirstPart) {
        at.section = static_cast<long long>(i);
        at.lastInSection = at.section;
      }
      continue;
    }
    if (!inSection) continue;
    auto k = profileEntry(line);
    if (!k) continue;
    if (inFirstPart) at.lastInSection = static_cast<long long>(i);
    if (at.key < 0 && sameProfileName(k->key, key)) {
      at.key = static_cast<long long>(i);
      at.equals = k->equals;
    }
  }
  return at;
}

std::optional<TextFile> load(const fs::path& path) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return std::nullopt;
  try {
    return readTextFile(path);
  } catch (const AppError&) {
    return std::nullopt;
  }
}

[[noreturn]] void throwWriteError(const fs::path& path, const std::wstring& reason) {
  throw AppError(L"Не удалось записать файл настроек \"" + pathText(path) + L"\": " + reason);
}

void checkName(const fs::path& path, const std::wstring& name, const std::wstring& forbidden) {
  // A read trims the names: blanks around one would make the key unreadable.
  const std::wstring trimmed = trimProfileBlanks(name);
  bool bad = trimmed.empty() || trimmed != name;
  for (wchar_t c : name) {
    bad = bad || c == L'\r' || c == L'\n' || forbidden.find(c) != std::wstring::npos;
  }
  if (bad) throwWriteError(path, L"недопустимое имя \"" + name + L"\"");
}

}  // namespace

SettingsStore::SettingsStore(fs::path path) : path_(std::move(path)) {}

std::wstring SettingsStore::readString(const std::wstring& section, const std::wstring& key,
                                       const std::wstring& fallback) const {
  const auto file = load(path_);
  if (!file) return fallback;
  const Location at = locate(*file, section, key);
  if (at.key < 0) return fallback;
  const std::wstring& line = file->lines[static_cast<size_t>(at.key)];
  std::wstring value = profileValue(line, at.equals);
  if (value.size() > kMaxValueLength) value.resize(kMaxValueLength);
  return value;
}

int32_t SettingsStore::readInteger(const std::wstring& section, const std::wstring& key,
                                   int32_t fallback) const {
  const std::wstring value = readString(section, key, L"");
  return value.empty() ? fallback : profileInt(value, fallback);
}

bool SettingsStore::readBool(const std::wstring& section, const std::wstring& key,
                             bool fallback) const {
  return readInteger(section, key, fallback ? 1 : 0) != 0;
}

std::vector<std::wstring> SettingsStore::readSectionKeys(const std::wstring& section) const {
  std::vector<std::wstring> keys;
  const auto file = load(path_);
  if (!file) return keys;
  bool inSection = false;
  for (const auto& line : file->lines) {
    if (auto name = profileSection(line)) {
      inSection = sameProfileName(*name, section);
    } else if (inSection) {
      if (auto k = profileEntry(line)) keys.push_back(std::move(k->key));
    }
  }
  return keys;
}

void SettingsStore::writeString(const std::wstring& section, const std::wstring& key,
                                const std::wstring& value) {
  checkName(path_, section, L"[]");
  checkName(path_, key, L"=[;");
  TextFile file;
  std::error_code ec;
  if (fs::exists(path_, ec)) {
    try {
      file = readTextFile(path_);
    } catch (const AppError& e) {
      throwWriteError(path_, e.text());
    }
  }
  const std::wstring stored = profileStoredValue(value);
  const Location at = locate(file, section, key);
  if (at.key >= 0) {
    // Keep the key as written and the blanks after "="; replace the rest.
    std::wstring& line = file.lines[static_cast<size_t>(at.key)];
    size_t valueStart = at.equals + 1;
    while (valueStart < line.size() && isProfileBlank(line[valueStart])) ++valueStart;
    line = line.substr(0, valueStart) + stored;
  } else if (at.section >= 0) {
    file.lines.insert(file.lines.begin() + at.lastInSection + 1, key + L"=" + stored);
  } else {
    if (!file.lines.empty() && !trimProfileBlanks(file.lines.back()).empty())
      file.lines.emplace_back();
    file.lines.push_back(L"[" + section + L"]");
    file.lines.push_back(key + L"=" + stored);
  }
  // A character that the 8-bit code page cannot hold would be lost: such a
  // file is written in UTF-16 instead, which the profile format also allows.
  if (file.encoding == Encoding::Ansi &&
      !(ansiCanHold(section) && ansiCanHold(key) && ansiCanHold(stored))) {
    file.encoding = Encoding::Utf16LeBom;
  }
  try {
    writeTextFile(path_, file);
  } catch (const AppError& e) {
    throwWriteError(path_, e.text());
  }
}

void SettingsStore::writeInteger(const std::wstring& section, const std::wstring& key,
                                 int32_t value) {
  writeString(section, key, std::to_wstring(value));
}

void SettingsStore::writeBool(const std::wstring& section, const std::wstring& key, bool value) {
  writeString(section, key, value ? L"1" : L"0");
}

}  // namespace base
