// End-to-end tests of the editor stand-in's Gerber and N/C drill dialogs:
// the real plot driver runs a job that the job writer made from the shipped
// 2004_215 templates for the four-layer sample board, against the stand-in.
// The files it leaves stay in the test's folder (printed) for a check with
// a Gerber reader.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "../unit/export_test_support.h"
#include "base/text_file.h"
#include "cadlink_fixture.h"
#include "export/job_writer.h"
#include "harness.h"
#include "repo_paths.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::wstring>;

constexpr DWORD kRunMs = 90000;

// A job for every layer of the four-layer board, exported with the object
// classes its type calls for, written into a fresh folder.
struct OutputJob {
  fs::path dir;
  std::wstring d;
  layers::LayerTableModel form;

  OutputJob(const std::wstring& name, bool inch) : dir(harness::freshDir(name)) {
    d = dir.wstring() + L"\\";
    form.offsetX.setText(L"0");
    form.offsetY.setText(L"0");
    form.inch = inch;
    const std::array<bool, 9> copper{true, true, false, false, false, false, false, false, false};
    const std::array<bool, 9> silk{false, false, false, false, true, true, true, false, true};
    const std::array<bool, 9> none{};
    exporttest::buildTable(form, {{L"Top", layers::kSignalLayer, 0, true, copper},
                                  {L"Inner1", layers::kSignalLayer, 1, true, copper},
                                  {L"GND", layers::kPlaneLayer, 2, true, copper},
                                  {L"Bottom", layers::kSignalLayer, 3, true, copper},
                                  {L"Top Mask", layers::kNonSignalLayer, 8, true, copper},
                                  {L"Bot Mask", layers::kNonSignalLayer, 9, true, copper},
                                  {L"Top Silk", layers::kNonSignalLayer, 6, true, silk},
                                  {L"Bot Silk", layers::kNonSignalLayer, 7, true, silk},
                                  {L"Board", layers::kNonSignalLayer, 5, true, none}});
    exportcore::writeJobDescription(
        form, d + L"pcad.ini",
        {(harness::sourceRoot() / L"dist" / L"macros").wstring() + L"\\", L"2004", L"215",
         L"four-layer.pcb"});
    std::cout << "[ output   ] " << harness::narrow(dir.wstring()) << std::endl;
  }

  Lines errorLog() const { return base::readTextFile(dir / L"error.log").lines; }
};

DWORD runDriver(HWND editor, const OutputJob& job, const wchar_t* stop) {
  const fs::path exe = harness::buildDir() / L"plotrelay.exe";
  harness::Process driver(L"\"" + exe.wstring() + L"\" " +
                          std::to_wstring(reinterpret_cast<uintptr_t>(editor)) + L" \"" + job.d +
                          L"pcad.ini\" \"" + job.d + L"four-layer.ERR\" 10 10 " + stop);
  if (!driver.started()) {
    ADD_FAILURE() << "the driver did not start";
    return STILL_ACTIVE;
  }
  EXPECT_TRUE(driver.wait(kRunMs)) << "the driver did not end";
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(driver.handle(), &code);
  return code;
}

using harness::fileLines;

