// "Экспорт" end to end under Wine, through window messages only: the real
// tavrolin.exe attached to the editor stand-in, the real plot driver making
// the stand-in write Gerber and drill files, the messages of the run
// answered as an operator would, and the files checked afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <set>
#include <map>
#include <thread>

#include "base/encoding.h"
#include "cadlink_fixture.h"
#include "harness.h"
#include "program_fixture.h"
#include "repo_paths.h"
#include "tavrolin/main_window_win.h"
#include "tavrolin/preview_window_win.h"
#include "widgets/grid_window_win.h"
#include "zip_unpack.h"

namespace {

namespace fs = std::filesystem;
using program_test::exportBoxes;
using program_test::Program;

using harness::fileLines;

std::set<std::wstring> filesIn(const fs::path& dir) {
  std::set<std::wstring> out;
  for (const auto& e : fs::directory_iterator(dir)) out.insert(e.path().filename().wstring());
  return out;
}

// One message box the run showed: its text and the button pressed.
struct Answered {
  std::wstring text;
};

class ExportRun : public testing::Test {
 protected:
  void SetUp() override {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::wstring name = base::fromUtf8(info->name());
    design_ = harness::freshDir(L"export-" + name);
    program_ = harness::copyProgram(L"export-program-" + name);
  }

  // Starts the stand-in on `board` and the program attached to it.
  void start(const std::wstring& board, const std::string& pcad, const std::string& mainLines,
             const std::wstring& editorOptions = L"") {
    program_test::writePcadSettings(program_, pcad, mainLines);
    editor_ = std::make_unique<cadlink_test::Standin>(
        harness::boardsDir() / board, L"export-editor",
        L"--design-dir \"" + design_.wstring() + L"\\\\\" " + editorOptions);
    ASSERT_NE(editor_->main(), nullptr);
    p_ = program_test::startProgram(program_, L"-h " + program_test::handleArg(editor_->main()));
    ASSERT_TRUE(p_.main && IsWindowVisible(p_.main));
    ASSERT_TRUE(harness::waitFor([&] { return !exportBoxes(p_.main).empty(); }, 20000));
  }

  // The driver gives up on a window after `tries` searches instead of the
  // templates' 500, so that tests of failing blocks are quick.
  void limitWindowTries(int tries) {
    fs::path job = program_ / L"macros" / L"2004_215.ini";
    std::ifstream in(job, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    size_t at = text.find("WindowTries=500");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 15, "WindowTries=" + std::to_string(tries));
    std::ofstream(job, std::ios::binary) << text;
  }

  void typeCode(const std::wstring& keys) {
    HWND edit = GetDlgItem(p_.main, program_test::kIdBoardTypeCode);
    for (wchar_t ch : keys) SendMessageW(edit, WM_CHAR, ch, 0);
  }

  // Presses "Экспорт" and answers every message box with `answer` (IDYES,
  // IDNO or IDOK; OK where there is no such button) until the run is over.
  std::vector<Answered> exportAndAnswer(int answer = IDOK) {
    std::vector<Answered> boxes;
    for (std::wstring& text : harness::clickAndAnswer(
             harness::findChild(p_.main, L"Button", L"Экспорт"), p_.process.pid(), answer)) {
      boxes.push_back({std::move(text)});
    }
    return boxes;
  }

  // True when the program is still open once its thread has handled every
  // message posted to it so far (an automatic close is posted): a marker
  // posted behind them, the pushed look of "Экспорт", has shown.
  bool staysOpen() {
    HWND button = harness::findChild(p_.main, L"Button", L"Экспорт");
    PostMessageW(button, BM_SETSTATE, TRUE, 0);
    const bool handled = harness::waitFor(
        [&] { return !IsWindow(button) || (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED); },
        10000);
    if (!IsWindow(button)) return false;
    SendMessageW(button, BM_SETSTATE, FALSE, 0);
    return handled && !p_.process.wait(0);
  }

  void TearDown() override {
    if (p_.process.started()) PostMessageW(p_.main, WM_CLOSE, 0, 0);
    p_.process.wait(10000);
  }

