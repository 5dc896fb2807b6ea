// The settings file main.ini in the Windows profile (INI) format, read and
// written the way the platform's profile functions do it, on every platform.
// Nothing is held open or cached: every call reads the file, and every write
// rewrites it whole through a temporary file, keeping every line it does not
// change exactly as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace base {

class SettingsStore {
 public:
  // The longest value a read returns; longer values are cut.
  static constexpr size_t kMaxValueLength = 2047;

  explicit SettingsStore(std::filesystem::path path);
  const std::filesystem::path& path() const { return path_; }

  // The value after the first "=" of the key's line, blanks around it removed
  // and one enclosing pair of quotes ('' or "") dropped; `fallback` when the
  // file, the section or the key is missing. Names match regardless of case.
  std::wstring readString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& fallback) const;
  // Decimal, or hexadecimal after "0x"; `fallback` when missing or no integer.
  int32_t readInteger(const std::wstring& section, const std::wstring& key, int32_t fallback) const;
  // An integer: non-zero is true; `fallback` when missing or no integer.
  bool readBool(const std::wstring& section, const std::wstring& key, bool fallback) const;
  // The key names of the section in file order; empty when it is missing.
  std::vector<std::wstring> readSectionKeys(const std::wstring& section) const;

  // Replaces the value on the key's line, or adds the key at the end of its
  // section, or the section at the end of the file (creating the file).
  // Throws base::AppError with a message naming the file when the file
  // cannot be written; the file is then unchanged.
  void writeString(const std::wstring& section, const std::wstring& key, const std::wstring& value);
  void writeInteger(const std::wstring& section, const std::wstring& key, int32_t value);
  void writeBool(const std::wstring& section, const std::wstring& key, bool value);

 private:
  std::filesystem::path path_;
};

}  // namespace base
