// A plain stroke font for plotted texts: every character is drawn from the
// seven segments of a display digit, so a text becomes a list of straight
// strokes that a Gerber file can draw with one round aperture.
#pragma once

#include <string>
#include <vector>

#include "board.h"

namespace standin {

struct Stroke {
  Point from;
  Point to;
};

// Width of one character cell and the advance to the next, per unit of height.
constexpr double kGlyphWidth = 0.6;
constexpr double kGlyphAdvance = 0.9;

// The strokes of `text` with its baseline's left end at `at`. Blanks draw
// nothing; characters without a shape of their own draw a box.
std::vector<Stroke> strokeText(const std::wstring& text, Point at, double height);

}  // namespace standin