  fs::path design_;
  fs::path program_;
  std::unique_ptr<cadlink_test::Standin> editor_;
  Program p_;
};

// The six header lines and a single layer-name record.
void expectStamped(const fs::path& file, int position, int id, int type) {
  auto lines = fileLines(file);
  ASSERT_GE(lines.size(), 7u) << file.string();
  EXPECT_EQ(lines[0], "G04 Korvant TAVROLIN*");
  EXPECT_EQ(lines[1], "G04 layer position = " + std::to_string(position) + "*");
  EXPECT_EQ(lines[2], "G04 layer base position = " + std::to_string(id) + "*");
  EXPECT_EQ(lines[3], "G04 layer type = " + std::to_string(type) + "*");
  EXPECT_EQ(lines[4].rfind("G04 layer flash color = ", 0), 0u);
  EXPECT_EQ(lines[5].rfind("G04 layer line color = ", 0), 0u);
  int records = 0;
  for (const auto& l : lines) records += l.rfind("%LN", 0) == 0;
  EXPECT_EQ(records, 1) << file.string();
}

int layerNameRecords(const fs::path& file) {
  int records = 0;
  for (const auto& l : fileLines(file)) records += l.rfind("%LN", 0) == 0;
  return records;
}

// The plot driver's progress window while the driver runs, or null.
HWND driverWindow() {
  HWND w = FindWindowW(L"TavrolinPlotRelayProgress", nullptr);
  return w && IsWindowVisible(w) ? w : nullptr;
}

std::string fileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST_F(ExportRun, FourLayerBoardGivesTheCompleteSet) {
  start(L"four-layer.brd", "errcheck=2\r\n", "dw=10\r\ndc=10\r\n");
  typeCode(L"422");
  auto boxes = exportAndAnswer();
  EXPECT_TRUE(boxes.empty()) << harness::narrow(boxes.empty() ? L"" : boxes[0].text);

  auto files = filesIn(design_);
  const std::set<std::wstring> expected = {
      L"pcad.ini",       L"error.log",          L"four-layer.ERR", L"four-layer.GTL",
      L"four-layer.G1",  L"four-layer.GP1",     L"four-layer.GBL", L"four-layer.GTS",
      L"four-layer.GBS", L"four-layer.GTO",     L"four-layer.GBO", L"four-layer.brd",
      L"four-layer.TXT", L"four-layer.tavrolin"};
  EXPECT_EQ(files, expected);
  // rows: Top, Inner1, GND, Bottom, Top Mask, Bot Mask, Top Silk, Bot Silk, Board
  const wchar_t* ext[] = {L"GTL", L"G1", L"GP1", L"GBL", L"GTS", L"GBS", L"GTO", L"GBO", L"brd"};
  const int types[] = {0, 1, 2, 3, 8, 9, 6, 7, 5};
  for (int i = 0; i < 9; ++i) {
    expectStamped(design_ / (L"four-layer." + std::wstring(ext[i])), i, i, types[i]);
  }
  EXPECT_EQ(fileLines(design_ / L"error.log").back(),
            "\xEF\xBB\xBF"
            "errors - 0");
  auto drill = fileLines(design_ / L"four-layer.TXT");
  ASSERT_GE(drill.size(), 4u);
  EXPECT_EQ(drill[1], ";Korvant TAVROLIN");
  EXPECT_EQ(drill[2], ";From Layer 1");
  EXPECT_EQ(drill[3], ";To Layer 4");
}

TEST_F(ExportRun, OffsetsFromTheOffsetDialogReachTheJob) {
  start(L"two-layer.brd", "errcheck=2\r\n", "dw=10\r\ndc=10\r\n");
  PostMessageW(p_.main, WM_COMMAND, 102, 0);  // "Оффсет"
  HWND dialog = harness::waitWindowOf(p_.process.pid(), L"Оффсет", 10000, L"TForm13");
  ASSERT_TRUE(harness::waitFor([&] { return dialog && IsWindowVisible(dialog); }, 5000));
  SendMessageW(GetDlgItem(dialog, 100), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1.5"));
  SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(harness::waitFor([&] { return !IsWindowVisible(dialog); }, 5000));
  // the main window shows the accepted offsets
  EXPECT_TRUE(harness::waitFor(
      [&] { return harness::findChild(p_.main, L"Static", L"1.5mm") != nullptr; }, 5000));
  EXPECT_NE(harness::findChild(p_.main, L"Static", L"0mm"), nullptr);
  typeCode(L"222");
  EXPECT_TRUE(exportAndAnswer().empty());
  auto job = fileLines(design_ / L"pcad.ini");
  int x = 0, y = 0;
  for (const auto& l : job) {
    x += l == "OffsetX=1.5mm";
    y += l == "OffsetY=0mm";
  }
  // every layer block and the drill block carry them
  EXPECT_EQ(x, 8);
  EXPECT_EQ(y, 8);
}

TEST_F(ExportRun, TwelveLayerBoardRenamesTheDrillFilesInOrder) {
  start(L"twelve-layer.brd", "errcheck=2\r\n", "dw=10\r\ndc=10\r\n");
  typeCode(L"1222");
  auto boxes = exportAndAnswer();
  EXPECT_TRUE(boxes.empty()) << harness::narrow(boxes.empty() ? L"" : boxes[0].text);
  auto files = filesIn(design_);
  int gerbers = 0, drills = 0;
  for (const auto& f : files) {
    EXPECT_EQ(f.find(L'_'), std::wstring::npos) << "a pair file is left: " << harness::narrow(f);
    if (f.rfind(L"twelve-layer.TXT", 0) == 0) {
      std::wstring expectedName =
          drills == 0 ? L"twelve-layer.TXT" : L"twelve-layer.TXT" + std::to_wstring(drills);
      EXPECT_TRUE(files.count(expectedName)) << harness::narrow(expectedName);
      ++drills;
    } else if (f != L"pcad.ini" && f != L"error.log" && f != L"twelve-layer.ERR" &&
               f != L"twelve-layer.tavrolin") {
      EXPECT_EQ(layerNameRecords(design_ / f), 1) << harness::narrow(f);
      ++gerbers;
    }
  }
  EXPECT_EQ(gerbers, 17);
  // the board's four spans that hold holes: Top-Bottom (a via and the two
  // mounting holes), Top-"Сигнал 3", "Сигнал 5"-"Сигнал 8", "Сигнал 10"-Bottom
  EXPECT_EQ(drills, 4);
}

TEST_F(ExportRun, UnexportedSignalLayerAskedNoWritesNothing) {
  start(L"four-layer.brd", "errcheck=2\r\n", "dw=10\r\ndc=10\r\n");
  typeCode(L"322");  // the plane is left out
  auto boxes = exportAndAnswer(IDNO);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            L"Не все сигнальные слои экспортируются.\rПродолжить выполнение программы?");
  EXPECT_TRUE(filesIn(design_).empty());
}

TEST_F(ExportRun, UnexportedSignalLayerAskedYesExports) {
  start(L"four-layer.brd", "errcheck=2\r\n", "dw=10\r\ndc=10\r\n");
  typeCode(L"322");
  auto boxes = exportAndAnswer(IDYES);
  ASSERT_EQ(boxes.size(), 1u);
  auto files = filesIn(design_);
  EXPECT_TRUE(files.count(L"four-layer.GTL"));
  EXPECT_TRUE(files.count(L"four-layer.G1"));
  EXPECT_FALSE(files.count(L"four-layer.GP1"));
}

TEST_F(ExportRun, ExportedLayerWithoutTypeIsRefused) {
  start(L"twelve-layer.brd", "errcheck=2\r\n", "dw=10\r\ndc=10\r\n");
  typeCode(L"1222");
  // the unclassified layer, no type: the last of more rows than the view
  // shows, scrolled into view through the grid's message
  HWND grid = harness::tableGrid(p_.main);
  const LRESULT rows = SendMessageW(grid, widgets::kGridMsgRowCount, 0, 0);
  ASSERT_EQ(SendMessageW(grid, widgets::kGridMsgShowRow, static_cast<WPARAM>(rows - 1), 0), 1);
  std::vector<HWND> inView = exportBoxes(p_.main);
  ASSERT_FALSE(inView.empty());
  ASSERT_EQ(reinterpret_cast<INT_PTR>(GetPropW(inView.back(), widgets::kGridRowProperty)), rows);
  SendMessageW(inView.back(), BM_CLICK, 0, 0);
  auto boxes = exportAndAnswer();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            L"Типы слоёв заполненны неполностью.\rЗаполните их и ещё раз нажмите на экспорт!");
  EXPECT_TRUE(filesIn(design_).empty());
}

