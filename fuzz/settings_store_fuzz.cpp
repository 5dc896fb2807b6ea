// Fuzz target: the settings store on any file bytes. Every read survives;
// a write of a key either is refused with a message or, read back, gives the
// value; every other line keeps its text, the written line replaces one
// line or is added (with its section line when the section is new).
#include <fuzzer/FuzzedDataProvider.h>

#include "base/encoding.h"
#include "base/error.h"
#include "base/profile_format.h"
#include "base/settings_store.h"
#include "base/text_file.h"
#include "fuzz_support.h"

namespace {

// Names that the settings use, and some that the fuzzer makes.
std::wstring pickName(FuzzedDataProvider& in) {
  static const wchar_t* const known[] = {L"main", L"pcad", L"layers", L"dw", L"SMS", L"dir"};
  if (in.ConsumeBool()) return known[in.ConsumeIntegralInRange<size_t>(0, 5)];
  return base::fromUtf8(in.ConsumeRandomLengthString(12));
}

// The lines of `before` are all in `after`, in order, apart from one line
// that the write replaced or the lines it added.
bool onlyTheKeyChanged(const std::vector<std::wstring>& before,
                       const std::vector<std::wstring>& after) {
  size_t first = 0;
  while (first < before.size() && first < after.size() && before[first] == after[first]) ++first;
  size_t tailB = before.size(), tailA = after.size();
  while (tailB > first && tailA > first && before[tailB - 1] == after[tailA - 1]) {
    --tailB;
    --tailA;
  }
  const size_t removed = tailB - first, added = tailA - first;
  if (removed == 1 && added == 1) return true;  // the key's line replaced
  if (removed == 0 && added == 1) return true;  // the key added to its section
  // a new section at the end, after a blank line when the last is not blank
  return removed == 0 && tailA == after.size() && (added == 2 || added == 3);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  base::setAnsiTable(in.ConsumeBool() ? base::cp1251Table() : base::cp1252Table());
  const std::wstring section = pickName(in);
  const std::wstring key = pickName(in);
  const std::wstring value = base::fromUtf8(in.ConsumeRandomLengthString(40));
  const std::string bytes = in.ConsumeRemainingBytesAsString();

  const fuzz::fs::path file = fuzz::scratchDir() / "main.ini";
  fuzz::writeBytes(file, bytes);
  base::SettingsStore ini(file);
  ini.readInteger(L"main", L"dw", 10);
  ini.readBool(L"pcad", L"AutoSMS", true);
  for (const std::wstring& k : ini.readSectionKeys(L"layers")) ini.readString(L"layers", k, L"");

  const base::TextFile before = base::textFromBytes(bytes);
  try {
    ini.writeString(section, key, value);
  } catch (const base::AppError&) {
    // refused: the name cannot be written; the file stays as it was
    FUZZ_CHECK(fuzz::readBytes(file) == bytes);
    return 0;
  }
  std::wstring expected = value;
  for (wchar_t& c : expected) {
    if (c == L'\r' || c == L'\n') c = L' ';
  }
  expected.resize(std::min(expected.size(), base::SettingsStore::kMaxValueLength));
  const std::wstring readBack = ini.readString(section, key, L"\x1");
  if (readBack != expected) {
    for (unsigned char b : bytes) std::fprintf(stderr, "%02x ", b);
    std::fprintf(stderr, "\nbecame\n");
    for (unsigned char b : fuzz::readBytes(file)) std::fprintf(stderr, "%02x ", b);
    std::fprintf(stderr, "\n");
    std::fprintf(stderr, "[%s] %s=%s read back as %s\n", base::toUtf8(section).c_str(),
                 base::toUtf8(key).c_str(), base::toUtf8(value).c_str(),
                 base::toUtf8(readBack).c_str());
  }
  FUZZ_CHECK(readBack == expected);
  FUZZ_CHECK(onlyTheKeyChanged(before.lines, base::textFromBytes(fuzz::readBytes(file)).lines));
  return 0;
}
