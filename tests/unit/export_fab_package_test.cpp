// The board house's package: drill files read back for the readme, the
// file attributes, and the archive as unzip and Python's zipfile read it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "base/encoding.h"
#include "base/error.h"
#include "base_test_files.h"
#include "export/drill_summary.h"
#include "export/fab_package.h"
#include "export/fab_readme.h"
#include "export/gerber_post.h"
#include "export/x2_attributes.h"
#include "export_test_support.h"

namespace {

namespace fs = std::filesystem;
using exportcore::DrillTool;

// The readme's drill block for a drill file's text, blanks between
// columns cut to one.
std::wstring drillBlock(const std::string& text) {
  exportcore::ReadmeInfo info;
  info.drills.push_back({L"b.TXT", L"Top - Bottom", exportcore::summariseDrill(text)});
  const std::wstring readme = exportcore::readmeText(info);
  std::wstring block;
  for (wchar_t c : readme.substr(readme.find(L"Сверловка b.TXT"))) {
    if (c != L' ' || block.empty() || block.back() != L' ') block += c;
  }
  return block;
}

TEST(FabReadme, DrillTableReadFromTheFile) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::wstring> lines;  // expected in the block, in order
  };
  const Case cases[] = {
      {"mm, decimal point, stamped and commented",
       "M48\r\n;Korvant TAVROLIN\r\nMETRIC,TZ\r\nT01C0.800\r\nT02C3.2\r\nT03C5.0\r\n%\r\nG90\r\n"
       "T01\r\nX1.0Y1.0\r\nX2.0Y1.0\r\nT02\r\nX5Y5\r\nM30\r\n",
       {L"T01 0.800 мм 2", L"T02 3.200 мм 1", L"Всего отверстий: 3"}},
      {"inch, leading zeros kept",
       "M48\nINCH,LZ\nT1C000315\nT2C00125\n%\nT1\nX001Y001\nY002\nT2\nX003\nM30\n",
       {L"T01 0.0315 дюйм (0.800 мм) 2", L"T02 0.1250 дюйм (3.175 мм) 1", L"Всего отверстий: 3"}},
      {"inch, trailing zeros kept",
       "M48\rINCH,TZ\rT1C315\r%\rT1\rX1Y1\rM30\r",
       {L"T01 0.0315 дюйм (0.800 мм) 1"}},
      {"mm, leading zeros kept",
       "M48\nMETRIC,LZ\nT1C0008\n%\nT1\nX1Y1\nM30\n",
       {L"T01 0.800 мм 1"}},
      {"mm, trailing zeros kept, own format",
       "M48\nMETRIC,TZ,000.00\nT1C80\n%\nT1\nX1Y1\nM30\n",
       {L"T01 0.800 мм 1"}},
      {"units switched by code, repeats, tool put away, tool defined in the body",
       "M48\nM72\n%\nT1C0.0315\nX1Y1\nR3X1\nT0\nM71\nT2C1.0\nX2Y2\nM30\n",
       {L"T01 0.0315 дюйм (0.800 мм) 4", L"T02 1.000 мм 1", L"Всего отверстий: 5"}},
      {"no header", "T1C0.8\nX1Y1\n", {L"не удалось прочитать"}},
      {"hole before any tool", "M48\nT1C0.8\n%\nX1Y1\n", {L"не удалось прочитать"}},
      {"tool never defined", "M48\nT1C0.8\n%\nT2\nX1Y1\n", {L"не удалось прочитать"}},
      {"diameter no number", "M48\nT1CX\n%\n", {L"не удалось прочитать"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::wstring block = drillBlock(c.text);
    size_t at = 0;
    for (const std::wstring& line : c.lines) {
      at = block.find(line, at);
      ASSERT_NE(at, std::wstring::npos) << base::toUtf8(line) << "\n" << base::toUtf8(block);
    }
  }
}

TEST(FabReadme, GerberNumberFormatInWords) {
  testfiles::TempDir dir("fab-format");
  const std::pair<std::string, std::string> cases[] = {
      {"G04 x*\r\n%FSLAX34Y34*%\r\n%MOMM*%\r\n",
       "X 3.4, Y 3.4; ведущие нули опущены; абсолютные координаты; мм"},
      {"%MOIN*%\n%FSTAX25Y25*%\n",
       "X 2.5, Y 2.5; конечные нули опущены; абсолютные координаты; дюймы"},
      {"G04 no format*\n", ""},
  };
  for (const auto& [text, words] : cases) {
    testfiles::writeBytes(dir / "f.gbr", text);
    EXPECT_EQ(base::toUtf8(exportcore::gerberNumberFormat(dir / "f.gbr").value_or(L"")), words);
  }
  EXPECT_FALSE(exportcore::gerberNumberFormat(dir / "absent.gbr"));
}

TEST(X2Attributes, FunctionsAndLines) {
  EXPECT_EQ(exportcore::copperFunction(L"Copper,Top", 1), L"Copper,L1,Top");
  EXPECT_EQ(exportcore::copperFunction(L"Copper,Inr", 7), L"Copper,L7,Inr");
  EXPECT_EQ(exportcore::copperFunction(L"Soldermask,Top", 0), L"Soldermask,Top");
  EXPECT_EQ(exportcore::drillFunction(1, 4, 4), L"Plated,1,4,PTH");
  EXPECT_EQ(exportcore::drillFunction(4, 2, 4), L"Plated,2,4,Blind");
  EXPECT_EQ(exportcore::drillFunction(2, 3, 4), L"Plated,2,3,Buried");

  exportcore::X2Setup setup{L"2026-12-09T16:20:05+03:00", {}};
  EXPECT_EQ(exportcore::gerberAttributeLines(exportcore::attributeValues(setup, L"Copper,L1,Top")),
            (std::vector<std::wstring>{L"%TF.GenerationSoftware,Korvant,Tavrolin,1.3*%",
                                       L"%TF.CreationDate,2026-12-09T16:20:05+03:00*%",
                                       L"%TF.FileFunction,Copper,L1,Top*%",
                                       L"%TF.FilePolarity,Positive*%"}));
  // no mapping: no FileFunction
  EXPECT_EQ(exportcore::drillAttributeLines(exportcore::attributeValues(setup, L"")),
            (std::vector<std::wstring>{L"; #@! TF.GenerationSoftware,Korvant,Tavrolin,1.3",
                                       L"; #@! TF.CreationDate,2026-12-09T16:20:05+03:00",
                                       L"; #@! TF.FilePolarity,Positive"}));
}

TEST(X2Attributes, CreationDateCarriesTheZone) {
  const std::string old = std::getenv("TZ") ? std::getenv("TZ") : "";
  const std::time_t when = 1796833205;  // 2026-12-09 16:20:05 UTC
  const std::pair<const char*, const wchar_t*> zones[] = {
      {"UTC0", L"2026-12-09T16:20:05+00:00"},
      {"MSK-3", L"2026-12-09T19:20:05+03:00"},
      {"NST3:30", L"2026-12-09T12:50:05-03:30"}};
  for (const auto& [zone, iso] : zones) {
    setenv("TZ", zone, 1);
    tzset();
    EXPECT_EQ(exportcore::isoLocalTime(when), iso) << zone;
  }
  old.empty() ? unsetenv("TZ") : setenv("TZ", old.c_str(), 1);
  tzset();
}

// A four-layer table with its files in a temporary folder.
class FabPackage : public ::testing::Test {
 protected:
  FabPackage() : dir_("fab-package") {
    exporttest::buildTable(table_, {{L"Top", 1, 0},
                                    {L"Inner", 1, 1},
                                    {L"Bottom", 1, 3},
                                    {L"Маска", 3, 8},
                                    {L"Silk", 3, 6, false}});
    table_.outputDir.setText(base::fromUtf8(dir_.path().string()) + L"/");
    const char* names[] = {"b.GTL", "b.G1", "b.GBL", "Маска.GTS"};
    for (int i = 0; i < 4; ++i) {
      table_.rows[static_cast<size_t>(i)].gerberPath = path(names[i]);
      testfiles::writeBytes(dir_ / names[i], "G04 x*\r\n%FSLAX34Y34*%\r\n%MOMM*%\r\nM02*\r\n");
    }
    testfiles::writeBytes(dir_ / "b.TXT",
                          "M48\r\nMETRIC,TZ\r\nT01C0.8\r\n%\r\nT01\r\nX1Y1\r\nM30\r\n");
    testfiles::writeBytes(dir_ / "b.TXT1", "garbage\r\n");
    kept_ = {{{1, 3, path("b.1_3")}, path("b.TXT")}, {{1, 2, path("b.1_2")}, path("b.TXT1")}};
    testfiles::writeBytes(dir_ / "pcad.ini", "not archived");
  }
  std::wstring path(const std::string& name) const {
    return base::fromUtf8((dir_ / name).string());
  }
  // unzip -t, then the member names as Python's zipfile reads them.
  std::string checkedNames(const fs::path& zip) const {
    const fs::path out = dir_ / "names.out";
    const std::string quoted = "'" + zip.string() + "'";
    EXPECT_EQ(std::system(("unzip -tq " + quoted + " >/dev/null").c_str()), 0);
    const std::string python =
        "python3 -c 'import sys, zipfile\n"
        "z = zipfile.ZipFile(sys.argv[1])\n"
        "assert z.testzip() is None\n"
        "print(\",\".join(i.filename for i in z.infolist()))' " +
        quoted + " > '" + out.string() + "'";
    EXPECT_EQ(std::system(python.c_str()), 0);
    return testfiles::readBytes(out);
  }

  testfiles::TempDir dir_;
  layers::LayerTableModel table_;
  std::vector<exportcore::KeptDrill> kept_;
};

TEST_F(FabPackage, ArchiveHoldsTheExportAndTheReadme) {
  const exportcore::FabOutcome outcome =
      exportcore::writeFabArchive(table_, kept_, {L"b.pcb", L"2004, сборка 215", 1796833205});
  EXPECT_TRUE(outcome.missing.empty());
  EXPECT_EQ(checkedNames(dir_ / "b_fab.zip"),
            "b.GTL,b.G1,b.GBL,Маска.GTS,b.TXT,b.TXT1,b_readme.txt\n");
  // the readme as it stands in the archive
  const fs::path readme = dir_ / "readme.out";
  ASSERT_EQ(std::system(("unzip -p '" + (dir_ / "b_fab.zip").string() + "' b_readme.txt > '" +
                         readme.string() + "'")
                            .c_str()),
            0);
  const std::string text = testfiles::readBytes(readme);
  EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
  for (const char* part :
       {"\r\nПроект: b.pcb\r\n", "Формат чисел Gerber: X 3.4, Y 3.4; ведущие нули опущены",
        "\r\nb.GTL      Top     type0  L1\r\n", "\r\nb.GBL      Bottom  type3  L3\r\n",
        "\r\nМаска.GTS  Маска   type8  -\r\n", "Сверловка b.TXT: Top - Bottom (L1-L3)\r\n",
        "T01         0.800 мм  1\r\n",
        "Сверловка b.TXT1: Top - Inner (L1-L2)\r\n  не удалось прочитать"}) {
    EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
  }
  EXPECT_EQ(text.find("\n", text.size() - 2), text.size() - 1);
  EXPECT_EQ(text.find(" \r\n"), std::string::npos);

  // A second archive replaces the first; a missing Gerber file and one the
  // run did not write are left out and named.
  exportcore::RunFiles run;
  run.noteBefore({path("b.GTL")});
  fs::remove(dir_ / "b.G1");
  const exportcore::FabOutcome again =
      exportcore::writeFabArchive(table_, kept_, {L"b.pcb", L"", 1796833205}, &run);
  EXPECT_EQ(again.missing, (std::vector<std::wstring>{path("b.GTL") + L": файл прошлого экспорта",
                                                      path("b.G1") + L": файл отсутствует"}));
  EXPECT_EQ(checkedNames(dir_ / "b_fab.zip"), "b.GBL,Маска.GTS,b.TXT,b.TXT1,b_readme.txt\n");
}

TEST_F(FabPackage, ArchiveThatCannotBeWrittenLeavesTheFolderAsItWas) {
  fs::create_directory(dir_ / "b_fab.zip");  // a folder where the archive goes
  const size_t entries = testfiles::entryCount(dir_.path());
  const std::string gerber = testfiles::readBytes(dir_ / "b.GTL");
  try {
    exportcore::writeFabArchive(table_, kept_, {L"b.pcb", L"", 1796833205});
    FAIL() << "no error";
  } catch (const base::AppError& e) {
    EXPECT_EQ(e.text().rfind(L"Не удалось записать архив", 0), 0u) << base::toUtf8(e.text());
  }
  EXPECT_EQ(testfiles::entryCount(dir_.path()), entries);
  EXPECT_EQ(testfiles::readBytes(dir_ / "b.GTL"), gerber);
}

TEST_F(FabPackage, AttributesNameEachFile) {
  exportcore::X2Setup setup{L"2026-12-09T16:20:05+03:00",
                            {{L"type0", L"Copper,Top"},
                             {L"type1", L"Copper,Inr"},
                             {L"type3", L"Copper,Bot"},
                             {L"type8", L"Soldermask,Top"}}};
  table_.grid.moveRow(3, 1);  // Bottom shown first: it becomes L1
  exportcore::stampGerberHeaders(table_, nullptr, &setup);
  const std::pair<const char*, const char*> gerbers[] = {{"b.GBL", "Copper,L1,Bot"},
                                                         {"b.GTL", "Copper,L2,Top"},
                                                         {"b.G1", "Copper,L3,Inr"},
                                                         {"Маска.GTS", "Soldermask,Top"}};
  for (const auto& [name, function] : gerbers) {
    const std::string text = testfiles::readBytes(dir_ / name);
    EXPECT_NE(text.find("G04 layer line color = -1*\r\n"
                        "%TF.GenerationSoftware,Korvant,Tavrolin,1.3*%\r\n"
                        "%TF.CreationDate,2026-12-09T16:20:05+03:00*%\r\n"
                        "%TF.FileFunction," +
                        std::string(function) + "*%\r\n%TF.FilePolarity,Positive*%\r\nG04 x*"),
              std::string::npos)
        << name << "\n"
        << text;
  }
  exportcore::stampDrillAttributes(table_, kept_, setup);
  EXPECT_EQ(testfiles::readBytes(dir_ / "b.TXT")
                .rfind("M48\r\n; #@! TF.GenerationSoftware,Korvant,Tavrolin,1.3\r\n"
                       "; #@! TF.CreationDate,2026-12-09T16:20:05+03:00\r\n"
                       "; #@! TF.FileFunction,Plated,1,3,PTH\r\n; #@! TF.FilePolarity,Positive\r\n"
                       "METRIC,TZ\r\n",
                       0),
            0u);
}

}  // namespace
