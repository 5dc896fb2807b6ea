// Start-up of tavrolin.exe against the editor stand-in, through window
// messages only: the table filled from the twelve-layer board, the bottom
// band showing the editor's values, the swell values pushed into the editor,
// the numbered "gerber" directories, and the board type code typed into the
// real edit checking the right export boxes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>

#include "cadlink_fixture.h"
#include "harness.h"
#include "program_fixture.h"
#include "repo_paths.h"
#include "widgets/grid_window_win.h"

namespace {

namespace fs = std::filesystem;
using cadlink_test::Standin;

using program_test::exportBoxes;
using program_test::handleArg;
using program_test::Program;
using program_test::startProgram;
using program_test::writePcadSettings;
constexpr int kIdBoardTypeCode = program_test::kIdBoardTypeCode;

class StartupEditor : public testing::Test {
 protected:
  void SetUp() override {
    designDir_ = harness::freshDir(L"startup-design");
    program_ = harness::copyProgram(L"startup-editor");
  }
  // a backslash before the closing quote is doubled, as command lines want it
  std::wstring designArg() const { return L"--design-dir \"" + designDir_.wstring() + L"\\\\\""; }

  fs::path designDir_;
  fs::path program_;
};

TEST_F(StartupEditor, WithHandleFillsTableAndBottomBand) {
  writePcadSettings(program_, "AutoSMS=1\r\nSMS=0.15mm\r\nAutoPS=1\r\nPS=0.3mm\r\ndir=\r\n");
  Standin editor(harness::boardsDir() / L"twelve-layer.brd", L"startup-handle", designArg());
  ASSERT_NE(editor.main(), nullptr);
  Program p = startProgram(program_, L"-h " + handleArg(editor.main()));
  ASSERT_TRUE(p.main && IsWindowVisible(p.main));

  // one row per editor layer, none exported yet (more rows than the view
  // shows: read through the grid's messages)
  auto exportStates = [&] {
    std::vector<int> ticks;
    harness::waitFor(
        [&] {
          return (ticks = harness::tableValues(p.main, widgets::kGridMsgCheckState,
                                               program_test::kExportColumn))
                     .size() == 18;
        },
        10000);
    return ticks;
  };
  const std::vector<int> before = exportStates();
  ASSERT_EQ(before.size(), 18u);
  for (int tick : before) EXPECT_EQ(tick, 0);

  // the configured swell values went into the editor and came back
  auto journal = editor.lines();
  auto has = [&](const std::wstring& l) {
    return std::find(journal.begin(), journal.end(), l) != journal.end();
  };
  EXPECT_TRUE(
      has(cadlink_test::line(L"\"Options Configure\"#2236", L"WM_SETTEXT", L"0", L"\"0.15mm\"")))
      << cadlink_test::show(journal);
  EXPECT_TRUE(
      has(cadlink_test::line(L"\"Options Configure\"#2212", L"WM_SETTEXT", L"0", L"\"0.3mm\"")));
  EXPECT_NE(harness::findChild(p.main, L"Static", L"0.15mm"), nullptr);
  EXPECT_NE(harness::findChild(p.main, L"Static", L"0.3mm"), nullptr);
  EXPECT_NE(harness::findChild(p.main, L"Static", L"8mil"), nullptr);  // the board's aperture
  // offsets, and the output directory: the design's own
  EXPECT_NE(harness::findChild(p.main, L"Static", L"0"), nullptr);
  EXPECT_NE(harness::findChild(p.main, L"Static", designDir_.wstring() + L"\\"), nullptr)
      << harness::narrow(designDir_.wstring());
  // attached: the export button and the code edit work
  EXPECT_TRUE(IsWindowEnabled(harness::findChild(p.main, L"Button", L"Экспорт")));
  HWND edit = GetDlgItem(p.main, kIdBoardTypeCode);
  EXPECT_TRUE(IsWindowEnabled(edit));

  // typing "12 2 2": twelve metal rows, two masks, two silks and the board
  for (wchar_t ch : std::wstring(L"1222")) SendMessageW(edit, WM_CHAR, ch, 0);
  EXPECT_EQ(harness::textOf(edit), L"12 2 2");
  const std::vector<int> after = exportStates();
  EXPECT_EQ(std::count(after.begin(), after.end(), 1), 17);
  // the last row is the unclassified layer: not exported
  std::string states;
  for (int tick : after) states += tick == 1 ? 'x' : '.';
  EXPECT_EQ(states, "xxxxxxxxxxxxxxxxx.");

  PostMessageW(p.main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.process.wait(10000));
}

TEST_F(StartupEditor, ChooserAttachesToTheOnlyEditorAndAutoSwellOff) {
  writePcadSettings(program_, "AutoSMS=0\r\nAutoPS=0\r\nSMS=9mm\r\n");
  Standin editor(harness::boardsDir() / L"four-layer.brd", L"startup-chooser", designArg());
  ASSERT_NE(editor.main(), nullptr);
  Program p = startProgram(program_, L"");
  ASSERT_TRUE(p.main && IsWindowVisible(p.main));
  EXPECT_TRUE(harness::waitFor([&] { return exportBoxes(p.main).size() == 9; }, 10000));
  auto journal = editor.lines();
  for (const auto& l : journal)
    EXPECT_EQ(l.find(L"WM_SETTEXT"), std::wstring::npos) << base::toUtf8(l);
  PostMessageW(p.main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.process.wait(10000));
}

TEST_F(StartupEditor, GerberModeMakesANewNumberedDirectoryAtEachStart) {
  writePcadSettings(program_, "dir=gerber\r\n");
  Standin editor(harness::boardsDir() / L"two-layer.brd", L"startup-gerber", designArg());
  ASSERT_NE(editor.main(), nullptr);
  for (int n = 0; n < 2; ++n) {
    Program p = startProgram(program_, L"-h " + handleArg(editor.main()));
    ASSERT_TRUE(p.main && IsWindowVisible(p.main));
    fs::path expected = designDir_ / (L"gerber" + std::to_wstring(n));
    EXPECT_TRUE(fs::is_directory(expected)) << n;
    EXPECT_NE(harness::findChild(p.main, L"Static", expected.wstring() + L"\\"), nullptr) << n;
    PostMessageW(p.main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(p.process.wait(10000));
  }
  EXPECT_FALSE(fs::exists(designDir_ / L"gerber2"));
}

// Starts the program on the editor, presses the splash's "Ok" and answers
// with OK every message box that comes before the main window shows;
// returns their texts. Prints the time from "Ok" to the shown window.
std::vector<std::wstring> startAnsweringBoxes(const fs::path& program, HWND editor,
                                              harness::Process& process, HWND& main) {
  process = harness::Process(
      L"\"" + (program / L"tavrolin.exe").wstring() + L"\" -h " + handleArg(editor), program);
  HWND about = harness::waitWindowOf(process.pid(), L"", 15000, L"TForm3");
  EXPECT_TRUE(harness::waitFor([&] { return about && IsWindowVisible(about); }, 5000));
  const DWORD start = GetTickCount();
  SendMessageW(harness::findChild(about, L"Button", L"Ok"), BM_CLICK, 0, 0);
  main = harness::findWindowOf(process.pid(), L"", L"TForm9");
  std::vector<std::wstring> texts;
  harness::waitFor(
      [&] {
        HWND box = harness::findWindowOf(process.pid(), L"", L"#32770");
        if (box && IsWindowVisible(box)) {
          texts.push_back(harness::textOf(GetDlgItem(box, 0xFFFF)));
          PostMessageW(box, WM_COMMAND, IDOK, 0);
          harness::waitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
        }
        return main && IsWindowVisible(main);
      },
      180000);
  std::printf("[ figure   ] start-up to the shown main window: %.1f s\n",
              (GetTickCount() - start) / 1000.0);
  return texts;
}

TEST_F(StartupEditor, EditorWhoseDialogsNeverOpenEndsStartUpWithAMessageNamingWhatWasNotRead) {
  writePcadSettings(program_, "", "");  // the default delays
  Standin editor(harness::boardsDir() / L"four-layer.brd", L"startup-ignored",
                 designArg() + L" --ignore-commands");
  ASSERT_NE(editor.main(), nullptr);
  harness::Process process;
  HWND main = nullptr;
  const std::vector<std::wstring> boxes =
      startAnsweringBoxes(program_, editor.main(), process, main);
  ASSERT_TRUE(main && IsWindowVisible(main));
  ASSERT_GE(boxes.size(), 1u);
  EXPECT_EQ(boxes[0],
            L"Не удалось прочитать из редактора: список слоёв, установка SolderMaskSwell, "
            L"установка Plane Swell, папка проекта, имя файла проекта, SolderMaskSwell, "
            L"Plane Swell, номер сборки.\rНе открылись окна редактора: \"Options Layers\", "
            L"\"Options Configure\", \"Design Info\", \"P-CAD 2004 PCB\".");
  // the build number that never came ends the sequence as any error does
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_TRUE(exportBoxes(main).empty());
  EXPECT_EQ(harness::findChild(main, L"Static", designDir_.wstring() + L"\\"), nullptr)
      << "no output directory from a design directory that was never read";
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(process.wait(10000));
}

TEST_F(StartupEditor, DamagedOrMissingMainIniIsNamedAndTheTableStillFills) {
  const struct {
    const wchar_t* name;
    std::optional<std::string> bytes;  // none: no main.ini
    const wchar_t* fault;
  } cases[] = {
      {L"damaged",
       std::string("\x01\xff[main\r\ndw=5\r\ndc=99999999999\r\n[layers]\r\nA=1,0,99\r\n==\r\n[la"),
       L"\" не содержит типов слоёв"},
      {L"missing", std::nullopt, L"\" не найден."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(harness::narrow(c.name));
    const fs::path ini = program_ / L"main.ini";
    fs::remove(ini);
    if (c.bytes) std::ofstream(ini, std::ios::binary) << *c.bytes;
    Standin editor(harness::boardsDir() / L"four-layer.brd", std::wstring(L"startup-ini-") + c.name,
                   designArg());
    ASSERT_NE(editor.main(), nullptr);
    harness::Process process;
    HWND main = nullptr;
    const std::vector<std::wstring> boxes =
        startAnsweringBoxes(program_, editor.main(), process, main);
    ASSERT_TRUE(main && IsWindowVisible(main));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind(L"Файл настроек \"", 0), 0u) << harness::narrow(boxes[0]);
    EXPECT_NE(boxes[0].find(L"main.ini" + std::wstring(c.fault)), std::wstring::npos)
        << harness::narrow(boxes[0]);
    // every editor layer is in the table, with no CAM type to pick
    EXPECT_TRUE(harness::waitFor([&] { return exportBoxes(main).size() == 9; }, 10000));
    const std::vector<HWND> types = harness::tableControls(main, 3, L"ComboBox");
    EXPECT_EQ(types.size(), 9u);
    for (HWND t : types) EXPECT_EQ(SendMessageW(t, CB_GETCOUNT, 0, 0), 0);
    // the start-up went on: the output directory is the design's
    EXPECT_NE(harness::findChild(main, L"Static", designDir_.wstring() + L"\\"), nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(process.wait(10000));
    // main.ini is neither created nor rewritten
    ASSERT_EQ(fs::exists(ini), c.bytes.has_value());
    if (c.bytes) {
      std::ifstream in(ini, std::ios::binary);
      EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), *c.bytes);
    }
  }
}

}  // namespace
