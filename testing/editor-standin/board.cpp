// Board description parser: one record per line, blank-separated fields,
// double-quoted fields keep their blanks ("" stands for one quote).
#include "board.h"

#include <cwchar>

namespace standin {

namespace {

constexpr double kMilToMm = 0.0254;

std::string narrow(std::wstring_view text) {
  std::string out;
  for (wchar_t c : text) out += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
  return out;
}

// Splits one line into fields; throws on an unterminated quote.
std::vector<std::wstring> splitFields(std::wstring_view line, int lineNo) {
  std::vector<std::wstring> fields;
  size_t i = 0;
  while (i < line.size()) {
    wchar_t c = line[i];
    if (c == L' ' || c == L'\t') {
      ++i;
      continue;
    }
    std::wstring field;
    if (c == L'"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        if (line[i] == L'"') {
          if (i + 1 < line.size() && line[i + 1] == L'"') {
            field += L'"';
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        field += line[i++];
      }
      if (!closed) throw BoardFormatError(lineNo, "unterminated quoted text");
    } else {
      while (i < line.size() && line[i] != L' ' && line[i] != L'\t') field += line[i++];
    }
    fields.push_back(field);
  }
  return fields;
}

// The fields of one record with checked access by position.
class Record {
 public:
  Record(std::vector<std::wstring> fields, int lineNo, const Board& board, double unit)
      : fields_(std::move(fields)), lineNo_(lineNo), board_(board), unit_(unit) {}

  size_t size() const { return fields_.size(); }
  const std::wstring& keyword() const { return fields_[0]; }

  void needAtLeast(size_t n) const {
    if (fields_.size() < n + 1) fail("too few fields after '" + narrow(keyword()) + "'");
  }
  void needExactly(size_t n) const {
    if (fields_.size() != n + 1)
      fail("'" + narrow(keyword()) + "' takes " + std::to_string(n) + " field(s)");
  }
  const std::wstring& text(size_t i) const { return fields_.at(i); }

  double number(size_t i) const {
    const std::wstring& f = fields_.at(i);
    wchar_t* end = nullptr;
    double v = std::wcstod(f.c_str(), &end);
    if (f.empty() || end != f.c_str() + f.size()) fail("not a number: '" + narrow(f) + "'");
    return v;
  }
  double length(size_t i) const { return number(i) * unit_; }
  Point point(size_t i) const { return {length(i), length(i + 1)}; }

  int layer(size_t i) const {
    int index = board_.layerIndex(fields_.at(i));
    if (index < 0) fail("unknown layer '" + narrow(fields_.at(i)) + "'");
    return index;
  }

  // Points from field `first` to the end; at least `minimum` of them.
  std::vector<Point> points(size_t first, size_t minimum) const {
    if (fields_.size() < first || (fields_.size() - first) % 2 != 0)
      fail("coordinates come in pairs");
    std::vector<Point> out;
    for (size_t i = first; i + 1 < fields_.size(); i += 2) out.push_back(point(i));
    if (out.size() < minimum) fail("at least " + std::to_string(minimum) + " points needed");
    return out;
  }

  [[noreturn]] void fail(const std::string& what) const { throw BoardFormatError(lineNo_, what); }

