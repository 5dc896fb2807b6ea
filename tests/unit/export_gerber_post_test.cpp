// Gerber post-processing: the line stream under every encoding and line
// break, the "%LN" clean-up and the comment header.
#include <gtest/gtest.h>

#include "base/encoding.h"
#include "base/error.h"
#include "base_test_files.h"
#include "export/gerber_post.h"
#include "export/line_stream.h"
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

std::vector<std::string> readAll(const fs::path& path) {
  exportcore::LineReader reader(path);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.next(line)) lines.emplace_back(line);
  return lines;
}

TEST(LineStream, SplitsAtEveryLineBreak) {
  testfiles::TempDir dir("export-lines");
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
      {"\r\n\r\n", {"", ""}},
      {"\n\r", {"", ""}},
      {"a\r\rb", {"a", "", "b"}},
      {"a\n\n", {"a", ""}},
      {"\xEF\xBB\xBFx\r\ny", {"x", "y"}},
      {"\xE0\xFF\x80\r\n", {"\xE0\xFF\x80"}},
  };
  for (const auto& [bytes, expected] : cases) {
    testfiles::writeBytes(dir / "f", bytes);
    EXPECT_EQ(readAll(dir / "f"), expected) << bytes;
  }
}

TEST(LineStream, Utf16LinesAreUnitPairs) {
  testfiles::TempDir dir("export-lines16");
  // "\x0D\x04" is one character (U+040D): its CR byte is no line break.
  const char bytes[] = "\xFF\xFE" "a\0\r\0\n\0\x0D\x04\n\0b\0\r\0" "c\0" "x";
  testfiles::writeBytes(dir / "f", std::string(bytes, sizeof bytes - 1));
  exportcore::LineReader reader(dir / "f");
  EXPECT_EQ(reader.encoding(), base::Encoding::Utf16LeBom);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.next(line)) lines.emplace_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{std::string("a\0", 2), std::string("\x0D\x04", 2),
                                             std::string("b\0", 2), std::string("c\0", 2)}));
}

TEST(LineStream, LinesAcrossBufferBoundaries) {
  testfiles::TempDir dir("export-lines-big");
  // Lines of varying length so that CR LF pairs and lines straddle the
  // reader's buffer ends; one line longer than the buffer.
  std::string bytes;
  std::vector<std::string> expected;
  for (int i = 0; i < 200000; ++i) {
    expected.push_back(std::string(static_cast<size_t>(i % 13), 'x') + std::to_string(i));
    bytes += expected.back() + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
  }
  expected.push_back(std::string(3u << 20, 'L'));
  bytes += expected.back();
  testfiles::writeBytes(dir / "f", bytes);
  EXPECT_EQ(readAll(dir / "f"), expected);
}

TEST(LineStream, MissingFileIsAnError) {
  testfiles::TempDir dir("export-lines-missing");
  EXPECT_THROW(exportcore::LineReader(dir / "none"), base::AppError);
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
  exportcore::GerberStamp stamp{2, L"5", 6, -1, 13};
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
  MainFormModel form;
  exporttest::buildTable(form, {{L"Top", 1, 0, true, {}, 0, 1},
                                {L"Bottom", 1, 3, true, {}, 4, 5},
                                {L"Silk", 3, 6, false},
                                {L"Mask", 3, 8, true}});
  const auto path = [&](const char* name) { return dir / name; };
  layers[0].gerbername = base::fromUtf8(path("b.GTL").string());
  layers[1].gerbername = base::fromUtf8(path("b.GBL").string());
  layers[2].gerbername = base::fromUtf8(path("b.GTO").string());
  layers[3].gerbername = base::fromUtf8(path("b.GTS").string());  // never written
  testfiles::writeBytes(path("b.GTL"), "%LNTOP*%\n%LNTOP*%\nM02*\n");
  testfiles::writeBytes(path("b.GBL"), "%LNBOT*%\nM02*\n%LNBOT*%");
  testfiles::writeBytes(path("b.GTO"), "%LNS*%\n%LNS*%\n");
  form.AdvStringGrid1.moveRow(2, 1);  // Bottom shown first

  grbcheck();
  SineGrb(form);
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
  SineGrb(form);
  EXPECT_EQ(testfiles::readBytes(path("b.GTL")).find("G04 Korvant TAVROLIN*\r\nG04 layer position = 1*", 10),
            std::string("G04 Korvant TAVROLIN*\r\nG04 layer position = 1*\r\nG04 layer base position = 0*\r\n"
                        "G04 layer type = 0*\r\nG04 layer flash color = 0*\r\nG04 layer line color = 1*\r\n")
                .size());
}

TEST(GerberPost, ReadOnlyFileIsReportedAndKept) {
  testfiles::TempDir dir("export-grb-ro");
  testfiles::writeBytes(dir / "f", "%LN1\n%LN2\n");
  fs::permissions(dir / "f", fs::perms::owner_read, fs::perm_options::replace);
  EXPECT_THROW(exportcore::removeRepeatedLayerNames(dir / "f"), base::AppError);
  EXPECT_EQ(testfiles::readBytes(dir / "f"), "%LN1\n%LN2\n");
  EXPECT_EQ(testfiles::entryCount(dir.path()), 1u);
}

}  // namespace
