// The plot driver's error log (see error_log.h).
#include "export/error_log.h"

#include <limits>

#include "base/text_file.h"
#include "export/export_paths.h"

namespace exportcore {

int64_t errorCountOf(const std::wstring& line) {
  constexpr std::wstring_view kPrefix = L"errors - ";
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  if (line.compare(0, kPrefix.size(), kPrefix) != 0) return 0;
  size_t i = kPrefix.size();
  while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
  if (i == line.size()) return 0;
  int64_t value = 0;
  for (; i < line.size(); ++i) {
    if (line[i] < L'0' || line[i] > L'9') return 0;
    value = value * 10 + (line[i] - L'0');
    if (value > kMax) return 0;  // not a 32-bit number
  }
  return value;
}

int32_t countLoggedErrors(const std::wstring& filename) {
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  const base::TextFile log = base::readTextFile(toPath(filename));
  int64_t sum = 0;
  for (const std::wstring& line : log.lines) {
    sum += errorCountOf(line);
    if (sum > kMax) sum = kMax;
  }
  return static_cast<int32_t>(sum);
}

}  // namespace exportcore