TEST_F(ExportRun, NothingExportedDoesNothing) {
  // only "Top" and "Bottom" are signal layers: no question either
  start(L"two-layer.brd", "errcheck=2\r\n", "dw=10\r\ndc=10\r\n");
  auto boxes = exportAndAnswer();
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(filesIn(design_).empty());
}

// The driver reports errors: the first two Gerber files cannot be written.
const wchar_t* const kTwoFailures = L"--output-fault 1 --output-fault 2";

TEST_F(ExportRun, ErrorPolicyAskShowsTheCountThenGoesOn) {
  limitWindowTries(50);
  start(L"four-layer.brd", "errcheck=2\r\n", "dw=10\r\ndc=10\r\n", kTwoFailures);
  typeCode(L"422");
  auto boxes = exportAndAnswer();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, L"Обнаруженно 2 ошибок.");
  // then the layers whose files were not written
  EXPECT_EQ(boxes[1].text.rfind(L"Драйвер вывода не записал новые файлы для слоёв:\r", 0), 0u)
      << harness::narrow(boxes[1].text);
  EXPECT_TRUE(filesIn(design_).count(L"four-layer.TXT")) << "post-processing went on";
}

TEST_F(ExportRun, ErrorPolicyContinueSaysNothing) {
  limitWindowTries(50);
  start(L"four-layer.brd", "errcheck=0\r\n", "dw=10\r\ndc=10\r\n", kTwoFailures);
  typeCode(L"422");
  EXPECT_TRUE(exportAndAnswer().empty());
  EXPECT_TRUE(filesIn(design_).count(L"four-layer.TXT"));
}

TEST_F(ExportRun, ErrorPolicyStopLeavesTheDriversFilesAndStaysOpen) {
  // the drill blocks fail; the driver stops at the first
  limitWindowTries(50);
  start(L"four-layer.brd", "errcheck=1\r\n", "dw=10\r\ndc=10\r\nautoclose=1\r\n",
        L"--never-open \"File N/C Drill\"");
  typeCode(L"422");
  EXPECT_TRUE(exportAndAnswer().empty());
  auto files = filesIn(design_);
  ASSERT_TRUE(files.count(L"four-layer.GTL"));
  // as the driver left it: several layer-name records, no header
  EXPECT_GT(layerNameRecords(design_ / L"four-layer.GTL"), 1);
  EXPECT_NE(fileLines(design_ / L"four-layer.GTL")[0], "G04 Korvant TAVROLIN*");
  EXPECT_FALSE(files.count(L"four-layer.TXT"));
  EXPECT_TRUE(staysOpen());
}

TEST_F(ExportRun, AutomaticCloseAfterACompleteRun) {
  start(L"two-layer.brd", "errcheck=2\r\n", "dw=10\r\ndc=10\r\nautoclose=1\r\n");
  typeCode(L"222");
  EXPECT_TRUE(exportAndAnswer().empty());
  EXPECT_TRUE(p_.process.wait(10000)) << "the program closed itself";
  EXPECT_TRUE(filesIn(design_).count(L"two-layer.GTL"));
}

