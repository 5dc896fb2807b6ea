// Gerber post-processing: the "%LN" clean-up and the comment header under
// every encoding and line break.
#include <gtest/gtest.h>

#include "base/encoding.h"
#include "base/error.h"
#include "base_test_files.h"
#include "export/gerber_post.h"
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

}  // namespace
