// The state of a string grid: cells of text, a background colour per cell,
// a control object embedded in a cell, column widths and row heights. Rows
// can be moved; a moved row takes its texts, colours and controls along.
// The grid window draws this model; the layer table's rules act on it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "widgets/controls.h"

namespace widgets {

class GridModel {
 public:
  // Resizes to cols x rows; cells that stay keep their content.
  void setSize(int cols, int rows);
  int colCount() const { return cols_; }
  int rowCount() const { return static_cast<int>(rows_.size()); }

  // Cells outside the grid read as empty and ignore writes.
  const std::wstring& cell(int col, int row) const;
  void setCell(int col, int row, std::wstring text);

  // Background colour 0xRRGGBB; none means the grid's normal background.
  std::optional<uint32_t> cellColour(int col, int row) const;
  void setCellColour(int col, int row, std::optional<uint32_t> rgb);

  // The control shown over a cell, or nullptr. The grid does not own it.
  Control* control(int col, int row) const;
  void setControl(int col, int row, Control* control);

  int colWidth(int col) const;
  void setColWidth(int col, int width);
  int rowHeight(int row) const;
  void setRowHeight(int row, int height);
  // The height of a row not sized on its own, in pixels.
  int defaultRowHeight = kRowHeightAt96Dpi;

  // Widths and heights are pixels of the screen. The sizes the program
  // gives at 96 DPI (the row height here, the layer table's column widths)
  // are scaled() to the screen's pixels per inch, which its window sets.
  void setScreenDpi(int dpi) {
    dpi_ = dpi;
    defaultRowHeight = scaled(kRowHeightAt96Dpi);
  }
  int scaled(int size96) const { return (size96 * dpi_ + 48) / 96; }

  // Moves row `from` to position `to`; the rows between shift by one.
  void moveRow(int from, int to);

  // Told after any change, so that a window can repaint and re-place its
  // embedded controls.
  std::function<void()> onChanged;

 private:
  struct Cell {
    std::wstring text;
    std::optional<uint32_t> colour;
    Control* control = nullptr;
  };
  struct Row {
    std::vector<Cell> cells;
    int height = -1;
  };
  Cell* at(int col, int row);
  const Cell* at(int col, int row) const;
  void changed() const {
    if (onChanged) onChanged();
  }

  static constexpr int kRowHeightAt96Dpi = 22;
  int dpi_ = 96;
  int cols_ = 0;
  std::vector<Row> rows_;
  std::vector<int> colWidths_;
};

}  // namespace widgets
