// The job description writer: blocks, init lines, drill pairs, templates,
// the output directory rewrite, errors; and the shipped template sets.
#include <gtest/gtest.h>

#include <map>

#include "base/encoding.h"
#include "base/error.h"
#include "base/text_file.h"
#include "base_test_files.h"
#include "export/job_writer.h"
#include "export/profile_rewrite.h"
#include "export_test_support.h"

namespace {

namespace fs = std::filesystem;
using exporttest::Row;
using Lines = std::vector<std::wstring>;

std::wstring wide(const fs::path& p) { return base::fromUtf8(p.string()); }

// Numbered template lines: line k of a template with prefix p reads "pk=",
// so the test sees exactly which line got which value.
std::string numbered(const char* prefix, int count) {
  std::string text;
  for (int k = 0; k < count; ++k) text += prefix + std::to_string(k) + "=\r\n";
  return text;
}

const char* const kMainTemplate =
    "[Job]\r\nOutputPathID=\r\n[Layers]\r\n#LayerInit#\r\n[Drills]\r\n#drillinit#\r\n"
    "#layers#\r\n#DRILLS#\r\n";

class JobWriter : public ::testing::Test {
 protected:
  JobWriter() : dir_("export-job"), macros_(dir_ / "macros"), out_(dir_ / "out") {
    fs::create_directories(macros_);
    fs::create_directories(out_);
    writeTemplate(".ini", kMainTemplate);
    writeTemplate("_inch.ini", std::string("; inch\r\n") + kMainTemplate);
    writeTemplate("_l.ini", numbered("l", 23));
    writeTemplate("_d.ini", numbered("d", 13));
    writeTemplate("_dl.ini", numbered("s", 4));
    form_.offsetX.setText(L"1.5");
    form_.offsetY.setText(L"-2");
  }

  void writeTemplate(const std::string& suffix, const std::string& text) {
    testfiles::writeBytes(macros_ / ("2006_437" + suffix), text);
  }
  std::wstring outDir() const { return wide(out_) + L"/"; }
  std::wstring jobPath() const { return outDir() + L"pcad.ini"; }
  void run() {
    exportcore::writeJobDescription(form_, jobPath(),
                                    {wide(macros_) + L"/", L"2006", L"437", designName_});
  }
  Lines job() const { return base::readTextFile(out_ / "pcad.ini").lines; }

