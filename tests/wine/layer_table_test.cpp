// The layer table of the real tavrolin.exe attached to the editor stand-in,
// worked with the mouse as the operator works it: a row dragged by its fixed
// cell lands where it is dropped, with all its controls. A board of a
// thousand layers keeps real controls only for the rows in view, and its
// table still follows the rules on every row.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "cadlink_fixture.h"
#include "harness.h"
#include "program_fixture.h"
#include "program_launch.h"
#include "repo_paths.h"
#include "widgets/grid_window_win.h"

namespace {

constexpr int kTypeColumn = 3;  // the grid gives each row control its column as ID

struct TypeBox {
  HWND hwnd;
  RECT rect;
};

// The type drop-downs of the table, top row first, once the table shows
// its model completely (empty before).
std::vector<TypeBox> typeBoxes(HWND main) {
  std::vector<TypeBox> boxes;
  for (HWND w : harness::tableControls(main, kTypeColumn, L"ComboBox")) {
    TypeBox b{w, {}};
    GetWindowRect(w, &b.rect);
    boxes.push_back(b);
  }
  return boxes;
}

// The rows as the operator reads them: each row's type (its index in the
// type list), top row first.
std::vector<int> rowTypes(HWND main) {
  std::vector<int> out;
  for (const TypeBox& b : typeBoxes(main)) {
    out.push_back(
        IsWindowVisible(b.hwnd) ? static_cast<int>(SendMessageW(b.hwnd, CB_GETCURSEL, 0, 0)) : -2);
  }
  return out;
}

// A point in the fixed column of a row (from 1), in the grid's client area.
LPARAM fixedCellOf(HWND grid, const TypeBox& rowControl) {
  POINT p{0, (rowControl.rect.top + rowControl.rect.bottom) / 2};
  ScreenToClient(grid, &p);
  return MAKELPARAM(10, p.y);
}

class LayerTable : public testing::Test {
 protected:
  void SetUp() override {
    program_ = harness::copyProgram(L"layer-table-program");
    program_test::writePcadSettings(program_, "errcheck=2\r\n");
    editor_ = std::make_unique<cadlink_test::Standin>(harness::boardsDir() / L"four-layer.brd",
                                                      L"layer-table-editor", L"");
    ASSERT_NE(editor_->main(), nullptr);
    p_ = program_test::startProgram(program_, L"-h " + program_test::handleArg(editor_->main()));
    ASSERT_TRUE(p_.main && IsWindowVisible(p_.main));
    ASSERT_TRUE(
        harness::waitFor([&] { return !program_test::exportBoxes(p_.main).empty(); }, 20000));
  }
  void TearDown() override {
    if (p_.process.started()) PostMessageW(p_.main, WM_CLOSE, 0, 0);
    p_.process.wait(10000);
  }

  std::filesystem::path program_;
  std::unique_ptr<cadlink_test::Standin> editor_;
  program_test::Program p_;
};

TEST_F(LayerTable, DraggingARowWithTheMouseMovesIt) {
  // Top, Inner1, GND, Bottom, Top Mask, Bot Mask, Top Silk, Bot Silk, Board
  const std::vector<int> start = {0, 1, 2, 3, 8, 9, 6, 7, 5};
  ASSERT_TRUE(harness::waitFor([&] { return rowTypes(p_.main) == start; }, 10000))
      << "the table is not in place";
  // the mouse drags a row by its fixed cell; Alt+Up / Alt+Down in a row's
  // control moves that row by one, and both end alike
  struct Case {
    int from, to;  // rows from 1
    bool keys;
  } const cases[] = {{1, 3, false}, {5, 2, false}, {9, 1, false},
                     {4, 9, false}, {3, 2, true},  {2, 3, true}};
  std::vector<int> expected = start;
  for (const Case& c : cases) {
    std::vector<TypeBox> boxes;
    ASSERT_TRUE(harness::waitFor(
        [&] { return (boxes = typeBoxes(p_.main)).size() == expected.size(); }, 5000));
    HWND grid = GetParent(GetParent(boxes[0].hwnd));
    if (c.keys) {
      const WPARAM key = c.to < c.from ? VK_UP : VK_DOWN;
      SendMessageW(boxes[c.from - 1].hwnd, WM_SYSKEYDOWN, key, 1 | (1 << 29));
    } else {
      const LPARAM down = fixedCellOf(grid, boxes[c.from - 1]);
      const LPARAM drop = fixedCellOf(grid, boxes[c.to - 1]);
      SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, down);
      SendMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON,
                   MAKELPARAM(12, (HIWORD(down) + HIWORD(drop)) / 2));
      SendMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON, drop);
      SendMessageW(grid, WM_LBUTTONUP, 0, drop);
    }

    const int moved = expected[c.from - 1];
    expected.erase(expected.begin() + (c.from - 1));
    expected.insert(expected.begin() + (c.to - 1), moved);
    EXPECT_TRUE(harness::waitFor([&] { return rowTypes(p_.main) == expected; }, 5000))
        << "row " << c.from << " dropped on row " << c.to << ": top row's type now "
        << rowTypes(p_.main)[0];
  }
}

