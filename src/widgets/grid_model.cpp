// The string grid's state: texts, cell colours, embedded controls, sizes,
// and moving a row with everything it holds.
#include "widgets/grid_model.h"

#include <algorithm>

namespace widgets {

namespace {
constexpr int kDefaultColWidth = 64;
}  // namespace

void GridModel::setSize(int cols, int rows) {
  cols_ = std::max(cols, 0);
  rows_.resize(static_cast<size_t>(std::max(rows, 0)));
  for (Row& row : rows_) row.cells.resize(static_cast<size_t>(cols_));
  colWidths_.resize(static_cast<size_t>(cols_), kDefaultColWidth);
  changed();
}

GridModel::Cell* GridModel::at(int col, int row) {
  if (col < 0 || col >= cols_ || row < 0 || row >= rowCount()) return nullptr;
  return &rows_[static_cast<size_t>(row)].cells[static_cast<size_t>(col)];
}

const GridModel::Cell* GridModel::at(int col, int row) const {
  if (col < 0 || col >= cols_ || row < 0 || row >= rowCount()) return nullptr;
  return &rows_[static_cast<size_t>(row)].cells[static_cast<size_t>(col)];
}

const std::wstring& GridModel::cell(int col, int row) const {
  static const std::wstring empty;
  const Cell* c = at(col, row);
  return c ? c->text : empty;
}

void GridModel::setCell(int col, int row, std::wstring text) {
  Cell* c = at(col, row);
  if (!c) return;
  c->text = std::move(text);
  changed();
}

std::optional<uint32_t> GridModel::cellColour(int col, int row) const {
  const Cell* c = at(col, row);
  return c ? c->colour : std::nullopt;
}

void GridModel::setCellColour(int col, int row, std::optional<uint32_t> rgb) {
  Cell* c = at(col, row);
  if (!c) return;
  c->colour = rgb;
  changed();
}

Control* GridModel::control(int col, int row) const {
  const Cell* c = at(col, row);
  return c ? c->control : nullptr;
}

void GridModel::setControl(int col, int row, Control* control) {
  Cell* c = at(col, row);
  if (!c) return;
  c->control = control;
  changed();
}

int GridModel::colWidth(int col) const {
  if (col < 0 || col >= cols_) return 0;
  return colWidths_[static_cast<size_t>(col)];
}

void GridModel::setColWidth(int col, int width) {
  if (col < 0 || col >= cols_) return;
  colWidths_[static_cast<size_t>(col)] = width;
  changed();
}

int GridModel::rowHeight(int row) const {
  if (row < 0 || row >= rowCount()) return 0;
  int height = rows_[static_cast<size_t>(row)].height;
  return height < 0 ? defaultRowHeight : height;
}

void GridModel::setRowHeight(int row, int height) {
  if (row < 0 || row >= rowCount()) return;
  rows_[static_cast<size_t>(row)].height = height;
  changed();
}

void GridModel::moveRow(int from, int to) {
  int n = rowCount();
  if (from < 0 || from >= n || to < 0 || to >= n || from == to) return;
  auto first = rows_.begin();
  if (from < to)
    std::rotate(first + from, first + from + 1, first + to + 1);
  else
    std::rotate(first + to, first + from, first + from + 1);
  changed();
}

}  // namespace widgets