TEST_F(ExportRun, LongDesignDirectoryExportsIntoThatDirectory) {
  // a design directory of 200 characters, far beyond the 126 of a plain read
  std::wstring dir = design_.wstring() + L"\\";
  while (dir.size() < 200) dir += L"long-folder-name\\";
  dir.resize(200);
  if (dir.back() == L'\\') dir.back() = L'x';
  design_ = fs::path(dir);
  fs::create_directories(design_);
  start(L"two-layer.brd", "errcheck=2\r\n", "dw=10\r\ndc=10\r\n");
  EXPECT_NE(harness::findChild(p_.main, L"Static", dir + L"\\"), nullptr);
  typeCode(L"222");
  auto boxes = exportAndAnswer();
  EXPECT_TRUE(boxes.empty()) << harness::narrow(boxes.empty() ? L"" : boxes[0].text);
  const auto files = filesIn(design_);
  for (const wchar_t* f : {L"pcad.ini", L"error.log", L"two-layer.GTL", L"two-layer.GBL"}) {
    EXPECT_TRUE(files.count(f)) << harness::narrow(f);
  }
  // nothing in the ancestor that the cut text would have named
  const std::wstring cut = dir.substr(0, 126);
  const fs::path ancestor = cut.substr(0, cut.find_last_of(L'\\') + 1);
  EXPECT_FALSE(fs::exists(ancestor / L"pcad.ini")) << harness::narrow(ancestor.wstring());
}

TEST_F(ExportRun, DesignDirectoryThatWasNotReadRefusesTheExport) {
  program_test::writePcadSettings(program_, "errcheck=2\r\n");
  editor_ = std::make_unique<cadlink_test::Standin>(
      harness::boardsDir() / L"two-layer.brd", L"export-editor",
      L"--design-dir \"" + design_.wstring() + L"\\\\\" --never-open \"Design Info\"");
  ASSERT_NE(editor_->main(), nullptr);
  p_.process = harness::Process(L"\"" + (program_ / L"tavrolin.exe").wstring() + L"\" -h " +
                                    program_test::handleArg(editor_->main()),
                                program_);
  HWND about = harness::waitWindowOf(p_.process.pid(), L"", 15000, L"TForm3");
  ASSERT_TRUE(harness::waitFor([&] { return about && IsWindowVisible(about); }, 5000));
  SendMessageW(harness::findChild(about, L"Button", L"Ok"), BM_CLICK, 0, 0);
  // the start-up names what it could not read, then shows the window
  HWND box = nullptr;
  ASSERT_TRUE(harness::waitFor(
      [&] {
        box = harness::findWindowOf(p_.process.pid(), L"", L"#32770");
        return box && IsWindowVisible(box);
      },
      60000));
  EXPECT_EQ(harness::textOf(GetDlgItem(box, 0xFFFF)),
            L"Не удалось прочитать из редактора: папка проекта, имя файла проекта."
            L"\rНе открылись окна редактора: \"Design Info\".");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  p_.main = harness::findWindowOf(p_.process.pid(), L"", L"TForm9");
  ASSERT_TRUE(harness::waitFor([&] { return p_.main && IsWindowVisible(p_.main); }, 20000));
  ASSERT_TRUE(harness::waitFor([&] { return !exportBoxes(p_.main).empty(); }, 20000));
  typeCode(L"222");
  editor_->mark();
  auto boxes = exportAndAnswer();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            L"Папка вывода не определена: папку проекта не удалось прочитать из редактора "
            L"целиком.\rЭкспорт не выполнен.");
  EXPECT_TRUE(filesIn(design_).empty());
  EXPECT_TRUE(editor_->lines().empty()) << "the driver never worked the editor";
}

TEST_F(ExportRun, MissingDriverIsReported) {
  start(L"two-layer.brd", "errcheck=2\r\n", "dw=10\r\ndc=10\r\nautoclose=1\r\n");
  fs::remove(program_ / L"plotrelay.exe");
  typeCode(L"222");
  auto boxes = exportAndAnswer();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text.rfind(L"Не удалось запустить драйвер вывода", 0), 0u)
      << harness::narrow(boxes[0].text);
  EXPECT_TRUE(staysOpen()) << "no automatic close after a failed run";
  EXPECT_FALSE(filesIn(design_).count(L"two-layer.GTL"));
}

// A second click on "Экспорт" while the driver runs (a double click, a click
// queued while the program waits) does not replay the run when it is over.
TEST_F(ExportRun, ClickOnExportWhileTheDriverRunsIsDropped) {
  // slow dialogs keep the driver busy for a few seconds
  start(L"four-layer.brd", "errcheck=2\r\n", "dw=10\r\ndc=10\r\n", L"--dialog-delay 100");
  typeCode(L"422");
  HWND button = harness::findChild(p_.main, L"Button", L"Экспорт");
  HWND marker = exportBoxes(p_.main).back();
  const bool markerWas = SendMessageW(marker, BM_GETCHECK, 0, 0) == BST_CHECKED;
  bool sawDriver = false, enabledDuringRun = true, driverStillRan = false;
  std::thread during([&] {
    sawDriver = harness::waitFor([] { return driverWindow() != nullptr; }, 120000);
    if (!sawDriver) return;
    enabledDuringRun = IsWindowEnabled(p_.main) != FALSE;
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    // shows when the queue behind the click has been worked through
    PostMessageW(marker, BM_SETCHECK, markerWas ? BST_UNCHECKED : BST_CHECKED, 0);
    driverStillRan = driverWindow() != nullptr;
  });
  auto boxes = exportAndAnswer();
  during.join();
  ASSERT_TRUE(sawDriver);
  ASSERT_TRUE(driverStillRan) << "the click came after the run, not during it";
  EXPECT_TRUE(boxes.empty());
  EXPECT_FALSE(enabledDuringRun) << "the main window took input during the export";
  ASSERT_TRUE(harness::waitFor(
      [&] { return (SendMessageW(marker, BM_GETCHECK, 0, 0) == BST_CHECKED) != markerWas; },
      240000));
  EXPECT_TRUE(IsWindowEnabled(p_.main));
  auto files = filesIn(design_);
  EXPECT_TRUE(files.count(L"four-layer.TXT"));
  EXPECT_FALSE(files.count(L"four-layer.TXT1")) << "the export ran a second time";
}

