// Writes an Excellon N/C drill file for one drill span: a header (M48, the
// units, the board's whole tool table, "%"), then the hits of each tool the
// span uses, then M30. The
// body always holds "G90" and "M30" after the header's "%", so the line
// "%" stands third from the end exactly when the file has no holes.
#pragma once

#include <string>
#include <vector>

#include "board.h"
#include "output_job.h"

namespace standin {

struct DrillHit {
  Point at;
  double diameter = 0;
};

// The holes drilled for the span: with an empty span every hole of the
// board; else the plated holes (pads with a hole, vias) whose span runs
// from the span's first to its last layer (either order), and the
// non-plated holes when the span runs from the first to the last metal layer.
std::vector<DrillHit> drillHits(const Board& board, const std::vector<int>& span);

// The file's text, lines ended with CR LF.
std::string writeDrill(const Board& board, const DrillJob& job);

}  // namespace standin
