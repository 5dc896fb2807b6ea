// The stand-in editor's open design: directory and file name, the three board
// parameters, the layer list as the layer dialog shows it, and the board's
// objects (pads, vias, holes, tracks, texts, outline), all in millimetres.
// Parsed from the board description format of docs/standin-board-format.md.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

struct Point {
  double x = 0;
  double y = 0;
};

enum class PadShape { Round, Rect, Oval };
enum class TextKind { RefDes, Type, Value, Title };

struct Layer {
  std::wstring name;
  std::wstring type;  // exactly as the layer list shows it, blanks included
};

struct Pad {
  Point at;
  PadShape shape = PadShape::Round;
  double width = 0;
  double height = 0;
  double hole = 0;  // 0: a surface pad
  int fromLayer = 0;
  int toLayer = 0;
  std::wstring name;
};

struct Via {
  Point at;
  double diameter = 0;
  double hole = 0;
  int fromLayer = 0;
  int toLayer = 0;
};

struct Hole {
  Point at;
  double diameter = 0;
};

struct Track {
  int layer = 0;
  double width = 0;
  std::vector<Point> points;
};

struct Text {
  int layer = 0;
  TextKind kind = TextKind::RefDes;
  Point at;
  double height = 0;
  std::wstring string;
};

struct BoardParameters {
  std::wstring solderMaskSwell;
  std::wstring planeSwell;
  std::wstring drawAperture;
};

struct Board {
  std::wstring designDir;
  std::wstring fileName;
  BoardParameters params;
  std::vector<Layer> layers;
  std::vector<Point> outline;
  std::vector<Pad> pads;
  std::vector<Via> vias;
  std::vector<Hole> holes;
  std::vector<Track> tracks;
  std::vector<Text> texts;

  // Position of the layer with exactly this name, or -1.
  int layerIndex(std::wstring_view name) const;
};

// A fault in a board description, with its 1-based line number.
class BoardFormatError : public std::runtime_error {
 public:
  BoardFormatError(int line, const std::string& what);
  int line() const { return line_; }

 private:
  int line_;
};

// Parses a whole board description (already decoded from UTF-8).
Board parseBoard(std::wstring_view text);

}  // namespace standin
