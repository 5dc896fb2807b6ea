// The grid's mouse drags: row moves and column and row resizing.
#include "widgets/grid_drag.h"

#include <algorithm>

namespace widgets {
namespace {

constexpr int kMinSize = 8;  // no column or row is dragged smaller

}  // namespace

void GridDrag::startRow(int row) {
  kind_ = Kind::Row;
  index_ = row;
  dropRow_ = row;
}

void GridDrag::startResize(Kind kind, int index, int position, int size) {
  kind_ = kind;
  index_ = index;
  start_ = position;
  originalSize_ = size;
}

bool GridDrag::moveTo(GridModel& model, int x, int y, int rowUnder) {
  switch (kind_) {
    case Kind::ColSize:
      model.setColWidth(index_, std::max(kMinSize, originalSize_ + x - start_));
      return false;
    case Kind::RowSize:
      model.setRowHeight(index_, std::max(kMinSize, originalSize_ + y - start_));
      return false;
    case Kind::Row:
      if (rowUnder == dropRow_) return false;
      dropRow_ = rowUnder;
      return true;
    case Kind::None:
      break;
  }
  return false;
}

GridDrag::End GridDrag::finish() {
  End end{kind_, index_, dropRow_};
  kind_ = Kind::None;
  dropRow_ = -1;
  return end;
}

}  // namespace widgets
