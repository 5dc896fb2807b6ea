// The choices an export leaves beside its output, end to end under Wine:
// the real tavrolin.exe and plot driver on the editor stand-in, started a
// second time on the same board (and on a board that changed its layers),
// read back through the windows as the operator sees them.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "base/encoding.h"
#include "widgets/grid_window_win.h"
#include "cadlink_fixture.h"
#include "harness.h"
#include "program_fixture.h"
#include "repo_paths.h"

namespace {

namespace fs = std::filesystem;

constexpr int kResetChoicesCommand = 109;  // "Параметры" → "Сбросить выбор слоёв"
constexpr int kTypeColumn = 3;
constexpr int kFlashColumn = 4;
constexpr int kTitlesColumn = 14;

std::string fileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// One row as the operator sees it: export box, type, flash and line
// colour, the nine object-class boxes.
using Row = std::vector<int>;

// The controls of a table column once the table shows every change of its
// model (the harness gives none while it does not).
std::vector<HWND> settledColumn(HWND main, int column, const wchar_t* cls = L"Button") {
  std::vector<HWND> controls;
  harness::waitFor([&] { return !(controls = harness::tableControls(main, column, cls)).empty(); },
                   5000);
  return controls;
}

// The rows, read while the table stood still (empty when it never did).
std::vector<Row> tableRows(HWND main) {
  // through the grid's messages: rows out of view have no real control
  std::vector<std::pair<UINT, int>> cells = {
      {widgets::kGridMsgCheckState, program_test::kExportColumn}};
  for (int col = kTypeColumn; col <= kTypeColumn + 2; ++col)
    cells.push_back({widgets::kGridMsgSelectedItem, col});
  for (int col = kTitlesColumn - 8; col <= kTitlesColumn; ++col)
    cells.push_back({widgets::kGridMsgCheckState, col});
  std::vector<Row> rows;
  harness::waitFor(
      [&] {
        rows.clear();
        for (const auto& [query, col] : cells) {
          const std::vector<int> column = harness::tableValues(main, query, col);
          if (column.empty() || (!rows.empty() && column.size() != rows.size())) {
            rows.clear();
            return false;
          }
          rows.resize(column.size());
          for (size_t r = 0; r < column.size(); ++r) rows[r].push_back(column[r]);
        }
        return true;
      },
      5000);
  return rows;
}

// Picks an item of a row's drop-down as the operator does.
void pick(HWND main, int column, size_t row, int item) {
  HWND box = settledColumn(main, column, L"ComboBox").at(row);
  SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(box));
}

struct LabelSearch {
  std::wstring head;
  HWND found;
};

BOOL CALLBACK matchLabel(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<LabelSearch*>(lp);
  const std::wstring text = harness::textOf(w);
  if (text.rfind(s->head, 0) != 0) return TRUE;
  s->found = w;
  return FALSE;
}

