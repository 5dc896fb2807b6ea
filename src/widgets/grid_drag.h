// One drag of the grid's mouse: a body row dragged by its fixed cell to
// another place, or the border of a column or row dragged to resize it.
// The grid window feeds it the pointer; it keeps what the drag started
// from, sets the new sizes in the model and says where a row would drop.
#pragma once

#include "widgets/grid_model.h"

namespace widgets {

class GridDrag {
 public:
  enum class Kind { None, Row, ColSize, RowSize };

  // What a finished drag leaves to do: for a row drag, the row and where
  // it goes (rows from 1).
  struct End {
    Kind kind = Kind::None;
    int fromRow = -1;
    int toRow = -1;
  };

  Kind kind() const { return kind_; }
  // The row being dragged, or -1 when no row is.
  int draggedRow() const { return kind_ == Kind::Row ? index_ : -1; }
  // The row a dragged row would drop at, or -1 when no row is dragged.
  int dropRow() const { return kind_ == Kind::Row ? dropRow_ : -1; }

  void startRow(int row);
  // `index` is the column or row whose border is dragged, `position` the
  // pointer's x (columns) or y (rows), `size` the width or height it has.
  void startResize(Kind kind, int index, int position, int size);
  // The pointer moved to (x, y); `rowUnder` is the body row under it. A
  // resize sets the new size in `model`. True when the drop mark moved.
  bool moveTo(GridModel& model, int x, int y, int rowUnder);
  // Ends the drag and says what it was.
  End finish();

 private:
  Kind kind_ = Kind::None;
  int index_ = -1;
  int start_ = 0;
  int originalSize_ = 0;
  int dropRow_ = -1;
};

}  // namespace widgets