// A driver that was killed leaves no error log: under "stop" the run ends
// with a message and nothing is post-processed.
TEST_F(ExportRun, KilledDriverIsAnErrorThatStopsTheRun) {
  start(L"four-layer.brd", "errcheck=1\r\n", "dw=10\r\ndc=10\r\nautoclose=1\r\n",
        L"--never-open \"File N/C Drill\"");
  typeCode(L"422");
  bool killed = false;
  std::thread during([&] {
    HWND w = nullptr;
    if (!harness::waitFor([&] { return (w = driverWindow()) != nullptr; }, 120000)) return;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HANDLE driver = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    killed = driver && TerminateProcess(driver, 1);
    if (driver) CloseHandle(driver);
  });
  auto boxes = exportAndAnswer();
  during.join();
  ASSERT_TRUE(killed);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            L"Драйвер вывода не оставил журнал ошибок (код завершения 1).\rВывод мог быть "
            L"прерван.");
  for (const auto& f : filesIn(design_)) {
    if (f == L"pcad.ini") continue;
    auto lines = fileLines(design_ / f);
    EXPECT_TRUE(lines.empty() || lines[0] != "G04 Korvant TAVROLIN*") << harness::narrow(f);
  }
  EXPECT_TRUE(staysOpen());
}

// An earlier export left four-layer.GTL (a Gerber file that readers take,
// with its repeated layer-name record); in this run the Top block fails.
const char kOldTop[] =
    "G04 Korvant TAVROLIN*\r\nG04 an earlier export*\r\n%FSLAX24Y24*%\r\n%MOMM*%\r\n"
    "%LNTOP*%\r\n%ADD10C,0.2*%\r\n%LNTOP*%\r\nD10*\r\nX0Y0D03*\r\nM02*\r\n";

TEST_F(ExportRun, FileOfAnEarlierExportIsLeftAsItWasAndNamed) {
  limitWindowTries(50);
  std::ofstream(design_ / L"four-layer.GTL", std::ios::binary) << kOldTop;
  start(L"four-layer.brd", "errcheck=2\r\n", "dw=10\r\ndc=10\r\n", L"--output-fault 1");
  typeCode(L"422");
  auto boxes = exportAndAnswer();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, L"Обнаруженно 1 ошибок.");
  EXPECT_EQ(boxes[1].text,
            L"Драйвер вывода не записал новые файлы для слоёв:\rTop (four-layer.GTL)\rЭти файлы "
            L"не обработаны.");
  EXPECT_EQ(fileBytes(design_ / L"four-layer.GTL"), kOldTop);
  expectStamped(design_ / L"four-layer.G1", 1, 1, 1);
}

TEST_F(ExportRun, FileOfAnEarlierExportIsLeftAsItWasSilentlyUnderContinue) {
  limitWindowTries(50);
  std::ofstream(design_ / L"four-layer.GTL", std::ios::binary) << kOldTop;
  start(L"four-layer.brd", "errcheck=0\r\n", "dw=10\r\ndc=10\r\n", L"--output-fault 1");
  typeCode(L"422");
  EXPECT_TRUE(exportAndAnswer().empty());
  EXPECT_EQ(fileBytes(design_ / L"four-layer.GTL"), kOldTop);
  expectStamped(design_ / L"four-layer.G1", 1, 1, 1);
}

// The members of a zip archive, name to bytes, read through its central
// directory and inflated with zlib; empty when the archive cannot be read.
std::map<std::string, std::string> zipMembers(const fs::path& zip) {
  const std::string bytes = fileBytes(zip);
  auto at16 = [&](size_t i) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1])
                                                                      << 8);
  };
  auto at32 = [&](size_t i) { return at16(i) | at16(i + 2) << 16; };
  std::map<std::string, std::string> members;
  if (bytes.size() < 22 || at32(bytes.size() - 22) != 0x06054b50) return members;
  size_t entry = at32(bytes.size() - 22 + 16);
  for (uint32_t n = at16(bytes.size() - 22 + 10); n > 0; --n) {
    if (entry + 46 > bytes.size() || at32(entry) != 0x02014b50) return {};
    const uint32_t packed = at32(entry + 20), size = at32(entry + 24);
    const uint32_t nameLength = at16(entry + 28), local = at32(entry + 42);
    const std::string name = bytes.substr(entry + 46, nameLength);
    const size_t data = local + 30 + at16(local + 26) + at16(local + 28);
    std::string out;
    if (data + packed > bytes.size() || !zip_test::inflate(bytes.substr(data, packed), out) ||
        out.size() != size)
      return {};
    members[name] = out;
    entry += 46 + nameLength + at16(entry + 30) + at16(entry + 32);
  }
  return members;
}

std::vector<std::string> textLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

