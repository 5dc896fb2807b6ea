// Fuzz target: Gerber post-processing on any file bytes. After the layer
// name clean-up a file holds the lines it held, less every "%LN" line after
// the first; after the header stamp it holds the six header lines and then
// its lines. A row that is not exported keeps its file byte for byte.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <utility>

#include "base/encoding.h"
#include "base/line_stream.h"
#include "base/path_text.h"
#include "base/text_file.h"
#include "export/gerber_post.h"
#include "export_test_support.h"
#include "fuzz_support.h"

namespace {

bool isLayerName(const std::wstring& line) { return line.compare(0, 3, L"%LN") == 0; }

std::vector<std::wstring> firstLayerNameOnly(const std::vector<std::wstring>& lines) {
  std::vector<std::wstring> kept;
  bool seen = false;
  for (const std::wstring& line : lines) {
    if (isLayerName(line) && std::exchange(seen, true)) continue;
    kept.push_back(line);
  }
  return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  base::setAnsiTable(in.ConsumeBool() ? base::cp1251Table() : base::cp1252Table());
  const fuzz::fs::path dir = fuzz::scratchDir();
  std::vector<exporttest::Row> rows = {{L"Top", layers::kSignalLayer, 0},
                                       {L"Bottom", layers::kSignalLayer, 3, in.ConsumeBool()},
                                       {L"Top Silk", layers::kNonSignalLayer, 6}};
  rows[2].flash = in.ConsumeIntegralInRange(-1, 15);
  std::vector<std::string> bytes;
  for (size_t i = 0; i < rows.size(); ++i) {
    bytes.push_back(i + 1 < rows.size() ? in.ConsumeRandomLengthString(4096)
                                        : in.ConsumeRemainingBytesAsString());
  }
  layers::LayerTableModel table;
  exporttest::buildTable(table, rows);
  for (size_t i = 0; i < rows.size(); ++i) {
    const fuzz::fs::path file = dir / ("b.G" + std::to_string(i));
    fuzz::writeBytes(file, bytes[i]);
    table.rows[i].gerberPath = base::pathText(file);
  }

  exportcore::keepFirstLayerName(table);
  std::vector<std::vector<std::wstring>> cleaned;
  for (size_t i = 0; i < rows.size(); ++i) {
    const std::string now = fuzz::readBytes(dir / ("b.G" + std::to_string(i)));
    if (!rows[i].exported) {
      FUZZ_CHECK(now == bytes[i]);
      cleaned.emplace_back();
      continue;
    }
    const base::TextFile before = base::textFromBytes(bytes[i]), after = base::textFromBytes(now);
    FUZZ_CHECK(after.encoding == before.encoding);
    FUZZ_CHECK(after.lines == firstLayerNameOnly(before.lines));
    cleaned.push_back(after.lines);
  }

  exportcore::stampGerberHeaders(table);
  for (size_t i = 0; i < rows.size(); ++i) {
    const std::string now = fuzz::readBytes(dir / ("b.G" + std::to_string(i)));
    if (!rows[i].exported) {
      FUZZ_CHECK(now == bytes[i]);
      continue;
    }
    const base::TextFile after = base::textFromBytes(now);
    const std::vector<std::wstring>& lines = after.lines;
    // every line leaves with CR LF
    if (after.encoding != base::Encoding::Utf16LeBom) {
      FUZZ_CHECK(base::breaksAreCrLf(now));
    }
    FUZZ_CHECK(lines.size() == cleaned[i].size() + 6);
    FUZZ_CHECK(lines[0] == L"G04 Korvant TAVROLIN*");
    FUZZ_CHECK(lines[1] == L"G04 layer position = " + std::to_wstring(i) + L"*");
    FUZZ_CHECK(std::equal(cleaned[i].begin(), cleaned[i].end(), lines.begin() + 6));
  }
  FUZZ_CHECK(std::distance(fuzz::fs::directory_iterator(dir), {}) ==
             static_cast<long>(rows.size()));
  return 0;
}
