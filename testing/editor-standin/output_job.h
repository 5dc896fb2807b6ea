// What one "Generate" of the output dialogs asks for: the plotted layer,
// object classes, offsets and units of a Gerber file, or the layer span of a
// drill file; how the dialogs read their length texts and span lists; and
// what part each layer plays in the output (metal, mask, silk, outline).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board.h"

namespace standin {

enum class OutputUnits { Mm, Inch };

constexpr double kMmPerInch = 25.4;

// The object classes of the Gerber dialog, in the order of its check boxes.
constexpr int kClassPad = 0;
constexpr int kClassVias = 1;
constexpr int kClassPvHoles = 2;
constexpr int kClassNoMtHole = 3;
constexpr int kClassRefDes = 4;
constexpr int kClassTipe = 5;
constexpr int kClassValue = 6;
constexpr int kClassMirror = 7;
constexpr int kClassTitles = 8;
constexpr int kObjectClassCount = 9;

struct GerberJob {
  int layer = -1;
  std::array<bool, kObjectClassCount> classes{};
  Point offset;  // millimetres, added to every coordinate
  OutputUnits units = OutputUnits::Mm;
};

struct DrillJob {
  std::vector<int> span;  // layers crossed, first to last; empty: every hole
  Point offset;           // millimetres
  OutputUnits units = OutputUnits::Mm;
};

enum class LayerRole { Metal, Mask, Silk, Outline, Other };
enum class Side { Top, Bottom };

// A layer of type "NE" (non-electrical) is a mask, silk, outline ("Board")
// or other layer by its name; every other type is metal.
LayerRole layerRole(const Layer& layer);
// Bottom when the name starts with "Bot" (any case), else top.
Side layerSide(const Layer& layer);
// The first and last metal layers of the board, or -1 when it has none.
int firstMetalLayer(const Board& board);
int lastMetalLayer(const Board& board);
// True when the span from..to (either order) includes `layer`.
bool spanIncludes(int from, int to, int layer);

// A length text as the dialogs take it: a decimal number with an optional
// unit "mm", "mil", "in" or "inch" (blanks allowed around); a bare number
// is in `bare` units; an empty text is 0. The result is in millimetres;
// nothing when the text is not such a length.
std::optional<double> parseLength(std::wstring_view text, OutputUnits bare);

// The layers of a "%"-separated span list, by their names on the board.
// Layer names may themselves hold "%": the list is split so that every part
// is a whole layer name. Nothing when no such split exists; an empty list
// is the empty span.
std::optional<std::vector<int>> parseSpan(const Board& board, std::wstring_view text);

}  // namespace standin