 private:
  std::vector<std::wstring> fields_;
  int lineNo_;
  const Board& board_;
  double unit_;
};

PadShape padShape(const Record& r, size_t i) {
  const std::wstring& s = r.text(i);
  if (s == L"round") return PadShape::Round;
  if (s == L"rect") return PadShape::Rect;
  if (s == L"oval") return PadShape::Oval;
  r.fail("pad shape must be round, rect or oval");
}

TextKind textKind(const Record& r, size_t i) {
  const std::wstring& s = r.text(i);
  if (s == L"refdes") return TextKind::RefDes;
  if (s == L"type") return TextKind::Type;
  if (s == L"value") return TextKind::Value;
  if (s == L"title") return TextKind::Title;
  r.fail("text kind must be refdes, type, value or title");
}

// The board's own values, its units, layers and outline; false for any
// other record. `unit` may be changed by a units record.
bool applyBoardValue(const Record& r, Board& board, double& unit) {
  const std::wstring& k = r.keyword();
  std::wstring* text = k == L"design-dir"          ? &board.designDir
                       : k == L"file-name"         ? &board.fileName
                       : k == L"solder-mask-swell" ? &board.params.solderMaskSwell
                       : k == L"plane-swell"       ? &board.params.planeSwell
                       : k == L"draw-aperture"     ? &board.params.drawAperture
                                                   : nullptr;
  if (text) {
    r.needExactly(1);
    *text = r.text(1);
  } else if (k == L"units") {
    r.needExactly(1);
    if (r.text(1) == L"mm") {
      unit = 1.0;
    } else if (r.text(1) == L"mil") {
      unit = kMilToMm;
    } else {
      r.fail("units must be mm or mil");
    }
  } else if (k == L"layer") {
    r.needExactly(2);
    if (board.layerIndex(r.text(1)) >= 0)
      r.fail("layer declared twice: '" + narrow(r.text(1)) + "'");
    board.layers.push_back({r.text(1), r.text(2)});
  } else if (k == L"outline") {
    board.outline = r.points(1, 3);
  } else {
    return false;
  }
  return true;
}

void addPad(const Record& r, Board& board) {
  r.needAtLeast(8);
  if (r.size() > 10) r.fail("too many fields after 'pad'");
  Pad p;
  p.at = r.point(1);
  p.shape = padShape(r, 3);
  p.width = r.length(4);
  p.height = r.length(5);
  p.hole = r.length(6);
  p.fromLayer = r.layer(7);
  p.toLayer = r.layer(8);
  if (r.size() == 10) p.name = r.text(9);
  board.pads.push_back(p);
}

void addVia(const Record& r, Board& board) {
  r.needExactly(6);
  Via v;
  v.at = r.point(1);
  v.diameter = r.length(3);
  v.hole = r.length(4);
  v.fromLayer = r.layer(5);
  v.toLayer = r.layer(6);
  if (v.hole <= 0 || v.hole >= v.diameter)
    r.fail("a via's hole must be above 0 and below its diameter");
  board.vias.push_back(v);
}

// The board's objects: pads, vias, holes, tracks and texts; false for any
// other record.
bool applyObject(const Record& r, Board& board) {
  const std::wstring& k = r.keyword();
  if (k == L"pad") {
    addPad(r, board);
  } else if (k == L"via") {
    addVia(r, board);
  } else if (k == L"hole") {
    r.needExactly(3);
    board.holes.push_back({r.point(1), r.length(3)});
  } else if (k == L"track") {
    r.needAtLeast(6);
    Track t;
    t.layer = r.layer(1);
    t.width = r.length(2);
    t.points = r.points(3, 2);
    board.tracks.push_back(t);
  } else if (k == L"text") {
    r.needExactly(6);
    Text t;
    t.layer = r.layer(1);
    t.kind = textKind(r, 2);
    t.at = r.point(3);
    t.height = r.length(5);
    t.string = r.text(6);
    board.texts.push_back(t);
  } else {
    return false;
  }
  return true;
}

// Applies one record to the board; `unit` may be changed by a units record.
void applyRecord(const Record& r, Board& board, double& unit) {
  if (applyBoardValue(r, board, unit) || applyObject(r, board)) return;
  r.fail("unknown record '" + narrow(r.keyword()) + "'");
}

}  // namespace

BoardFormatError::BoardFormatError(int line, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}

int Board::layerIndex(std::wstring_view name) const {
  for (size_t i = 0; i < layers.size(); ++i) {
    if (layers[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

Board parseBoard(std::wstring_view text) {
  if (!text.empty() && text.front() == 0xFEFF) text.remove_prefix(1);
  Board board;
  double unit = 1.0;
  int lineNo = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find(L'\n', pos);
    if (end == std::wstring_view::npos) end = text.size();
    std::wstring_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    ++lineNo;
    pos = end + 1;
    size_t first = line.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos || line[first] == L'#') continue;
    std::vector<std::wstring> fields = splitFields(line, lineNo);
    applyRecord(Record(std::move(fields), lineNo, board, unit), board, unit);
  }
  return board;
}

}  // namespace standin
