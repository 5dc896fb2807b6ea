// Painting of the open board in the main window: a side panel with the
// design's name, parameters and layer list, and a plan of the board's
// outline, tracks, pads, vias, holes and texts.
#pragma once

#include <windows.h>

#include "board.h"

namespace standin {

void paintBoard(HDC dc, const RECT& area, const Board& board);

}  // namespace standin
