// Grid state: sizes, cells outside the grid, and moving rows with their
// texts, colours and embedded controls.
#include <gtest/gtest.h>

#include "widgets/grid_model.h"

using widgets::CheckBox;
using widgets::GridModel;

TEST(GridModelTest, CellsOutsideTheGridReadEmptyAndIgnoreWrites) {
  GridModel grid;
  grid.setSize(3, 2);
  CheckBox box;
  const std::pair<int, int> outside[] = {{-1, 0}, {0, -1}, {3, 0}, {0, 2}, {100, 100}};
  for (auto [col, row] : outside) {
    grid.setCell(col, row, L"x");
    grid.setCellColour(col, row, 0xFF0000);
    grid.setControl(col, row, &box);
    EXPECT_EQ(grid.cell(col, row), L"");
    EXPECT_FALSE(grid.cellColour(col, row).has_value());
    EXPECT_EQ(grid.control(col, row), nullptr);
  }
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(grid.cell(c, r), L"");
      EXPECT_EQ(grid.control(c, r), nullptr);
    }
}

TEST(GridModelTest, ResizeKeepsTheCellsThatStay) {
  GridModel grid;
  grid.setSize(2, 2);
  grid.setCell(1, 1, L"keep");
  grid.setColWidth(1, 33);
  grid.setSize(4, 5);
  EXPECT_EQ(grid.cell(1, 1), L"keep");
  EXPECT_EQ(grid.colWidth(1), 33);
  EXPECT_EQ(grid.rowCount(), 5);
  EXPECT_EQ(grid.colCount(), 4);
  grid.setSize(1, 1);
  EXPECT_EQ(grid.cell(1, 1), L"");
  grid.setSize(2, 2);
  EXPECT_EQ(grid.cell(1, 1), L"") << "a cell dropped by shrinking comes back empty";
}

TEST(GridModelTest, RowHeightDefaultsUntilSet) {
  GridModel grid;
  grid.setSize(1, 2);
  grid.defaultRowHeight = 18;
  EXPECT_EQ(grid.rowHeight(1), 18);
  grid.setRowHeight(1, 40);
  EXPECT_EQ(grid.rowHeight(1), 40);
  EXPECT_EQ(grid.rowHeight(0), 18);
}

TEST(GridModelTest, MoveRowTakesTextsColoursControlsAndHeight) {
  struct Case {
    int from, to;
    std::vector<std::wstring> order;  // column 0 of rows 0..4 afterwards
  };
  const Case cases[] = {
      {1, 3, {L"0", L"2", L"3", L"1", L"4"}},
      {4, 0, {L"4", L"0", L"1", L"2", L"3"}},
      {2, 2, {L"0", L"1", L"2", L"3", L"4"}},
      {0, 5, {L"0", L"1", L"2", L"3", L"4"}},  // target outside: nothing moves
      {-1, 2, {L"0", L"1", L"2", L"3", L"4"}},
  };
  for (const Case& c : cases) {
    GridModel grid;
    grid.setSize(2, 5);
    CheckBox boxes[5];
    for (int r = 0; r < 5; ++r) {
      grid.setCell(0, r, std::to_wstring(r));
      grid.setCellColour(1, r, 0x100 * r);
      grid.setControl(1, r, &boxes[r]);
      grid.setRowHeight(r, 10 + r);
    }
    grid.moveRow(c.from, c.to);
    for (int r = 0; r < 5; ++r) {
      int was = std::stoi(c.order[r]);
      EXPECT_EQ(grid.cell(0, r), c.order[r]) << c.from << "->" << c.to << " row " << r;
      EXPECT_EQ(grid.cellColour(1, r), std::optional<uint32_t>(0x100 * was));
      EXPECT_EQ(grid.control(1, r), &boxes[was]);
      EXPECT_EQ(grid.rowHeight(r), 10 + was);
    }
  }
}

TEST(GridModelTest, ChangesAreReported) {
  GridModel grid;
  int changes = 0;
  grid.onChanged = [&] { ++changes; };
  grid.setSize(2, 2);
  grid.setCell(0, 0, L"a");
  grid.setCellColour(0, 0, std::nullopt);
  grid.moveRow(0, 1);
  EXPECT_EQ(changes, 4);
  grid.setCell(5, 5, L"ignored");
  EXPECT_EQ(changes, 4);
}