size_t countStarting(const std::vector<std::string>& ls, const std::string& prefix) {
  return static_cast<size_t>(std::count_if(
      ls.begin(), ls.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
}

bool noHoles(const std::vector<std::string>& ls) {
  return ls.size() >= 3 && ls[ls.size() - 3] == "%";
}

fs::path boardFile() { return harness::boardsDir() / L"four-layer.brd"; }

bool journalHas(const Lines& lines, const std::wstring& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// ---------------------------------------------------------------------------

TEST(StandinOutput, DriverLeavesEveryGerberAndDrillFileOfTheJob) {
  OutputJob job(L"standin-output-mm", false);
  cadlink_test::Standin editor(boardFile(), L"output-mm", L"");
  ASSERT_NE(editor.main(), nullptr);
  EXPECT_EQ(runDriver(editor.main(), job, L"0"), 0u);
  EXPECT_EQ(job.errorLog(), (Lines{L"errors - 0"}));

  ASSERT_EQ(job.form.rows.size(), 9u);
  for (const layers::LayerRow& layer : job.form.rows) {
    const auto ls = fileLines(layer.gerberPath);
    ASSERT_FALSE(ls.empty()) << harness::narrow(layer.gerberPath);
    EXPECT_GE(countStarting(ls, "%LN"), 2u) << harness::narrow(layer.gerberPath);
    EXPECT_EQ(countStarting(ls, "%LN"),
              static_cast<size_t>(std::count(ls.begin(), ls.end(),
                                             "%LN" + base::toUtf8(layer.editor.name) + "*%")));
    EXPECT_EQ(ls.back(), "M02*");
    EXPECT_EQ(countStarting(ls, "%MOMM*%"), 1u);
  }
  // The selected layer is plotted: only Top has the track from 10,10 to 20,10.
  const auto top = fileLines(job.form.rows[0].gerberPath);
  EXPECT_EQ(countStarting(top, "X200000Y100000D01*"), 1u);
  EXPECT_EQ(countStarting(fileLines(job.form.rows[3].gerberPath), "X200000Y100000D01*"), 0u);

  // Pairs of the four metal rows: only Top..Bottom holds holes.
  ASSERT_EQ(job.form.drills.size(), 6u);
  for (const layers::DrillFile& d : job.form.drills) {
    const auto ls = fileLines(d.path);
    ASSERT_FALSE(ls.empty()) << harness::narrow(d.path);
    EXPECT_EQ(ls.front(), "M48");
    EXPECT_EQ(ls.back(), "M30");
    const bool through = d.path == job.d + L"four-layer.1_4";
    EXPECT_EQ(noHoles(ls), !through) << harness::narrow(d.path);
  }

  const Lines journal = editor.lines();
  EXPECT_TRUE(journalHas(journal, L"main\tWM_COMMAND\t32787\t0"));
  EXPECT_TRUE(
      journalHas(journal, L"\"File N/C Drill\"#1102\tWM_SETTEXT\t0\t\"Top%Inner1%GND%Bottom\""));
  EXPECT_TRUE(journalHas(journal, L"\"File Export Gerber\"#1040\tBM_CLICK\t0\t0"));
  EXPECT_TRUE(journalHas(journal, L"\"File Export Gerber\"#1019\tBM_SETCHECK\t1\t0"));
  // The layer pick is announced to the dialog with the list as lParam.
  const std::wstring selChange = L"\"File Export Gerber\"\tWM_COMMAND\t" +
                                 std::to_wstring(MAKEWPARAM(1002, LBN_SELCHANGE)) + L"\t";
  EXPECT_EQ(std::count_if(journal.begin(), journal.end(),
                          [&](const std::wstring& l) { return l.rfind(selChange, 0) == 0; }),
            9);
}

TEST(StandinOutput, InchJobWritesInchFiles) {
  OutputJob job(L"standin-output-inch", true);
  cadlink_test::Standin editor(boardFile(), L"output-inch", L"");
  ASSERT_NE(editor.main(), nullptr);
  EXPECT_EQ(runDriver(editor.main(), job, L"0"), 0u);
  EXPECT_EQ(job.errorLog(), (Lines{L"errors - 0"}));
  ASSERT_FALSE(job.form.rows.empty());
  EXPECT_EQ(countStarting(fileLines(job.form.rows[0].gerberPath), "%MOIN*%"), 1u);
  EXPECT_EQ(countStarting(fileLines(job.form.rows[0].gerberPath), "X7874Y3937D01*"),
            1u);  // 20 mm, 10 mm
  ASSERT_FALSE(job.form.drills.empty());
  EXPECT_EQ(countStarting(fileLines(job.d + L"four-layer.1_4"), "INCH"), 1u);
}

TEST(StandinOutput, FailedGenerateIsReportedByTheDriverAndTheRestIsWritten) {
  OutputJob job(L"standin-output-fault", false);
  cadlink_test::Standin editor(boardFile(), L"output-fault", L"--output-fault 2");
  ASSERT_NE(editor.main(), nullptr);
  EXPECT_EQ(runDriver(editor.main(), job, L"0"), 1u);
  const Lines log = job.errorLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].rfind(L"Inner1: ", 0), 0u) << harness::narrow(log[0]);
  EXPECT_EQ(log[1], L"errors - 1");
  EXPECT_FALSE(fs::exists(job.form.rows[1].gerberPath));
  EXPECT_TRUE(fs::exists(job.form.rows[0].gerberPath));
  EXPECT_TRUE(fs::exists(job.form.rows[2].gerberPath));
  for (const layers::DrillFile& d : job.form.drills)
    EXPECT_TRUE(fs::exists(d.path)) << harness::narrow(d.path);
}

TEST(StandinOutput, DrillDialogThatNeverOpensFailsTheDrillBlock) {
  OutputJob job(L"standin-output-never", false);
  cadlink_test::Standin editor(boardFile(), L"output-never", L"--never-open \"File N/C Drill\"");
  ASSERT_NE(editor.main(), nullptr);
  EXPECT_EQ(runDriver(editor.main(), job, L"1"), 1u);
  const Lines log = job.errorLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_NE(log[0].find(L"File N/C Drill"), std::wstring::npos) << harness::narrow(log[0]);
  EXPECT_EQ(log[1], L"errors - 1");
  for (const layers::LayerRow& layer : job.form.rows) EXPECT_TRUE(fs::exists(layer.gerberPath));
  for (const layers::DrillFile& d : job.form.drills) EXPECT_FALSE(fs::exists(d.path));
}

}  // namespace
