// Gerber file attributes (see x2_attributes.h).
#include "export/x2_attributes.h"

#include <algorithm>
#include <cstdio>

#include "base/encoding.h"

namespace exportcore {

namespace {

// Days since 1970-01-01 of a civil date.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

long long secondsOf(const std::tm& tm) {
  return daysFromCivil(tm.tm_year + 1900LL, static_cast<unsigned>(tm.tm_mon + 1),
                       static_cast<unsigned>(tm.tm_mday)) *
             86400 +
         tm.tm_hour * 3600LL + tm.tm_min * 60LL + tm.tm_sec;
}

// An attribute value holds neither the record's end "*" nor "%".
std::wstring cleanValue(std::wstring text) {
  text.erase(std::remove_if(text.begin(), text.end(),
                            [](wchar_t c) { return c == L'*' || c == L'%' || c < L' '; }),
             text.end());
  return text;
}

}  // namespace

X2Setup readX2Setup(const base::SettingsStore& ini, std::time_t when) {
  X2Setup setup;
  setup.creationDate = isoLocalTime(when);
  for (const std::wstring& key : ini.readSectionKeys(L"x2")) {
    const std::wstring function = cleanValue(ini.readString(L"x2", key, L""));
    if (!function.empty()) setup.functions[key] = function;
  }
  return setup;
}

std::wstring isoLocalTime(std::time_t when) {
  std::tm local{};
  std::tm utc{};
#ifdef _WIN32
  localtime_s(&local, &when);
  gmtime_s(&utc, &when);
#else
  localtime_r(&when, &local);
  gmtime_r(&when, &utc);
#endif
  const long long offset = (secondsOf(local) - secondsOf(utc)) / 60;
  const long long hours = (offset < 0 ? -offset : offset) / 60;
  const long long minutes = (offset < 0 ? -offset : offset) % 60;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d%c%02lld:%02lld",
                local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                local.tm_sec, offset < 0 ? '-' : '+', hours, minutes);
  return base::fromUtf8(buffer);
}

std::wstring copperFunction(const std::wstring& mapped, int copperNumber) {
  const std::wstring head = L"Copper,";
  if (mapped.compare(0, head.size(), head) != 0 || copperNumber <= 0) return mapped;
  return head + L"L" + std::to_wstring(copperNumber) + L"," + mapped.substr(head.size());
}

std::wstring drillFunction(int from, int to, int copperCount) {
  const int top = std::min(from, to);
  const int bottom = std::max(from, to);
  const bool outerTop = top == 1;
  const bool outerBottom = bottom == copperCount;
  const wchar_t* kind = outerTop && outerBottom   ? L"PTH"
                        : outerTop || outerBottom ? L"Blind"
                                                  : L"Buried";
  return L"Plated," + std::to_wstring(top) + L"," + std::to_wstring(bottom) + L"," + kind;
}

std::vector<std::wstring> attributeValues(const X2Setup& setup, const std::wstring& function) {
  std::vector<std::wstring> values = {L"TF.GenerationSoftware,Korvant,Tavrolin,1.3",
                                      L"TF.CreationDate," + setup.creationDate};
  if (!function.empty()) values.push_back(L"TF.FileFunction," + function);
  values.push_back(L"TF.FilePolarity,Positive");
  return values;
}

std::vector<std::wstring> gerberAttributeLines(const std::vector<std::wstring>& values) {
  std::vector<std::wstring> lines;
  for (const std::wstring& v : values) lines.push_back(L"%" + v + L"*%");
  return lines;
}

std::vector<std::wstring> drillAttributeLines(const std::vector<std::wstring>& values) {
  std::vector<std::wstring> lines;
  for (const std::wstring& v : values) lines.push_back(L"; #@! " + v);
  return lines;
}

}  // namespace exportcore
