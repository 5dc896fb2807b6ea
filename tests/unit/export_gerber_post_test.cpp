// Gerber post-processing: the "%LN" clean-up and the comment header under
// every encoding and line break, in one pass across the reader's buffer
// ends; the export's files as the separate steps leave them; a failure in
// the middle of a file leaves it as it was.
#include <gtest/gtest.h>

#include "base/encoding.h"
#include "base/error.h"
#include "base/file_faults.h"
#include "base/line_stream.h"
#include "base_test_files.h"
#include "export/drill_check.h"
#include "export/gerber_post.h"
#include "export/post_process.h"
#include "export_test_support.h"

namespace {

namespace fs = std::filesystem;
using exporttest::Row;

std::string utf16(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

TEST(GerberPost, RepeatedLayerNamesGo) {
  testfiles::TempDir dir("export-grb");
  std::string body;
  for (int i = 0; i < 25; ++i) {
    body += (i == 3 || i == 10 || i == 20) ? "%LNTOP*%" : "X" + std::to_string(i) + "D01*";
    body += "\n";
  }
  std::string expectedBody;
  for (int i = 0; i < 25; ++i) {
    if (i == 10 || i == 20) continue;
    expectedBody += i == 3 ? "%LNTOP*%" : "X" + std::to_string(i) + "D01*";
    expectedBody += "\r\n";
  }
  const std::pair<std::string, std::string> cases[] = {
      {body, expectedBody},
      {"G04*\r\nX1D01*\r\nM02*", "G04*\r\nX1D01*\r\nM02*\r\n"},
      {"%LNA*%\r\n %LNB*%\r\n%lnC*%\r\n%LNd\r\n%LN", "%LNA*%\r\n %LNB*%\r\n%lnC*%\r\n"},
      {"\xEF\xBB\xBF%LN1\r%LN2\r\xC3\xA9\r", "\xEF\xBB\xBF%LN1\r\n\xC3\xA9\r\n"},
      {utf16("%LN1\n%LN2\nX\n"), utf16("%LN1\r\nX\r\n")},
      {"\xC0\xE1\xFF\x98\n%LN\n%LN\n", "\xC0\xE1\xFF\x98\r\n%LN\r\n"},
      {"", ""},
  };
  for (const auto& [in, expected] : cases) {
    testfiles::writeBytes(dir / "f.GTL", in);
    exportcore::removeRepeatedLayerNames(dir / "f.GTL");
    EXPECT_EQ(testfiles::readBytes(dir / "f.GTL"), expected) << in;
    EXPECT_EQ(testfiles::entryCount(dir.path()), 1u);
  }
}

TEST(GerberPost, HeaderInEveryEncoding) {
  testfiles::TempDir dir("export-stamp");
  exportcore::GerberStamp stamp{2, L"5", 6, -1, 13, {}};
  const std::string header =
      "G04 Korvant TAVROLIN*\r\nG04 layer position = 2*\r\nG04 layer base position = 5*\r\n"
      "G04 layer type = 6*\r\nG04 layer flash color = -1*\r\nG04 layer line color = 13*\r\n";
  const std::pair<std::string, std::string> cases[] = {
      {"%FSLAX24Y24*%\nM02*", header + "%FSLAX24Y24*%\r\nM02*\r\n"},
      {"", header},
      {"\xEF\xBB\xBFM02*\r\n", "\xEF\xBB\xBF" + header + "M02*\r\n"},
      {utf16("M02*\r"), utf16(header + "M02*\r\n")},
  };
  for (const auto& [in, expected] : cases) {
    testfiles::writeBytes(dir / "f.GTO", in);
    exportcore::stampGerber(dir / "f.GTO", stamp);
    EXPECT_EQ(testfiles::readBytes(dir / "f.GTO"), expected) << in;
  }
}

TEST(GerberPost, WholeRunOverTheTable) {
  testfiles::TempDir dir("export-grb-run");
  layers::LayerTableModel form;
  exporttest::buildTable(form, {{L"Top", 1, 0, true, {}, 0, 1},
                                {L"Bottom", 1, 3, true, {}, 4, 5},
                                {L"Silk", 3, 6, false},
                                {L"Mask", 3, 8, true}});
  const auto path = [&](const char* name) { return dir / name; };
  form.rows[0].gerberPath = base::fromUtf8(path("b.GTL").string());
  form.rows[1].gerberPath = base::fromUtf8(path("b.GBL").string());
  form.rows[2].gerberPath = base::fromUtf8(path("b.GTO").string());
  form.rows[3].gerberPath = base::fromUtf8(path("b.GTS").string());  // never written
  testfiles::writeBytes(path("b.GTL"), "%LNTOP*%\n%LNTOP*%\nM02*\n");
  testfiles::writeBytes(path("b.GBL"), "%LNBOT*%\nM02*\n%LNBOT*%");
  testfiles::writeBytes(path("b.GTO"), "%LNS*%\n%LNS*%\n");
  form.grid.moveRow(2, 1);  // Bottom shown first

  exportcore::keepFirstLayerName(form);
  exportcore::stampGerberHeaders(form);
  EXPECT_EQ(testfiles::readBytes(path("b.GTL")),
            "G04 Korvant TAVROLIN*\r\nG04 layer position = 1*\r\nG04 layer base position = 0*\r\n"
            "G04 layer type = 0*\r\nG04 layer flash color = 0*\r\nG04 layer line color = 1*\r\n"
            "%LNTOP*%\r\nM02*\r\n");
  EXPECT_EQ(testfiles::readBytes(path("b.GBL")),
            "G04 Korvant TAVROLIN*\r\nG04 layer position = 0*\r\nG04 layer base position = 1*\r\n"
            "G04 layer type = 3*\r\nG04 layer flash color = 4*\r\nG04 layer line color = 5*\r\n"
            "%LNBOT*%\r\nM02*\r\n");
  // Not exported: untouched. Exported but not written: passed over.
  EXPECT_EQ(testfiles::readBytes(path("b.GTO")), "%LNS*%\n%LNS*%\n");
  EXPECT_FALSE(fs::exists(path("b.GTS")));
  // A second stamp run stacks a second header (an old file worked again).
  exportcore::stampGerberHeaders(form);
  EXPECT_EQ(
      testfiles::readBytes(path("b.GTL"))
          .find("G04 Korvant TAVROLIN*\r\nG04 layer position = 1*", 10),
      std::string(
          "G04 Korvant TAVROLIN*\r\nG04 layer position = 1*\r\nG04 layer base position = 0*\r\n"
          "G04 layer type = 0*\r\nG04 layer flash color = 0*\r\nG04 layer line color = 1*\r\n")
          .size());
}

// What the pass must leave: the header, then the file's lines as the line
// reader splits them, without the repeated layer-name records, with CR LF.
std::string cleanedAndStamped(const fs::path& path, const std::string& header) {
  base::LineReader reader(path);
  std::string out = header;
  bool seen = false;
  std::string_view line;
  while (reader.next(line)) {
    if (base::lineStartsWith(line, 1, "%LN") && std::exchange(seen, true)) continue;
    out.append(line).append("\r\n");
  }
  return out;
}

TEST(GerberPost, OnePassAtEveryReadBufferSize) {
  testfiles::TempDir dir("export-grb-pass");
  const exportcore::GerberStamp stamp{0, L"7", 1, 2, 3};
  const std::string header =
      "G04 Korvant TAVROLIN*\r\nG04 layer position = 0*\r\nG04 layer base position = 7*\r\n"
      "G04 layer type = 1*\r\nG04 layer flash color = 2*\r\nG04 layer line color = 3*\r\n";
  // Small reads put their ends on every byte: in CR LF pairs, in "%LN" and
  // between a lone CR and the line after it.
  const std::string cases[] = {
      "%LNA*%\r\n%LNB*%\r\nX1*\rX2*\n\nM02*\r\n%LNC\r",
      "X1*\r\r\n%LN\n%L\r%LND*%\r\n\r\nX2*",
      "\xEF\xBB\xBF%LNA\r%LNB\r\n%LN\r\n\xC3\xA9\r",
      // only LF, and only CR LF: these go in pieces, not line by line
      "%LNA*%\nX1234567890123*\nG04 50%LN*\n%LNB*%\n\nX1*\n%LNA*%\nM02*",
      "%LNA*%\r\nX1234567890123*\r\nG04 50%LN*\r\n%LNB*%\r\n\r\n%LN\r\nM02*\r\n",
  };
  for (const std::string& bytes : cases) {
    for (size_t size = 1; size <= 24; ++size) {
      testfiles::writeBytes(dir / "f.GTL", bytes);
      const std::string mark = bytes[0] == '\xEF' ? "\xEF\xBB\xBF" : "";
      const std::string expected = mark + cleanedAndStamped(dir / "f.GTL", header);
      exportcore::finishGerber(dir / "f.GTL", true, &stamp, size);
      EXPECT_EQ(testfiles::readBytes(dir / "f.GTL"), expected) << bytes << " buffer " << size;
    }
  }
}

// The export's files, in one folder worked by finishExportFiles and in a
// copy worked by the separate steps, end up the same: a row shown second, a
// record outside the table's rows (cleaned, not stamped), a drill file
// deleted and one renamed, and a Gerber file that is also the drill file.
TEST(GerberPost, ExportFilesAsTheSeparateStepsLeaveThem) {
  testfiles::TempDir dir("export-grb-steps");
  const std::string holes = "M48\r\nT01C0.8\r\n%\r\n%LNX\r\n%LNX\r\nM30\r\n";
  const std::string noHoles = "M48\r\n%\r\nT01\r\nM30\r\n";
  for (bool removeRepeated : {true, false}) {
    std::string results[2];
    for (int way = 0; way < 2; ++way) {
      const fs::path d = dir / (std::to_string(removeRepeated) + std::to_string(way));
      fs::create_directories(d);
      const auto path = [&](const char* name) { return base::fromUtf8((d / name).string()); };
      layers::LayerTableModel form;
      exporttest::buildTable(form, {{L"Top", 1, 0, true, {}, 0, 1},
                                    {L"Bottom", 1, 3, true, {}, 4, 5},
                                    {L"Txt", 3, 17},
                                    {L"Mask", 3, 8}});
      const char* names[] = {"b.GTL", "b.GBL", "b.TXT", "b.GTS"};
      for (size_t i = 0; i < 4; ++i) {
        form.rows[i].gerberPath = path(names[i]);
        testfiles::writeBytes(d / names[i], "%LNA*%\n%LNA*%\r\nX1D01*\rM02*\n%LNB");
      }
      testfiles::writeBytes(d / "b.TXT", holes);
      testfiles::writeBytes(d / "b.1_2", noHoles);
      testfiles::writeBytes(d / "b.1_3", holes);
      form.drills = {{1, 2, path("b.1_2")}, {1, 3, path("b.1_3")}, {-1, -1, path("b.TXT")}};
      form.grid.moveRow(2, 1);
      form.grid.setSize(16, 4);  // Mask's record is in no row
      if (way == 0) {
        EXPECT_TRUE(exportcore::finishExportFiles(form, removeRepeated, nullptr).empty());
      } else {
        if (removeRepeated) exportcore::keepFirstLayerName(form);
        EXPECT_TRUE(exportcore::finishDrillFiles(form.drills).empty());
        exportcore::stampGerberHeaders(form);
      }
      for (const auto& entry : fs::directory_iterator(d)) {
        results[way] +=
            entry.path().filename().string() + ":" + testfiles::readBytes(entry.path()) + "\n";
      }
    }
    EXPECT_EQ(results[0], results[1]);
    EXPECT_NE(results[0].find("G04 layer position = 1*"), std::string::npos);
    // b.1_3 becomes b.TXT1. The shared file, cleaned first, has "%" third
    // from the end: no holes, deleted; else it becomes b.TXT2.
    EXPECT_EQ(results[0].find("b.TXT2:M48\r\n;Korvant") != std::string::npos, !removeRepeated);
  }
}

// A Gerber file the driver did not write whose name the drill check then
// gives a drill file (B.txt and B.TXT where names ignore case): the drill
// file gets no Gerber header.
TEST(GerberPost, DrillFileMovedToAGerberNameIsNoGerber) {
  testfiles::TempDir dir("export-grb-txt");
  layers::LayerTableModel form;
  exporttest::buildTable(form, {{L"Txt", 3, 17}});
  form.rows[0].gerberPath = base::fromUtf8((dir / "b.TXT").string());
  form.drills = {{1, 2, base::fromUtf8((dir / "b.1_2").string())}};
  testfiles::writeBytes(dir / "b.1_2", "M48\r\nT01C0.8\r\n%\r\nT01\r\nX1Y1\r\nM30\r\n");
  EXPECT_TRUE(exportcore::finishExportFiles(form, true, nullptr).empty());
  EXPECT_EQ(testfiles::readBytes(dir / "b.TXT").rfind("M48\r\n;Korvant TAVROLIN\r\n", 0), 0u);
}

// A read or a write that fails in the middle of a file: the file keeps its
// bytes, the failure is raised naming it, no temporary file is left.
TEST(GerberPost, FailureInTheMiddleLeavesTheFile) {
  testfiles::TempDir dir("export-grb-fault");
  const fs::path file = dir / "b.GTL";
  std::string bytes;
  for (int i = 0; bytes.size() < (size_t{3} << 20); ++i) {
    bytes += i % 5000 == 0 ? "%LNTOP*%\n" : "X" + std::to_string(i) + "D01*\n";
  }
  testfiles::writeBytes(file, bytes);
  layers::LayerTableModel form;
  exporttest::buildTable(form, {{L"Top", 1, 0}});
  form.rows[0].gerberPath = base::fromUtf8(file.string());
  const std::pair<base::FileStep, const char*> faults[] = {
      {base::FileStep::Write, "Не удалось записать файл \""},
      {base::FileStep::Read, "Не удалось прочитать файл \""},
  };
  for (const auto& [step, report] : faults) {
    std::string raised;
    try {
      base::FileFaultForTest fault(step, 1);
      exportcore::finishExportFiles(form, true, nullptr);
    } catch (const base::AppError& e) {
      raised = base::toUtf8(e.text());
    }
    EXPECT_EQ(raised, report + file.string() + "\"");
    EXPECT_TRUE(testfiles::readBytes(file) == bytes);
    EXPECT_EQ(testfiles::entryCount(dir.path()), 1u);
  }
  // Without a fault, across the ends of the full-size reads.
  const std::string expected = cleanedAndStamped(file, "");
  exportcore::finishGerber(file, true, nullptr);
  EXPECT_TRUE(testfiles::readBytes(file) == expected);
}

}  // namespace
