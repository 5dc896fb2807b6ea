// The main.ini keys the program reads outside [layers], each with the value
// it takes when main.ini, the section or the key is missing or the value is
// no number. Start-up, the export run and the settings dialog read through
// these, so every default stands here once.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "base/settings_store.h"

namespace base {

struct IntSetting {
  const wchar_t* section;
  const wchar_t* key;
  int32_t fallback;
};
struct BoolSetting {
  const wchar_t* section;
  const wchar_t* key;
  bool fallback;
};
struct TextSetting {
  const wchar_t* section;
  const wchar_t* key;
  const wchar_t* fallback;
};

inline constexpr IntSetting kWindowDelay{L"main", L"dw", 10};   // ms
inline constexpr IntSetting kControlDelay{L"main", L"dc", 10};  // ms
inline constexpr BoolSetting kAutoClose{L"main", L"autoclose", false};
inline constexpr TextSetting kOutputDir{L"pcad", L"dir", L""};
inline constexpr TextSetting kSolderMaskSwell{L"pcad", L"SMS", L""};
inline constexpr TextSetting kPlaneSwell{L"pcad", L"PS", L""};
inline constexpr BoolSetting kAutoSms{L"pcad", L"AutoSMS", true};
inline constexpr BoolSetting kAutoPs{L"pcad", L"AutoPS", true};
inline constexpr BoolSetting kCleanGrb{L"pcad", L"CleanGRB", true};  // one "%LN" per Gerber file
inline constexpr IntSetting kErrorChoice{L"pcad", L"errcheck", 2};   // 0 go on, 1 stop, 2 ask
// the board house's archive after an export, and file attributes in the files
inline constexpr BoolSetting kFabArchive{L"pcad", L"FabZip", false};
inline constexpr BoolSetting kX2Attributes{L"pcad", L"X2", false};

inline int32_t readSetting(const SettingsStore& ini, const IntSetting& s) {
  return ini.readInteger(s.section, s.key, s.fallback);
}
inline bool readSetting(const SettingsStore& ini, const BoolSetting& s) {
  return ini.readBool(s.section, s.key, s.fallback);
}
inline std::wstring readSetting(const SettingsStore& ini, const TextSetting& s) {
  return ini.readString(s.section, s.key, s.fallback);
}

// A search delay as start-up keeps it for the run: a negative delay is none.
inline int32_t readDelay(const SettingsStore& ini, const IntSetting& s) {
  return std::max<int32_t>(0, readSetting(ini, s));
}

}  // namespace base
