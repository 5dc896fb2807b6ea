// Fuzz target: the plot driver's command line check. For any arguments: a
// command line is accepted with no error text or refused with one; what is
// accepted is what was given; a place to report to is only ever taken from
// the arguments themselves (a report path that is one of them and ends in
// ".ERR", a log folder that is the folder of one of them).
#include <fuzzer/FuzzedDataProvider.h>

#include <cwctype>

#include "base/encoding.h"
#include "fuzz_support.h"
#include "plotrelay/plotrelay_args.h"

namespace {

bool isOneOf(const std::wstring& text, const std::vector<std::wstring>& args) {
  for (const std::wstring& a : args) {
    if (a == text) return true;
  }
  return false;
}

bool isFolderOfOne(const std::wstring& dir, const std::vector<std::wstring>& args) {
  for (const std::wstring& a : args) {
    if (plotrelay::directoryOf(a) == dir) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  std::vector<std::wstring> args;
  while (in.remaining_bytes() > 0 && args.size() < 10) {
    args.push_back(base::fromUtf8(in.ConsumeRandomLengthString(24)));
  }
  const plotrelay::ArgsCheck check = plotrelay::checkDriverArgs(args);
  FUZZ_CHECK(check.ok == check.error.empty());
  if (!check.reportPath.empty()) {
    FUZZ_CHECK(isOneOf(check.reportPath, args));
    if (!check.ok) {
      FUZZ_CHECK(check.reportPath.size() >= 4);
      std::wstring tail = check.reportPath.substr(check.reportPath.size() - 4);
      for (wchar_t& c : tail) c = static_cast<wchar_t>(std::towlower(c));
      FUZZ_CHECK(tail == L".err");
    }
  }
  if (!check.logDir.empty()) FUZZ_CHECK(isFolderOfOne(check.logDir, args));
  if (check.ok) {
    FUZZ_CHECK(args.size() == 6);
    FUZZ_CHECK(check.args.jobPath == args[1] && check.args.reportPath == args[2]);
    FUZZ_CHECK(std::to_wstring(check.args.editor) ==
               args[0].substr(std::min(args[0].find_first_not_of(L'0'), args[0].size() - 1)));
    FUZZ_CHECK(check.args.windowDelay >= 0 && check.args.controlDelay >= 0);
    FUZZ_CHECK(check.args.stopOnError == (args[5] == L"1"));
  }
  return 0;
}