TEST_F(ExportRun, TwelveLayerBoardPackedForTheBoardHouseWithAttributes) {
  start(L"twelve-layer.brd", "errcheck=2\r\nFabZip=1\r\nX2=1\r\n", "dw=10\r\ndc=10\r\n");
  typeCode(L"1222");
  auto boxes = exportAndAnswer();
  EXPECT_TRUE(boxes.empty()) << harness::narrow(boxes.empty() ? L"" : boxes[0].text);
  // exactly the exported Gerber files, the kept drill files and the readme
  std::set<std::string> expected = {"twelve-layer_readme.txt"};
  for (const auto& f : filesIn(design_)) {
    if (f != L"pcad.ini" && f != L"error.log" && f != L"twelve-layer.ERR" &&
        f != L"twelve-layer_fab.zip" && f != L"twelve-layer.tavrolin")
      expected.insert(harness::narrow(f));
  }
  const auto members = zipMembers(design_ / L"twelve-layer_fab.zip");
  std::set<std::string> names;
  for (const auto& [name, bytes] : members) {
    names.insert(name);
    if (name != "twelve-layer_readme.txt") {
      EXPECT_EQ(bytes, fileBytes(design_ / name)) << name;
    }
  }
  EXPECT_EQ(names, expected);
  ASSERT_TRUE(members.count("twelve-layer_readme.txt"));
  const auto readme = textLines(members.at("twelve-layer_readme.txt"));
  EXPECT_EQ(readme[0], base::toUtf8(L"\uFEFFФайлы для изготовления печатной платы"));

  // per drill file: the readme's total equals the hits in the file
  const std::string total = base::toUtf8(L"  Всего отверстий: ");
  int drills = 0;
  for (const auto& name : names) {
    if (name.find(".TXT") == std::string::npos) continue;
    ++drills;
    int hits = 0;
    for (const auto& l : fileLines(design_ / name))
      hits += !l.empty() && (l[0] == 'X' || l[0] == 'Y');
    const std::string head = base::toUtf8(L"Сверловка ") + name + ":";
    auto at = std::find_if(readme.begin(), readme.end(),
                           [&](const std::string& l) { return l.rfind(head, 0) == 0; });
    ASSERT_NE(at, readme.end()) << name;
    at = std::find_if(at, readme.end(),
                      [&](const std::string& l) { return l.rfind(total, 0) == 0; });
    ASSERT_NE(at, readme.end()) << name;
    EXPECT_EQ(at->substr(total.size()), std::to_string(hits)) << name;
    EXPECT_GT(hits, 0) << name;
    EXPECT_EQ(
        fileLines(design_ / name)[1].rfind("; #@! TF.GenerationSoftware,Korvant,Tavrolin,1.3", 0),
        0u);
  }
  EXPECT_EQ(drills, 4);

  // each copper file names its layer number from the top and its side
  std::map<int, std::string> copper;  // layer number -> function
  for (const auto& name : names) {
    if (name.find(".TXT") != std::string::npos || name == "twelve-layer_readme.txt") continue;
    for (const auto& l : fileLines(design_ / name)) {
      if (l.rfind("%TF.FileFunction,Copper,L", 0) != 0) continue;
      const int number = std::stoi(l.substr(25));
      EXPECT_FALSE(copper.count(number)) << name;
      copper[number] = l;
    }
  }
  ASSERT_EQ(copper.size(), 12u);
  for (const auto& [number, line] : copper) {
    const char* side = number == 1 ? "Top" : number == 12 ? "Bot" : "Inr";
    EXPECT_EQ(line, "%TF.FileFunction,Copper,L" + std::to_string(number) + "," + side + "*%");
  }
}

TEST_F(ExportRun, FourLayerBoardPackedWithoutAttributes) {
  start(L"four-layer.brd", "errcheck=2\r\nFabZip=1\r\n", "dw=10\r\ndc=10\r\n");
  typeCode(L"422");
  EXPECT_TRUE(exportAndAnswer().empty());
  const auto members = zipMembers(design_ / L"four-layer_fab.zip");
  EXPECT_EQ(members.size(), 11u);  // nine Gerber files, one drill file, the readme
  for (const auto& [name, bytes] : members) EXPECT_EQ(bytes.find("TF."), std::string::npos) << name;
  expectStamped(design_ / L"four-layer.GTL", 0, 0, 0);
}

TEST_F(ExportRun, ArchiveThatCannotBeWrittenIsReportedAndTheFilesStay) {
  fs::create_directories(design_ / L"four-layer_fab.zip");  // a folder in the archive's place
  start(L"four-layer.brd", "errcheck=2\r\nFabZip=1\r\n", "dw=10\r\ndc=10\r\nautoclose=1\r\n");
  typeCode(L"422");
  auto boxes = exportAndAnswer();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text.rfind(L"Не удалось записать архив", 0), 0u)
      << harness::narrow(boxes[0].text);
  EXPECT_NE(boxes[0].text.find(L"\rЭкспортированные файлы остались как были."), std::wstring::npos);
  EXPECT_TRUE(staysOpen());
  expectStamped(design_ / L"four-layer.GTL", 0, 0, 0);
  for (const auto& f : filesIn(design_)) EXPECT_EQ(f.find(L".tmp"), std::wstring::npos);
}