// What the board type code "M K S" does to the export boxes, from the
// rows' types: M metal rows (signal first, then the other conductive
// types), K masks, S silks, every board outline row.
std::vector<int> exportsByTheRules(const std::vector<int>& types, int metal, int mask, int silk) {
  std::vector<int> out(types.size(), 0);
  auto take = [&](int& count, std::initializer_list<int> wanted) {
    for (size_t i = 0; i < types.size() && count > 0; ++i) {
      if (!out[i] && std::find(wanted.begin(), wanted.end(), types[i]) != wanted.end()) {
        out[i] = 1;
        --count;
      }
    }
  };
  for (auto group : {std::initializer_list<int>{0}, {3}, {1, 2, 11}}) take(metal, group);
  for (auto group : {std::initializer_list<int>{8}, {9}}) take(mask, group);
  for (auto group : {std::initializer_list<int>{6}, {7}}) take(silk, group);
  for (size_t i = 0; i < types.size(); ++i) out[i] |= types[i] == 5;
  return out;
}

// The real export boxes in place, each with its row (from 0).
std::vector<std::pair<int, HWND>> realExportBoxes(HWND main) {
  std::vector<std::pair<int, HWND>> out;
  for (HWND w : harness::tableBoxes(main, program_test::kExportColumn)) {
    out.emplace_back(
        static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(w, widgets::kGridRowProperty))) - 1, w);
  }
  return out;
}

// The window with the keyboard focus in the program of `main`.
HWND focusOf(HWND main) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
  return info.hwndFocus;
}

// Gives `w` of another program the focus, as a click would.
bool focusIn(HWND w) {
  const DWORD thread = GetWindowThreadProcessId(w, nullptr);
  if (!AttachThreadInput(GetCurrentThreadId(), thread, TRUE)) return false;
  SetFocus(w);
  AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
  return harness::roundTrip(w);
}

