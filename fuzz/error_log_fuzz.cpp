// Fuzz target: the plot driver's error log. For any log bytes, the count is
// the sum of the line counts, capped at the largest 32-bit value, and a line
// counts only when it is "errors - " with blanks and nothing but digits.
#include <fuzzer/FuzzedDataProvider.h>

#include <limits>

#include "base/path_text.h"
#include "base/text_file.h"
#include "export/error_log.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const fuzz::fs::path file = fuzz::scratchDir() / "b.ERR";
  fuzz::writeBytes(file, bytes);
  const int32_t count = exportcore::countLoggedErrors(base::pathText(file));

  int64_t sum = 0;
  for (const std::wstring& line : base::textFromBytes(bytes).lines) {
    const int64_t n = exportcore::errorCountOf(line);
    FUZZ_CHECK(n >= 0 && n <= std::numeric_limits<int32_t>::max());
    if (n > 0) {
      const std::wstring prefix = L"errors - ";
      FUZZ_CHECK(line.compare(0, prefix.size(), prefix) == 0);
      const size_t digits = line.find_first_not_of(L" \t", prefix.size());
      FUZZ_CHECK(digits != std::wstring::npos);
      FUZZ_CHECK(line.find_first_not_of(L"0123456789", digits) == std::wstring::npos);
      FUZZ_CHECK(std::stoll(base::toUtf8(line.substr(digits))) == n);
    }
    sum = std::min<int64_t>(sum + n, std::numeric_limits<int32_t>::max());
  }
  FUZZ_CHECK(count == sum);
  return 0;
}