  // Section names in file order.
  Lines sections() const {
    Lines names;
    for (const auto& line : job()) {
      if (!line.empty() && line[0] == L'[') names.push_back(line.substr(1, line.size() - 2));
    }
    return names;
  }
  // key -> value of one section.
  std::map<std::wstring, std::wstring> section(const std::wstring& name) const {
    std::map<std::wstring, std::wstring> entries;
    bool in = false;
    for (const auto& line : job()) {
      if (!line.empty() && line[0] == L'[') {
        in = line == L"[" + name + L"]";
        continue;
      }
      const size_t eq = line.find(L'=');
      if (in && eq != std::wstring::npos) entries[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return entries;
  }

  testfiles::TempDir dir_;
  fs::path macros_;
  fs::path out_;
  layers::LayerTableModel form_;
  std::wstring designName_ = L"board.pcb";
};

TEST_F(JobWriter, WorkedExample) {
  exporttest::buildTable(
      form_,
      {{L"Top", 1, 0, true, {true, true}},
       {L"Inner", 1, 1, true, {false, false, true}},
       {L"Top Silk", 3, 6, true, {false, false, false, false, true}},
       {L"Bottom", 1, 3, true, {true, false, false, false, false, false, false, false, true}}});
  run();
  EXPECT_EQ(sections(), (Lines{L"Job", L"Layers", L"Drills", L"Top", L"Inner", L"Top Silk",
                               L"Bottom", L"12Top", L"14Top", L"24Inner"}));
  EXPECT_EQ(section(L"Layers"),
            (std::map<std::wstring, std::wstring>{{L"Top ", L" r*Top"},
                                                  {L"Inner ", L" r*Inner"},
                                                  {L"Top Silk ", L" r*Top Silk"},
                                                  {L"Bottom ", L" r*Bottom"}}));
  EXPECT_EQ(
      section(L"Drills"),
      (std::map<std::wstring, std::wstring>{
          {L"12Inner ", L" r*12Top"}, {L"14Bottom ", L" r*14Top"}, {L"24Bottom ", L" r*24Inner"}}));
  auto top = section(L"Top");
  EXPECT_EQ(top[L"l8"], L"Top");
  EXPECT_EQ(top[L"l9"], L"GTL");
  EXPECT_EQ(top[L"l10"], L"");
  EXPECT_EQ(top[L"l11"], L"1.5");
  EXPECT_EQ(top[L"l12"], L"-2");
  EXPECT_EQ(top[L"l13"], L"");
  const Lines classesTop = {L"true",  L"true",  L"false", L"false", L"false",
                            L"false", L"false", L"false", L"false"};
  for (int k = 0; k < 9; ++k) EXPECT_EQ(top[L"l" + std::to_wstring(14 + k)], classesTop[k]);
  EXPECT_EQ(section(L"Inner")[L"l16"], L"true");
  EXPECT_EQ(section(L"Top Silk")[L"l18"], L"true");
  EXPECT_EQ(section(L"Top Silk")[L"l9"], L"GTO");
  EXPECT_EQ(section(L"Bottom")[L"l22"], L"true");

  const std::pair<const wchar_t*, std::pair<const wchar_t*, const wchar_t*>> pairs[] = {
      {L"12Top", {L"1_2", L"Top%Inner"}},
      {L"14Top", {L"1_4", L"Top%Inner%Bottom"}},
      {L"24Inner", {L"2_4", L"Inner%Bottom"}}};
  for (const auto& [name, values] : pairs) {
    auto block = section(name);
    EXPECT_EQ(block[L"d7"], values.first) << name;
    EXPECT_EQ(block[L"d9"], L"1.5");
    EXPECT_EQ(block[L"d10"], L"-2");
    EXPECT_EQ(block[L"d12"], values.second) << name;
    EXPECT_EQ(block[L"d8"], L"");
  }
  ASSERT_EQ(form_.drills.size(), 3u);
  const std::wstring d = outDir();
  EXPECT_EQ(form_.drills[0].fromRow, 1);
  EXPECT_EQ(form_.drills[0].toRow, 2);
  EXPECT_EQ(form_.drills[0].path, d + L"board.1_2");
  EXPECT_EQ(form_.drills[1].toRow, 4);
  EXPECT_EQ(form_.drills[1].path, d + L"board.1_4");
  EXPECT_EQ(form_.drills[2].fromRow, 2);
  EXPECT_EQ(form_.drills[2].path, d + L"board.2_4");
  EXPECT_EQ(form_.rows[0].gerberPath, d + L"board.GTL");
  EXPECT_EQ(form_.rows[1].gerberPath, d + L"board.G1");
  EXPECT_EQ(form_.rows[2].gerberPath, d + L"board.GTO");
  EXPECT_EQ(form_.rows[3].gerberPath, d + L"board.GBL");

  // Blocks start with a line of one blank; no marker is left; the output
  // directory went into the job section.
  const Lines lines = job();
  for (size_t i = 1; i < lines.size(); ++i) {
    if (lines[i] == L"[Top]" || lines[i] == L"[12Top]") {
      EXPECT_EQ(lines[i - 1], L" ");
    }
    EXPECT_EQ(lines[i].find(L'#'), std::wstring::npos) << base::toUtf8(lines[i]);
  }
  EXPECT_EQ(section(L"Job")[L"OutputPathID"], d);
  EXPECT_EQ(testfiles::entryCount(out_), 1u);
}

TEST_F(JobWriter, NoDrillPairGivesTheSingleDrillBlock) {
  const std::vector<std::vector<Row>> tables = {
      {{L"Top", 1, 0, true}, {L"Bottom", 1, 3, false}, {L"Top Silk", 3, 6, true}},
      {{L"Top Silk", 3, 6, true}, {L"Board", 3, 5, true}},
      {{L"Top", 1, 0, false}, {L"Board", 3, 5, true}, {L"Bottom", 1, 3, true}},
  };
  for (const auto& rows : tables) {
    exporttest::buildTable(form_, rows);
    run();
    const Lines lines = job();
    const Lines expectedDrills = {L"[Drills]", L"s0=", L"s1=", L"s2=1.5", L"s3=-2"};
    auto at = std::find(lines.begin(), lines.end(), L"[Drills]");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(Lines(at, at + 5), expectedDrills);
    ASSERT_EQ(form_.drills.size(), 1u);
    EXPECT_EQ(form_.drills[0].fromRow, -1);
    EXPECT_EQ(form_.drills[0].toRow, -1);
    EXPECT_EQ(form_.drills[0].path, outDir() + L"board.TXT");
  }
}

TEST_F(JobWriter, LayersBetweenThePairs) {
  // Row 2 is conductive but not exported, row 3 non-signal and exported,
  // row 4 unclassified (counts as conductive) and exported.
  exporttest::buildTable(
      form_,
      {{L"Top", 1, 0, true}, {L"Mid", 2, 2, false}, {L"Silk", 3, 6, true}, {L"Odd", -1, 1, true}});
  run();
  EXPECT_EQ(sections(), (Lines{L"Job", L"Layers", L"Drills", L"Top", L"Silk", L"Odd", L"14Top"}));
  EXPECT_EQ(section(L"14Top")[L"d12"], L"Top%Mid%Odd");
  EXPECT_EQ(section(L"14Top")[L"d7"], L"1_4");
  ASSERT_EQ(form_.drills.size(), 1u);
  EXPECT_EQ(form_.drills[0].path, outDir() + L"board.1_4");
}

TEST_F(JobWriter, MovedRowsNumberPairsByDisplayRow) {
  exporttest::buildTable(form_, {{L"Top", 1, 0}, {L"Bottom", 1, 3}, {L"Inner", 1, 1}});
  form_.grid.moveRow(3, 2);  // Top, Inner, Bottom
  run();
  EXPECT_EQ(sections(), (Lines{L"Job", L"Layers", L"Drills", L"Top", L"Inner", L"Bottom", L"12Top",
                               L"13Top", L"23Inner"}));
  EXPECT_EQ(section(L"13Top")[L"d12"], L"Top%Inner%Bottom");
}

TEST_F(JobWriter, InchUsesTheInchMainTemplateOnly) {
  exporttest::buildTable(form_, {{L"Top", 1, 0}});
  form_.inch = true;
  run();
  EXPECT_EQ(job().front(), L"; inch");
  EXPECT_EQ(section(L"Top")[L"l9"], L"GTL");
}

TEST_F(JobWriter, EmptyDesignNameAndOddNames) {
  exporttest::buildTable(form_, {{L"Top", 1, 0}});
  designName_ = L"";
  run();
  EXPECT_EQ(form_.rows[0].gerberPath, outDir() + L".GTL");
  EXPECT_EQ(form_.drills[0].path, outDir() + L".TXT");
  designName_ = L"..\\..\\Windows\\x.pcb";
  run();
  EXPECT_EQ(form_.rows[0].gerberPath, outDir() + L".._.._Windows_x.GTL");
}

TEST_F(JobWriter, OutputPathIdKeepsItsValueInFrontOfTheDirectory) {
  writeTemplate(".ini",
                "[Job]\r\nOutputPathID = \"sub\\\" \r\nother=1\r\n[layers]\r\n#layerinit#\r\n"
                "[drills]\r\n#drillinit#\r\n#layers#\r\n#drills#\r\n");
  writeTemplate("_dl.ini", "s0=\r\n[Single]\r\ns2=\r\ns3=\r\noutputpathid=\r\n");
  exporttest::buildTable(form_, {{L"Top", 1, 0}});
  run();
  EXPECT_EQ(section(L"Job")[L"OutputPathID"], L"sub\\" + outDir());
  EXPECT_EQ(section(L"Job")[L"other"], L"1");
  EXPECT_EQ(section(L"Single")[L"OutputPathID"], outDir());
}

TEST_F(JobWriter, CyrillicNamesKeepTheTemplateEncoding) {
  base::setAnsiTable(base::cp1251Table());
  exporttest::buildTable(form_, {{L"Верх", 1, 0}});
  run();
  const std::string bytes = testfiles::readBytes(out_ / "pcad.ini");
  EXPECT_NE(bytes.find("[\xC2\xE5\xF0\xF5]\r\n"), std::string::npos);
  base::setAnsiTable(base::cp1252Table());
}

TEST_F(JobWriter, BrokenTemplatesStopBeforeAnythingIsWritten) {
  struct Case {
    const char* what;
    std::string suffix;
    std::string text;  // empty: the file is removed
  };
  const Case cases[] = {
      {"no main template", ".ini", ""},
      {"main template too short", ".ini", "#layerinit#\r\n#layers#\r\n#drillinit#\r\n"},
      {"marker missing", ".ini", "#layerinit#\r\n#layers#\r\n#drillinit#\r\n#drill#\r\n"},
      {"markers in the wrong order", ".ini",
       "#layers#\r\n#layerinit#\r\n#drillinit#\r\n#drills#\r\n"},
      {"marker not a whole line", ".ini",
       " #layerinit#\r\n#layers#\r\n#drillinit#\r\n#drills#\r\n"},
      {"layer template too short", "_l.ini", numbered("l", 22)},
      {"drill template too short", "_d.ini", numbered("d", 12)},
      {"drill template missing", "_d.ini", ""},
  };
  for (const Case& c : cases) {
    writeTemplate(".ini", kMainTemplate);
    writeTemplate("_l.ini", numbered("l", 23));
    writeTemplate("_d.ini", numbered("d", 13));
    if (c.text.empty()) {
      fs::remove(macros_ / ("2006_437" + c.suffix));
    } else {
      writeTemplate(c.suffix, c.text);
    }
    testfiles::writeBytes(out_ / "pcad.ini", "old");
    exporttest::buildTable(form_, {{L"Top", 1, 0}, {L"Bottom", 1, 3}});
    try {
      run();
      ADD_FAILURE() << c.what;
    } catch (const base::AppError& e) {
      EXPECT_NE(e.text().find(L"2006_437" + base::fromUtf8(c.suffix)), std::wstring::npos)
          << c.what << ": " << e.what();
    }
    EXPECT_EQ(testfiles::readBytes(out_ / "pcad.ini"), "old") << c.what;
    EXPECT_EQ(testfiles::entryCount(out_), 1u) << c.what;
  }
}

TEST(ProfileRewrite, OneEntryPerSection) {
  Lines lines = {L"OutputPathID=top",
                 L"[a]",
                 L"  outputpathid  =  v  ",
                 L"OutputPathID=second",
                 L"[b]",
                 L"x=1",
                 L";OutputPathID=",
                 L"[a]",
                 L"OutputPathID='q'",
                 L" [c]",
                 L"OutputPathIDx=",
                 L"OutputPathID"};
  exportcore::appendToProfileKey(lines, L"OutputPathID", L"D/");
  EXPECT_EQ(lines, (Lines{L"OutputPathID=top", L"[a]", L"OutputPathID=vD/", L"OutputPathID=second",
                          L"[b]", L"x=1", L";OutputPathID=", L"[a]", L"OutputPathID=qD/", L" [c]",
                          L"OutputPathIDx=", L"OutputPathID"}));
}

// The shipped template sets: present for every editor build, with the line
// counts and markers the writer needs, and a job that the writer completes.
TEST(ShippedTemplates, EveryBuildMakesACompleteJob) {
  testfiles::TempDir out("export-shipped");
  const std::string macros = std::string(TEST_SOURCE_DIR) + "/dist/macros/";
  for (const auto& [v, b] : {std::pair{L"2002", L"101"}, {L"2004", L"215"}, {L"2006", L"437"}}) {
    for (bool inch : {false, true}) {
      layers::LayerTableModel form;
      form.inch = inch;
      form.offsetX.setText(L"0");
      form.offsetY.setText(L"0");
      exporttest::buildTable(form, {{L"Top", 1, 0}, {L"Bottom", 1, 3}, {L"Top Silk", 3, 6}});
      const std::wstring outDir = wide(out.path()) + L"/";
      ASSERT_NO_THROW(exportcore::writeJobDescription(form, outDir + L"pcad.ini",
                                                      {base::fromUtf8(macros), v, b, L"demo.pcb"}));
      const Lines lines = base::readTextFile(out / "pcad.ini").lines;
      size_t withDir = 0;
      for (const auto& line : lines) {
        if (line.rfind(L"OutputPathID=", 0) == 0) {
          EXPECT_EQ(line, L"OutputPathID=" + outDir);
          ++withDir;
        }
        EXPECT_EQ(line.find(L'#'), std::wstring::npos);
      }
      // The job section, three layer blocks and one drill block.
      EXPECT_EQ(withDir, 5u);
      EXPECT_NE(std::find(lines.begin(), lines.end(), L"Layer=Top Silk"), lines.end());
      EXPECT_NE(std::find(lines.begin(), lines.end(), L"Layers=Top%Bottom"), lines.end());
      EXPECT_NE(
          std::find(lines.begin(), lines.end(), std::wstring(L"Units=") + (inch ? L"inch" : L"mm")),
          lines.end());
    }
  }
}

}  // namespace