// A job that cannot be written (a read-only pcad.ini left in the output
// directory): the operator is told in Russian which file, the files that
// stood there are kept, and the driver is never started.
TEST_F(ExportRun, JobThatCannotBeWrittenIsNamedAndTheDriverNeverStarts) {
  const fs::path job = design_ / L"pcad.ini";
  std::ofstream(design_ / L"four-layer.GTL", std::ios::binary) << kOldTop;
  std::ofstream(job, std::ios::binary) << "old job\r\n";
  ASSERT_TRUE(SetFileAttributesW(job.wstring().c_str(), FILE_ATTRIBUTE_READONLY));
  start(L"four-layer.brd", "errcheck=2\r\n", "dw=10\r\ndc=10\r\nautoclose=1\r\n");
  typeCode(L"422");
  editor_->mark();
  auto boxes = exportAndAnswer();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            L"Не удалось записать файл \"" + job.wstring() + L"\": файл только для чтения");
  EXPECT_EQ(filesIn(design_), (std::set<std::wstring>{L"four-layer.GTL", L"pcad.ini"}));
  EXPECT_EQ(fileBytes(design_ / L"four-layer.GTL"), kOldTop);
  EXPECT_EQ(fileBytes(job), "old job\r\n");
  EXPECT_TRUE(editor_->lines().empty()) << "the driver never worked the editor";
  EXPECT_TRUE(staysOpen());
  SetFileAttributesW(job.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Name, size, last write time and contents of every file in `dir`.
struct FileState {
  std::uintmax_t size;
  fs::file_time_type time;
  std::string bytes;
  bool operator==(const FileState& o) const {
    return size == o.size && time == o.time && bytes == o.bytes;
  }
};
std::map<std::wstring, FileState> folderState(const fs::path& dir) {
  std::map<std::wstring, FileState> out;
  for (const auto& e : fs::directory_iterator(dir)) {
    out[e.path().filename().wstring()] = {e.file_size(), e.last_write_time(), fileBytes(e.path())};
  }
  return out;
}

TEST_F(ExportRun, PreviewShowsTheWrittenFilesHidesALayerAndChangesNothing) {
  start(L"four-layer.brd", "errcheck=2\r\n", "dw=10\r\ndc=10\r\n");
  // "Просмотр" does nothing before this design has been exported
  SendMessageW(p_.main, WM_COMMAND, app::MainWindow::kCmdPreview, 0);
  HWND preview = harness::findWindowOf(p_.process.pid(), L"", app::kPreviewWindowClass);
  ASSERT_NE(preview, nullptr);
  EXPECT_FALSE(IsWindowVisible(preview));
  typeCode(L"422");
  auto boxes = exportAndAnswer();
  EXPECT_TRUE(boxes.empty()) << harness::narrow(boxes.empty() ? L"" : boxes[0].text);
  // the finished run opens the preview
  ASSERT_TRUE(harness::waitFor([&] { return IsWindowVisible(preview); }, 10000));
  EXPECT_EQ(harness::textOf(preview), L"Просмотр - four-layer.pcb");
  const auto before = folderState(design_);

  auto ask = [&](UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    return static_cast<int>(SendMessageW(preview, msg, wp, lp));
  };
  const std::vector<std::wstring> names = {
      L"Top (.GTL)",      L"Inner1 (.G1)",        L"GND (.GP1)",      L"Bottom (.GBL)",
      L"Top Mask (.GTS)", L"Bot Mask (.GBS)",     L"Top Silk (.GTO)", L"Bot Silk (.GBO)",
      L"Board (.brd)",    L"Сверловка 1-4 (.TXT)"};
  ASSERT_EQ(ask(app::kPreviewLayerCount), static_cast<int>(names.size()));
  std::vector<HWND> checks;
  for (size_t i = 0; i < names.size(); ++i) {
    checks.push_back(GetDlgItem(preview, ask(app::kPreviewLayerControl, i)));
    EXPECT_EQ(harness::textOf(checks[i]), names[i]);
    EXPECT_EQ(ask(app::kPreviewLayerShown, i), 1) << i;
  }
  EXPECT_EQ(ask(app::kPreviewLayerShown, names.size()), -1);
  EXPECT_EQ(ask(app::kPreviewFilesDrawn), static_cast<int>(names.size()));
  EXPECT_EQ(ask(app::kPreviewFilesUnread), 0);

  // the wheel zooms by a quarter a notch about the cursor, F fits again
  const int fitted = ask(app::kPreviewScale);
  ASSERT_GT(fitted, 0);
  RECT picture;
  GetWindowRect(preview, &picture);
  PostMessageW(preview, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA),
               MAKELPARAM(picture.right - 100, picture.bottom - 100));
  ASSERT_TRUE(harness::waitFor([&] { return ask(app::kPreviewScale) != fitted; }, 5000));
  EXPECT_NEAR(ask(app::kPreviewScale), fitted * 1.25, 1);
  PostMessageW(preview, WM_KEYDOWN, 'F', 0);
  ASSERT_TRUE(harness::waitFor([&] { return ask(app::kPreviewScale) == fitted; }, 5000));

  // "Top Silk" hidden through its check box, the board turned over by its key
  SendMessageW(checks[6], BM_CLICK, 0, 0);
  ASSERT_TRUE(harness::waitFor([&] { return ask(app::kPreviewLayerShown, 6) == 0; }, 5000));
  EXPECT_EQ(SendMessageW(checks[6], BM_GETCHECK, 0, 0), BST_UNCHECKED);
  for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(ask(app::kPreviewLayerShown, i), i != 6) << i;
  EXPECT_EQ(ask(app::kPreviewFilesDrawn), static_cast<int>(names.size()) - 1);
  PostMessageW(preview, WM_KEYDOWN, 'B', 0);  // the key for "Снизу"
  ASSERT_TRUE(harness::waitFor([&] { return ask(app::kPreviewFromBottom) == 1; }, 5000));
  EXPECT_EQ(SendMessageW(harness::findChild(preview, L"Button", L"Снизу"), BM_GETCHECK, 0, 0),
            BST_CHECKED);
  EXPECT_EQ(ask(app::kPreviewFilesDrawn), static_cast<int>(names.size()) - 1);
  EXPECT_EQ(folderState(design_), before) << "the preview wrote into the output directory";

  // closed, and opened again from the menu: every file shown, from the top
  PostMessageW(preview, WM_CLOSE, 0, 0);
  ASSERT_TRUE(harness::waitFor([&] { return !IsWindowVisible(preview); }, 5000));
  PostMessageW(p_.main, WM_COMMAND, app::MainWindow::kCmdPreview, 0);
  ASSERT_TRUE(harness::waitFor([&] { return IsWindowVisible(preview); }, 5000));
  EXPECT_EQ(ask(app::kPreviewLayerShown, 6), 1);
  EXPECT_EQ(ask(app::kPreviewFromBottom), 0);
  EXPECT_EQ(folderState(design_), before);

  // the files are read at every redraw: one taken away is named under the list
  ASSERT_TRUE(fs::remove(design_ / L"four-layer.GBO"));
  ASSERT_EQ(ask(app::kPreviewShowLayer, 0, 0), 1);
  EXPECT_EQ(ask(app::kPreviewFilesDrawn), static_cast<int>(names.size()) - 1);
  EXPECT_EQ(ask(app::kPreviewFilesUnread), 1);
  const std::wstring status = harness::textOf(GetDlgItem(preview, app::PreviewWindow::kIdStatus));
  EXPECT_EQ(status.rfind(L"Bot Silk (.GBO): ", 0), 0u) << harness::narrow(status);
}

