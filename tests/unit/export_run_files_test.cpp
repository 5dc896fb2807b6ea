// Post-processing after a driver run works only on the files the driver
// wrote in that run; files left from an earlier export stay as they were and
// are named to the operator.
#include <gtest/gtest.h>

#include "base/encoding.h"
#include "base_test_files.h"
#include "export/drill_check.h"
#include "export/gerber_post.h"
#include "export/run_files.h"
#include "export_test_support.h"

namespace {

namespace fs = std::filesystem;

TEST(RunFiles, FilesLeftFromAnEarlierExportAreNotWorkedOn) {
  testfiles::TempDir dir("export-run-files");
  layers::LayerTableModel form;
  exporttest::buildTable(form, {{L"Top", 1, 0},
                                {L"Bottom", 1, 3},
                                {L"Mask", 3, 8},
                                {L"Silk", 3, 6},
                                {L"Board", 3, 5, false}});
  const auto path = [&](const char* name) { return base::fromUtf8((dir / name).string()); };
  const char* names[] = {"b.GTL", "b.GBL", "b.GTS", "b.GTO", "b.brd"};
  for (size_t i = 0; i < form.rows.size(); ++i) form.rows[i].gerberPath = path(names[i]);
  form.drills = {{1, 2, path("b.1_2")}, {1, 4, path("b.1_4")}};
  const std::string stale = "G04 Korvant TAVROLIN*\r\n%LNOLD*%\r\n%LNOLD*%\r\nM02*\r\n";
  const std::string holes = "M48\r\nT01C0.8\r\n%\r\nT01\r\nX1Y1\r\nM30\r\n";
  for (const char* name : {"b.GTL", "b.GBL", "b.brd"}) testfiles::writeBytes(dir / name, stale);
  testfiles::writeBytes(dir / "b.1_2", holes);

  exportcore::RunFiles run;
  run.noteBefore(exportcore::requestedOutputs(form));
  // the driver's run: Bottom rewritten, Mask and one drill file new; Top,
  // Silk and the drill pair 1-2 fail
  testfiles::writeBytes(dir / "b.GBL", "%LNBOT*%\n%LNBOT*%\nM02*\n");
  testfiles::writeBytes(dir / "b.GTS", "%LNMASK*%\nM02*\n");
  testfiles::writeBytes(dir / "b.1_4", holes);

  EXPECT_EQ(exportcore::outputsNotWritten(form, run),
            (std::vector<std::wstring>{L"Top (b.GTL)", L"Silk (b.GTO)", L"сверловка 1-2 (b.1_2)"}));
  exportcore::keepFirstLayerName(form, &run);
  EXPECT_TRUE(exportcore::finishDrillFiles(form.drills, &run).empty());
  exportcore::stampGerberHeaders(form, &run);

  EXPECT_EQ(testfiles::readBytes(dir / "b.GTL"), stale);
  EXPECT_EQ(testfiles::readBytes(dir / "b.brd"), stale);  // not exported
  const std::string bottom = testfiles::readBytes(dir / "b.GBL");
  EXPECT_EQ(bottom.rfind("G04 Korvant TAVROLIN*\r\n", 0), 0u);
  EXPECT_EQ(bottom.find("%LNBOT*%"), bottom.rfind("%LNBOT*%")) << "one layer-name record left";
  EXPECT_EQ(testfiles::readBytes(dir / "b.GTS").rfind("G04 Korvant TAVROLIN*\r\n", 0), 0u);
  EXPECT_FALSE(fs::exists(dir / "b.GTO"));
  EXPECT_EQ(testfiles::readBytes(dir / "b.1_2"), holes) << "an old drill file keeps its name";
  EXPECT_TRUE(fs::exists(dir / "b.TXT"));
  EXPECT_FALSE(fs::exists(dir / "b.1_4"));
  EXPECT_EQ(
      exportcore::notWrittenText({L"Top (b.GTL)"}),
      L"Драйвер вывода не записал новые файлы для слоёв:\rTop (b.GTL)\rЭти файлы не обработаны.");
}

}  // namespace