// The main window's label whose text starts with `head`, or null.
HWND labelStarting(HWND main, const std::wstring& head) {
  LabelSearch s{head, nullptr};
  EnumChildWindows(main, matchLabel, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// What the top and bottom bands show of the choices.
struct Bands {
  std::wstring code;
  LRESULT bindToType, viasCovered, inch;
  bool operator==(const Bands& o) const {
    return code == o.code && bindToType == o.bindToType && viasCovered == o.viasCovered &&
           inch == o.inch;
  }
};

Bands bandsOf(HWND main) {
  auto checked = [main](const wchar_t* caption) {
    return SendMessageW(harness::findChild(main, L"Button", caption), BM_GETCHECK, 0, 0);
  };
  return {harness::textOf(GetDlgItem(main, program_test::kIdBoardTypeCode)),
          checked(L"Привязка к типу"), checked(L"Переходные закрыты маской."), checked(L"Inch")};
}

// A sample board, one layer renamed when asked.
std::string sampleBoard(const wchar_t* name, const std::string& renamed = "",
                        const std::string& to = "") {
  std::string text = fileBytes(harness::boardsDir() / name);
  const size_t at = renamed.empty() ? std::string::npos : text.find(renamed);
  if (at != std::string::npos) text.replace(at, renamed.size(), to);
  return text;
}

class ChoicesKept : public testing::Test {
 protected:
  void SetUp() override {
    design_ = harness::freshDir(L"choices-design");
    program_ = harness::copyProgram(L"choices-program");
    program_test::writePcadSettings(program_, "errcheck=2\r\n", "dw=10\r\ndc=10\r\n");
  }
  void TearDown() override { closeProgram(); }

  // The stand-in on a board written for the test, its design in design_.
  void startEditor(const std::string& board) {
    editor_ = std::make_unique<cadlink_test::Standin>(
        L"choices-editor-" + std::to_wstring(++editors_),
        L"--design-dir \"" + design_.wstring() + L"\\\\\"", board);
    ASSERT_NE(editor_->main(), nullptr);
  }
  void startProgram() {
    p_ = program_test::startProgram(program_, L"-h " + program_test::handleArg(editor_->main()));
    ASSERT_TRUE(p_.main && IsWindowVisible(p_.main));
    ASSERT_TRUE(
        harness::waitFor([&] { return !program_test::exportBoxes(p_.main).empty(); }, 20000));
  }
  void closeProgram() {
    if (!p_.process.started()) return;
    PostMessageW(p_.main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(p_.process.wait(10000));
    p_ = {};
  }

  // The code typed; the type of row `typeRow` (a metal one) changed to
  // another metal type, a colour, an object class of row `silkRow` and the
  // units changed; the last row moved up by one (Alt+Up in its type box).
  void makeChoices(const std::wstring& code, size_t typeRow, size_t silkRow) {
    HWND edit = GetDlgItem(p_.main, program_test::kIdBoardTypeCode);
    for (wchar_t ch : code) SendMessageW(edit, WM_CHAR, ch, 0);
    pick(p_.main, kTypeColumn, typeRow, 11);
    pick(p_.main, kFlashColumn, 0, 12);
    SendMessageW(settledColumn(p_.main, kTitlesColumn).at(silkRow), BM_CLICK, 0, 0);
    SendMessageW(harness::findChild(p_.main, L"Button", L"Inch"), BM_CLICK, 0, 0);
    const std::vector<Row> before = tableRows(p_.main);
    SendMessageW(settledColumn(p_.main, kTypeColumn, L"ComboBox").back(), WM_SYSKEYDOWN, VK_UP,
                 1 | (1 << 29));
    ASSERT_TRUE(harness::waitFor(
        [&] {
          const std::vector<Row> now = tableRows(p_.main);
          return !now.empty() && now != before;
        },
        5000));
  }

  // Presses "Экспорт" and answers every message box with OK; the texts.
  std::vector<std::wstring> exportAndAnswer() {
    return harness::clickAndAnswer(harness::findChild(p_.main, L"Button", L"Экспорт"),
                                   p_.process.pid());
  }

  fs::path design_;
  fs::path program_;
  int editors_ = 0;
  std::unique_ptr<cadlink_test::Standin> editor_;
  program_test::Program p_;
};

TEST_F(ChoicesKept, SecondStartShowsWhatWasExportedAndResetGivesTheRules) {
  startEditor(sampleBoard(L"twelve-layer.brd"));
  startProgram();
  const std::vector<Row> rules = tableRows(p_.main);
  const Bands rulesBands = bandsOf(p_.main);
  makeChoices(L"1222", 1, 14);  // "Сигнал 2", "Top Silk"
  const std::vector<Row> chosen = tableRows(p_.main);
  const Bands chosenBands = bandsOf(p_.main);
  ASSERT_FALSE(rules.empty());
  ASSERT_NE(chosen, rules);
  EXPECT_EQ(exportAndAnswer(), std::vector<std::wstring>{});
  const std::string firstJob = fileBytes(design_ / L"pcad.ini");
  EXPECT_EQ(fileBytes(design_ / L"twelve-layer.tavrolin").substr(0, 2), "\xFF\xFE");
  closeProgram();

  startProgram();
  EXPECT_TRUE(harness::waitFor([&] { return tableRows(p_.main) == chosen; }, 5000));
  EXPECT_EQ(bandsOf(p_.main), chosenBands);
  // the bottom band's line, in the row of the output directory
  HWND note = labelStarting(p_.main, L"Восстановлен выбор слоёв от ");
  RECT rc{};
  EXPECT_TRUE(note && IsWindowVisible(note) && GetWindowRect(note, &rc) &&
              rc.right - rc.left > 100);
  EXPECT_EQ(exportAndAnswer(), std::vector<std::wstring>{});
  EXPECT_EQ(fileBytes(design_ / L"pcad.ini"), firstJob);

  PostMessageW(p_.main, WM_COMMAND, kResetChoicesCommand, 0);
  EXPECT_TRUE(harness::waitFor([&] { return tableRows(p_.main) == rules; }, 5000));
  EXPECT_EQ(bandsOf(p_.main), rulesBands);
}

TEST_F(ChoicesKept, BoardThatGainedOneLayerAndLostAnother) {
  startEditor(sampleBoard(L"four-layer.brd"));
  startProgram();
  const std::vector<Row> rules = tableRows(p_.main);
  makeChoices(L"422", 2, 6);  // the plane "GND", "Top Silk"
  const std::vector<Row> chosen = tableRows(p_.main);
  EXPECT_EQ(exportAndAnswer(), std::vector<std::wstring>{});
  closeProgram();
  editor_.reset();

  // the plane "GND" gone, the plane "VCC" new in its place
  startEditor(sampleBoard(L"four-layer.brd", "layer \"GND\"", "layer \"VCC\""));
  startProgram();
  std::vector<Row> expected = chosen;
  expected[2] = rules[2];  // by the rules
  EXPECT_TRUE(harness::waitFor([&] { return tableRows(p_.main) == expected; }, 5000));
  const std::wstring line = harness::textOf(labelStarting(p_.main, L"Восстановлен выбор слоёв"));
  EXPECT_NE(line.find(L"Новые слои: VCC."), std::wstring::npos) << harness::narrow(line);
}

TEST_F(ChoicesKept, DamagedFileIsToldAndKeptAndAFailedSaveNeverStopsTheExport) {
  const fs::path kept = design_ / L"two-layer.tavrolin";
  const std::string damaged = "\xFF\xFE[Tav";
  std::ofstream(kept, std::ios::binary) << damaged;
  startEditor(fileBytes(harness::boardsDir() / L"two-layer.brd"));
  startProgram();
  EXPECT_EQ(harness::textOf(labelStarting(p_.main, L"Выбор слоёв не восстановлен")),
            L"Выбор слоёв не восстановлен: файл two-layer.tavrolin повреждён.");
  EXPECT_EQ(fileBytes(kept), damaged);

  // a directory where the file would go: the export runs to its end and
  // then says that the choices were not saved
  ASSERT_TRUE(fs::remove(kept));
  ASSERT_TRUE(fs::create_directory(kept));
  HWND edit = GetDlgItem(p_.main, program_test::kIdBoardTypeCode);
  for (wchar_t ch : std::wstring(L"222")) SendMessageW(edit, WM_CHAR, ch, 0);
  const std::vector<std::wstring> told = exportAndAnswer();
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].rfind(L"Выбор слоёв не сохранён: не удалось записать файл \"", 0), 0u)
      << harness::narrow(told[0]);
  EXPECT_EQ(fileBytes(design_ / L"two-layer.GTL").rfind("G04 Korvant TAVROLIN*", 0), 0u)
      << "the Gerber files were not stamped";
}

}  // namespace