// A list of more files than the window shows scrolls: the wheel over it, and
// the keyboard's focus on an entry, bring every entry into reach of the mouse.
TEST_F(ExportRun, PreviewListLongerThanTheWindowScrollsToEveryEntry) {
  // the board's description only: the files go to its design directory, and
  // the checks that read every "export-*" folder back have nothing to read here
  const fs::path board = harness::freshDir(L"board-many-layers") / L"many.brd";
  std::ofstream(board, std::ios::binary) << harness::boardOfLayers(20);
  start(board.wstring(), "errcheck=2\r\n", "dw=10\r\ndc=10\r\n");
  typeCode(L"1022");
  auto boxes = exportAndAnswer();
  EXPECT_TRUE(boxes.empty()) << harness::narrow(boxes.empty() ? L"" : boxes[0].text);
  HWND preview = nullptr;
  ASSERT_TRUE(harness::waitFor(
      [&] {
        preview = harness::findWindowOf(p_.process.pid(), L"", app::kPreviewWindowClass);
        return preview && IsWindowVisible(preview);
      },
      10000));
  auto ask = [&](UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    return static_cast<int>(SendMessageW(preview, msg, wp, lp));
  };
  // as low as the window goes: the list no longer fits
  SetWindowPos(preview, nullptr, 0, 0, 520, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const int count = ask(app::kPreviewLayerCount);
  ASSERT_GE(count, 15);
  HWND first = GetDlgItem(preview, ask(app::kPreviewLayerControl, 0));
  HWND last = GetDlgItem(preview, ask(app::kPreviewLayerControl, count - 1));
  // the check box is what the mouse finds at its middle inside the window
  auto middleOf = [&](HWND box) {
    RECT r;
    GetWindowRect(box, &r);
    POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ScreenToClient(preview, &at);
    return at;
  };
  auto reachable = [&](HWND box) {
    return ChildWindowFromPointEx(preview, middleOf(box), CWP_SKIPINVISIBLE) == box;
  };
  ASSERT_TRUE(harness::waitFor([&] { return reachable(first) && !reachable(last); }, 5000));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(preview, app::PreviewWindow::kIdListScroll)));

  // the wheel over the list scrolls it to its end and leaves the picture's scale
  const int scale = ask(app::kPreviewScale);
  RECT over;
  GetWindowRect(first, &over);
  for (int notch = 0; notch < count; ++notch) {
    PostMessageW(preview, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA),
                 MAKELPARAM(over.left + 4, over.top + 4));
  }
  ASSERT_TRUE(harness::waitFor([&] { return reachable(last) && !reachable(first); }, 5000));
  EXPECT_EQ(ask(app::kPreviewScale), scale);
  // a click there hides the last file
  RECT box;
  GetClientRect(last, &box);
  PostMessageW(last, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.right / 2, box.bottom / 2));
  PostMessageW(last, WM_LBUTTONUP, 0, MAKELPARAM(box.right / 2, box.bottom / 2));
  ASSERT_TRUE(harness::waitFor([&] { return ask(app::kPreviewLayerShown, count - 1) == 0; }, 5000));
  EXPECT_EQ(ask(app::kPreviewFilesDrawn), count - 1);

  // the clicked entry has the focus: the Up key walks the list back to the
  // first entry, scrolling as the focus leaves what is in sight; the
  // messages reach every entry whatever is in sight
  for (int i = 1; i < count; ++i) PostMessageW(last, WM_KEYDOWN, VK_UP, 0);
  ASSERT_TRUE(harness::waitFor([&] { return reachable(first) && !reachable(last); }, 5000));
  ASSERT_EQ(ask(app::kPreviewShowLayer, count - 1, 1), 1);
  EXPECT_EQ(SendMessageW(last, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(ask(app::kPreviewFilesDrawn), count);
}

}  // namespace