TEST(LayerTableLarge, ThousandLayersFollowTheRulesWithFewWindows) {
  constexpr int kLayers = 1000;
  cadlink_test::Standin editor(L"layer-table-large", L"", harness::boardOfLayers(kLayers));
  ASSERT_NE(editor.main(), nullptr);
  const std::filesystem::path program = harness::copyProgram(L"layer-table-large");
  program_test::writePcadSettings(program, "", "dw=0\r\ndc=0\r\n");
  program_test::Program p =
      program_test::startProgram(program, L"-h " + program_test::handleArg(editor.main()));
  ASSERT_TRUE(p.main && IsWindowVisible(p.main));
  std::vector<int> types;
  ASSERT_TRUE(harness::waitFor(
      [&] {
        return (types = harness::tableValues(p.main, widgets::kGridMsgSelectedItem, kTypeColumn))
                   .size() == kLayers;
      },
      120000));
  HWND grid = harness::tableGrid(p.main);
  // the windows follow the view: far fewer than one per row
  EXPECT_LT(harness::childWindowCount(p.main), kLayers / 2);

  HWND edit = GetDlgItem(p.main, program_test::kIdBoardTypeCode);
  for (wchar_t ch : std::wstring(L"5022")) SendMessageW(edit, WM_CHAR, ch, 0);
  ASSERT_EQ(harness::textOf(edit), L"50 2 2");
  const std::vector<int> expected = exportsByTheRules(types, 50, 2, 2);
  std::vector<int> exports;
  ASSERT_TRUE(harness::waitFor(
      [&] {
        return (exports = harness::tableValues(p.main, widgets::kGridMsgCheckState,
                                               program_test::kExportColumn))
                   .size() == kLayers;
      },
      10000));
  EXPECT_EQ(exports, expected);

  // the real boxes of the rows scrolled to show the model's state: at the
  // end, in the middle, where the metal count ends, and at the top
  for (int row : {kLayers - 1, kLayers / 2, 50, 0}) {
    ASSERT_EQ(SendMessageW(grid, widgets::kGridMsgShowRow, static_cast<WPARAM>(row), 0), 1);
    std::vector<std::pair<int, HWND>> boxes;
    ASSERT_TRUE(
        harness::waitFor([&] { return !(boxes = realExportBoxes(p.main)).empty(); }, 10000));
    EXPECT_TRUE(std::any_of(boxes.begin(), boxes.end(), [&](auto& b) { return b.first == row; }))
        << "row " << row << " has no real box after it was scrolled into view";
    for (const auto& [r, box] : boxes) {
      ASSERT_TRUE(r >= 0 && r < kLayers);
      EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED,
                expected[static_cast<size_t>(r)] == 1)
          << "row " << r;
    }
  }
  EXPECT_EQ(SendMessageW(grid, widgets::kGridMsgShowRow, kLayers, 0), 0);
  EXPECT_EQ(SendMessageW(grid, widgets::kGridMsgCheckState, kLayers, program_test::kExportColumn),
            -1);
  EXPECT_EQ(SendMessageW(grid, widgets::kGridMsgCheckState, 0, kTypeColumn), -1);
  // rows in the middle have a margin on both sides: a few more, never more
  EXPECT_LT(harness::childWindowCount(p.main), kLayers / 2);

  // Tab goes on past the rows that have real controls and scrolls along; a
  // focused control whose row leaves the view hands the focus to the grid
  // and takes it back when the row returns
  ASSERT_EQ(SendMessageW(grid, widgets::kGridMsgShowRow, 0, 0), 1);
  std::vector<std::pair<int, HWND>> boxes;
  ASSERT_TRUE(harness::waitFor([&] { return !(boxes = realExportBoxes(p.main)).empty(); }, 10000));
  const auto [lastRow, lastBox] = boxes.back();
  ASSERT_TRUE(focusIn(lastBox));
  ASSERT_EQ(focusOf(p.main), lastBox);
  for (int i = 0; i < 30; ++i) {  // two rows' worth of controls
    const HWND from = focusOf(p.main);
    PostMessageW(from, WM_KEYDOWN, VK_TAB, 0);
    ASSERT_TRUE(harness::waitFor([&] { return focusOf(p.main) != from; }, 5000)) << "Tab " << i;
  }
  const HWND tabbed = focusOf(p.main);
  const int tabbedRow =
      static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(tabbed, widgets::kGridRowProperty))) - 1;
  EXPECT_GT(tabbedRow, lastRow) << "Tab did not go past the last row that had real controls";
  RECT shown, body;
  GetWindowRect(tabbed, &shown);
  GetWindowRect(GetParent(tabbed), &body);
  EXPECT_TRUE(shown.top >= body.top && shown.top < body.bottom) << "the focused row is not in view";
  ASSERT_EQ(SendMessageW(grid, widgets::kGridMsgShowRow, kLayers - 1, 0), 1);
  EXPECT_EQ(focusOf(p.main), grid);
  ASSERT_EQ(SendMessageW(grid, widgets::kGridMsgShowRow, static_cast<WPARAM>(tabbedRow), 0), 1);
  const HWND back = focusOf(p.main);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropW(back, widgets::kGridRowProperty)) - 1, tabbedRow);
  EXPECT_EQ(GetDlgCtrlID(back), GetDlgCtrlID(tabbed));

  // a grid too small for a row, while a drop-down's list is open, and back:
  // nothing lost
  HWND typeBox = harness::tableControls(p.main, kTypeColumn, L"ComboBox").at(0);
  SendMessageW(typeBox, CB_SHOWDROPDOWN, TRUE, 0);
  RECT at;
  GetWindowRect(grid, &at);
  MapWindowPoints(nullptr, p.main, reinterpret_cast<POINT*>(&at), 2);
  MoveWindow(grid, at.left, at.top, at.right - at.left, 12, TRUE);
  EXPECT_TRUE(harness::roundTrip(grid));
  MoveWindow(grid, at.left, at.top, at.right - at.left, at.bottom - at.top, TRUE);
  EXPECT_EQ(harness::tableValues(p.main, widgets::kGridMsgSelectedItem, kTypeColumn), types);
  EXPECT_EQ(harness::tableValues(p.main, widgets::kGridMsgCheckState, program_test::kExportColumn),
            expected);
  EXPECT_TRUE(harness::waitFor([&] { return !realExportBoxes(p.main).empty(); }, 10000));

  PostMessageW(p.main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.process.wait(20000));
}

TEST(LayerTableLarge, SingleLayerBoard) {
  cadlink_test::Standin editor(L"layer-table-single", L"", harness::boardOfLayers(1));
  ASSERT_NE(editor.main(), nullptr);
  const std::filesystem::path program = harness::copyProgram(L"layer-table-single");
  program_test::writePcadSettings(program, "");
  program_test::Program p =
      program_test::startProgram(program, L"-h " + program_test::handleArg(editor.main()));
  ASSERT_TRUE(p.main && IsWindowVisible(p.main));
  EXPECT_TRUE(
      harness::waitFor([&] { return program_test::exportBoxes(p.main).size() == 1; }, 20000));
  HWND grid = harness::tableGrid(p.main);
  EXPECT_EQ(SendMessageW(grid, widgets::kGridMsgRowCount, 0, 0), 1);
  EXPECT_EQ(SendMessageW(grid, widgets::kGridMsgShowRow, 0, 0), 1);
  EXPECT_EQ(SendMessageW(grid, widgets::kGridMsgShowRow, 1, 0), 0);
  PostMessageW(p.main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.process.wait(20000));
}

}  // namespace
