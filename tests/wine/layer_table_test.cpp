// The layer table of the real tavrolin.exe attached to the editor stand-in,
// worked with the mouse as the operator works it: a row dragged by its fixed
// cell lands where it is dropped, with all its controls.
#include <gtest/gtest.h>

#include <memory>

#include "cadlink_fixture.h"
#include "harness.h"
#include "program_fixture.h"
#include "program_launch.h"
#include "repo_paths.h"

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

}  // namespace
