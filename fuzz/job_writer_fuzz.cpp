// Fuzz target: the job description writer with any templates, layer names
// and design name. A template it cannot use is refused with a message and
// the old job is left as it was; a job it writes holds no marker line, and
// every output path it records lies in the output directory.
#include <fuzzer/FuzzedDataProvider.h>

#include "base/encoding.h"
#include "base/error.h"
#include "base/path_text.h"
#include "base/text_file.h"
#include "export/export_paths.h"
#include "export/job_writer.h"
#include "export_test_support.h"
#include "fuzz_support.h"

namespace {

// The shipped templates for the editor version 2004, build 215, in short.
const char* const kShipped[] = {
    "[@Job]\r\nOutputPathID=\r\nRun=@Layers,@Drills\r\n[@Layers]\r\n#layerinit#\r\n"
    "[@Drills]\r\n#drillinit#\r\n#layers#\r\n#drills#\r\n",
    "Kind=gerber\r\nSteps=@GerberSteps\r\nOutputPathID=\r\n;\r\n;\r\n;\r\n;\r\n;\r\nLayer=\r\n"
    "Ext=\r\n;\r\nOffsetX=\r\nOffsetY=\r\n;\r\nPad=\r\nVias=\r\nPVHoles=\r\nNoMtHole=\r\n"
    "RefDes=\r\nTipe=\r\nValue=\r\nMirror=\r\nTitles=\r\n",
    "Kind=drill\r\nSteps=@DrillSteps\r\nOutputPathID=\r\n;\r\n;\r\n;\r\n;\r\nExt=\r\n;\r\n"
    "OffsetX=\r\nOffsetY=\r\n;\r\nLayers=\r\n",
    "All = r*@DrillAll\r\n[@DrillAll]\r\nOffsetX=\r\nOffsetY=\r\nExt=TXT\r\n",
};
const char* const kNames[] = {"2004_215.ini", "2004_215_l.ini", "2004_215_d.ini",
                              "2004_215_dl.ini"};

bool isMarker(const std::wstring& line) {
  return line == L"#layerinit#" || line == L"#layers#" || line == L"#drillinit#" ||
         line == L"#drills#";
}

// A path that is the output directory followed by one plain file name.
bool inOutputDir(const std::wstring& path, const std::wstring& dir) {
  if (path.compare(0, dir.size(), dir) != 0) return false;
  const std::wstring name = path.substr(dir.size());
  return !name.empty() && name != L"." && name != L".." &&
         name.find_first_of(L"\\/:") == std::wstring::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const fuzz::fs::path root = fuzz::scratchDir();
  const fuzz::fs::path macros = root / "macros", out = root / "out";
  fuzz::fs::create_directories(macros);
  fuzz::fs::create_directories(out);

  std::vector<exporttest::Row> rows;
  const size_t count = in.ConsumeIntegralInRange<size_t>(0, 5);
  for (size_t i = 0; i < count; ++i) {
    exporttest::Row row;
    row.name = base::fromUtf8(in.ConsumeRandomLengthString(10));
    for (wchar_t& c : row.name) {
      if (c == L'\r' || c == L'\n') c = L' ';  // the editor's list holds one line per layer
    }
    row.layerClass = in.ConsumeIntegralInRange(0, 4);
    row.type = in.ConsumeIntegralInRange(-1, 20);
    row.exported = in.ConsumeBool();
    rows.push_back(row);
  }
  const std::wstring designName = base::fromUtf8(in.ConsumeRandomLengthString(16));
  for (size_t t = 0; t < 4; ++t) {
    std::string bytes = kShipped[t];
    if (in.ConsumeBool()) {
      const std::string part = in.ConsumeRandomLengthString(200);
      bytes = in.ConsumeBool()
                  ? part
                  : bytes.insert(in.ConsumeIntegralInRange<size_t>(0, bytes.size()), part);
    }
    fuzz::writeBytes(macros / kNames[t], bytes);
  }

  layers::LayerTableModel table;
  exporttest::buildTable(table, rows);
  table.offsetX.setText(L"0");
  table.offsetY.setText(L"0");
  const std::wstring dir = base::pathText(out) + L"/";
  const fuzz::fs::path job = out / "pcad.ini";
  fuzz::writeBytes(job, "old job");
  try {
    exportcore::writeJobDescription(table, dir + L"pcad.ini",
                                    {base::pathText(macros) + L"/", L"2004", L"215", designName});
  } catch (const base::AppError&) {
    FUZZ_CHECK(fuzz::readBytes(job) == "old job");
    return 0;
  }
  for (const std::wstring& line : base::readTextFile(job).lines) FUZZ_CHECK(!isMarker(line));
  for (const layers::LayerRow& row : table.rows) {
    if (row.exported()) FUZZ_CHECK(inOutputDir(row.gerberPath, dir));
  }
  FUZZ_CHECK(!table.drills.empty());
  for (const layers::DrillFile& drill : table.drills) FUZZ_CHECK(inOutputDir(drill.path, dir));
  FUZZ_CHECK(std::distance(fuzz::fs::directory_iterator(out), {}) == 1);
  return 0;
}
