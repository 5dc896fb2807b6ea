// Fuzz target: the drill file check on any file bytes, with final names
// already taken or not. A file with fewer than three lines is refused and
// left; a file whose third line from the end is "%" is deleted; any other
// is moved to the first free final name in its folder and stamped after its
// first line, its other lines unchanged. Files that stood there stay as they
// were and nothing is written outside the folder.
#include <fuzzer/FuzzedDataProvider.h>

#include <map>

#include "base/encoding.h"
#include "base/error.h"
#include "base/path_text.h"
#include "base/text_file.h"
#include "export/drill_check.h"
#include "fuzz_support.h"

namespace {

std::map<std::string, std::string> folderContent(const fuzz::fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fuzz::fs::directory_iterator(dir)) {
    files[entry.path().filename().string()] = fuzz::readBytes(entry.path());
  }
  return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  base::setAnsiTable(in.ConsumeBool() ? base::cp1251Table() : base::cp1252Table());
  const fuzz::fs::path dir = fuzz::scratchDir();
  const int taken = in.ConsumeIntegralInRange(0, 2);  // b.TXT, b.TXT1 standing already
  for (int n = 0; n < taken; ++n) {
    fuzz::writeBytes(dir / (n ? "b.TXT" + std::to_string(n) : std::string("b.TXT")), "old");
  }
  const std::string bytes = in.ConsumeRemainingBytesAsString();
  const fuzz::fs::path file = dir / "b.1_2";
  fuzz::writeBytes(file, bytes);
  auto expected = folderContent(dir);
  const std::vector<std::wstring> lines = base::textFromBytes(bytes).lines;

  std::vector<std::wstring> failures;
  try {
    failures = exportcore::finishDrillFiles({{1, 2, base::pathText(file)}});
  } catch (const base::AppError&) {
    FUZZ_CHECK(lines.size() < 3);
    FUZZ_CHECK(folderContent(dir) == expected);
    return 0;
  }
  FUZZ_CHECK(lines.size() >= 3);
  FUZZ_CHECK(failures.empty());
  expected.erase("b.1_2");
  if (lines[lines.size() - 3] == L"%") {
    FUZZ_CHECK(folderContent(dir) == expected);
    return 0;
  }
  const std::string target = taken ? "b.TXT" + std::to_string(taken) : std::string("b.TXT");
  auto now = folderContent(dir);
  FUZZ_CHECK(now.count(target) == 1);
  const base::TextFile stamped = base::textFromBytes(now[target]);
  now.erase(target);
  FUZZ_CHECK(now == expected);
  std::vector<std::wstring> want = lines;
  want.insert(want.begin() + 1, {L";Korvant TAVROLIN", L";From Layer 1", L";To Layer 2"});
  FUZZ_CHECK(stamped.lines == want);
  return 0;
}
