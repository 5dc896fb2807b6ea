// The Excellon reader: header (units, zeros, number format, tools), tool
// changes, hits, repeated hits, G85 slots and routed paths (G00, M15, G01,
// G02/G03, M16/M17). A header silent about the number format gets the usual
// one: inch 2.4 and metric 3.3, leading zeros left out.
#include "render/excellon_reader.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>

#include "render/arc.h"

namespace render {

namespace {

constexpr size_t kMaxLine = 4096;
constexpr long kMaxRepeat = 100000;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

long smallInt(const std::string& digits) {
  long v = 0;
  for (char c : digits) {
    if (isDigit(c)) v = std::min(1000000000L, v * 10 + (c - '0'));
  }
  return v;
}

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

class ExcellonReader {
 public:
  ExcellonReader(ByteSource& in, Plotter& plotter)
      : in_(in), plotter_(plotter), skipped_(report_.skipped) {
    report_.drill = true;
  }
  FileReport run();

 private:
  struct Coordinates {
    bool hasX = false, hasY = false;
    double x = 0, y = 0;
    bool hasA = false, hasI = false, hasJ = false;
    double a = 0, i = 0, j = 0;
  };

  void line(const std::string& text);
  bool header(const std::string& s);
  void unitsLine(const std::string& s);
  void toolLine(const std::string& s);
  double number(const std::string& text) const;
  Coordinates parse(const std::string& s, size_t from) const;
  Point target(const Coordinates& c, Point base) const;
  void hit(Point p);
  void cut(Point from, Point to, const Coordinates& c);
  void note(const std::string& s) { skipped_.add(s); }
  double toInches() const { return metric_ ? 1 / 25.4 : 1.0; }

  ByteSource& in_;
  Plotter& plotter_;
  FileReport report_;
  SkipNames skipped_;
  bool recognised_ = false, ended_ = false, inHeader_ = false;
  bool metric_ = false, leadingKept_ = false, incremental_ = false, formatGiven_ = false;
  int intDigits_ = 2, decDigits_ = 4;
  std::map<long, std::shared_ptr<const Aperture>> tools_;
  std::shared_ptr<const Aperture> tool_;
  long toolNumber_ = 0;
  Point at_;
  enum class Route { Drill, Move, Linear, Clockwise, CounterClockwise } route_ = Route::Drill;
  bool toolDown_ = false;
};

FileReport ExcellonReader::run() {
  std::string text;
  bool tooLong = false;
  int c;
  while (!ended_ && (c = in_.get()) >= 0) {
    if (c == '\n' || c == '\r') {
      if (tooLong) note("long line");
      if (!text.empty() && !tooLong) line(text);
      text.clear();
      tooLong = false;
    } else if (text.size() < kMaxLine) {
      if (c != ' ' && c != '\t') text += static_cast<char>(c);
    } else {
      tooLong = true;
    }
  }
  if (!ended_ && !text.empty() && !tooLong) line(text);
  if (!recognised_) {
    report_.unreadable = true;
    report_.error = "ни одной команды Excellon";
  } else if (!ended_) {
    report_.error = "файл оборван: нет M30";
  }
  return report_;
}

double ExcellonReader::number(const std::string& text) const {
  return fixedPointValue(text, intDigits_, decDigits_, leadingKept_) * toInches();
}

ExcellonReader::Coordinates ExcellonReader::parse(const std::string& s, size_t from) const {
  Coordinates c;
  for (size_t p = from; p < s.size();) {
    const char letter = s[p++];
    const std::string n = takeNumber(s, p);
    if (n.empty()) continue;
    switch (letter) {
      case 'X':
        c.hasX = true;
        c.x = number(n);
        break;
      case 'Y':
        c.hasY = true;
        c.y = number(n);
        break;
      case 'A':
        c.hasA = true;
        c.a = number(n);
        break;
      case 'I':
        c.hasI = true;
        c.i = number(n);
        break;
      case 'J':
        c.hasJ = true;
        c.j = number(n);
        break;
      default:
        break;
    }
  }
  return c;
}

Point ExcellonReader::target(const Coordinates& c, Point base) const {
  Point p = base;
  if (incremental_) {
    if (c.hasX) p.x += c.x;
    if (c.hasY) p.y += c.y;
  } else {
    if (c.hasX) p.x = c.x;
    if (c.hasY) p.y = c.y;
  }
  return p;
}

void ExcellonReader::unitsLine(const std::string& s) {
  metric_ = startsWith(s, "METRIC");
  if (!formatGiven_) {
    intDigits_ = metric_ ? 3 : 2;
    decDigits_ = metric_ ? 3 : 4;
  }
  if (s.find(",LZ") != std::string::npos) leadingKept_ = true;
  if (s.find(",TZ") != std::string::npos) leadingKept_ = false;
  // a pattern of zeros such as 000.000 gives the number format
  const size_t dot = s.find('.');
  if (dot != std::string::npos) {
    size_t a = dot, b = dot + 1;
    while (a > 0 && s[a - 1] == '0') --a;
    while (b < s.size() && s[b] == '0') ++b;
    if (dot - a > 0 && dot - a < 10 && b - dot - 1 > 0 && b - dot - 1 < 10) {
      intDigits_ = int(dot - a);
      decDigits_ = int(b - dot - 1);
      formatGiven_ = true;
    }
  }
}

void ExcellonReader::toolLine(const std::string& s) {
  size_t p = 1;
  const std::string n = takeNumber(s, p);
  const long number = smallInt(n);
  const size_t c = s.find('C', p);
  if (c != std::string::npos) {
    size_t q = c + 1;
    const std::string d = takeNumber(s, q);
    const double diameter = std::strtod(d.c_str(), nullptr) * toInches();
    auto tool = std::make_shared<Aperture>();
    if (!d.empty() && standardAperture('C', {diameter}, *tool)) {
      tools_[number] = tool;
    } else {
      note("T" + std::to_string(number) + "C");
    }
  }
  if (!inHeader_) {
    toolNumber_ = number;
    const auto found = tools_.find(number);
    tool_ = found == tools_.end() ? nullptr : found->second;
    if (!tool_ && number != 0) note("T" + std::to_string(number));
  }
}

bool ExcellonReader::header(const std::string& s) {
  if (s == "M48") {
    inHeader_ = true;
  } else if (s == "%" || s == "M95") {
    inHeader_ = false;
  } else if (startsWith(s, "INCH") || startsWith(s, "METRIC")) {
    unitsLine(s);
  } else if (s == "M71") {
    unitsLine("METRIC");
  } else if (s == "M72") {
    unitsLine("INCH");
  } else if (startsWith(s, "ICI")) {
    incremental_ = s != "ICI,OFF";
  } else if (startsWith(s, "FMAT") || startsWith(s, "VER") || startsWith(s, "DETECT") ||
             startsWith(s, "ATC") || startsWith(s, "M47") || startsWith(s, "OSTOP") ||
             startsWith(s, "G05") || s == "G90" || s == "M15" || startsWith(s, "G93")) {
    if (s == "M15") toolDown_ = true;
    if (s == "G05") route_ = Route::Drill;
    if (startsWith(s, "G93")) note("G93");
  } else if (s == "G91") {
    incremental_ = true;
  } else {
    return false;
  }
  return true;
}

void ExcellonReader::line(const std::string& s) {
  if (s[0] == ';') {
    // a comment; some writers give the number format here
    const size_t f = s.find("FILE_FORMAT=");
    if (f != std::string::npos && f + 15 <= s.size() && isDigit(s[f + 12]) && s[f + 13] == ':' &&
        isDigit(s[f + 14])) {
      intDigits_ = s[f + 12] - '0';
      decDigits_ = s[f + 14] - '0';
      formatGiven_ = true;
    }
    return;
  }
  if (header(s)) {
    recognised_ = true;
    return;
  }
  if (s[0] == 'T' && s.size() > 1 && isDigit(s[1])) {
    recognised_ = true;
    toolLine(s);
    return;
  }
  if (s == "M30" || s == "M00") {
    recognised_ = true;
    ended_ = true;
    return;
  }
  if (s == "M16" || s == "M17") {
    recognised_ = true;
    toolDown_ = false;
    return;
  }
  if (s[0] == 'R' && s.size() > 1 && isDigit(s[1])) {
    recognised_ = true;
    size_t p = 1;
    const long count = std::min(kMaxRepeat, smallInt(takeNumber(s, p)));
    const Coordinates step = parse(s, p);
    for (long k = 0; k < count; ++k) {
      at_ = {at_.x + step.x, at_.y + step.y};
      hit(at_);
    }
    return;
  }
  const size_t slot = s.find("G85");
  if (slot != std::string::npos) {
    recognised_ = true;
    const Point from = target(parse(s.substr(0, slot), 0), at_);
    const Coordinates second = parse(s, slot + 3);
    Point to = from;
    if (second.hasX) to.x = incremental_ ? from.x + second.x : second.x;
    if (second.hasY) to.y = incremental_ ? from.y + second.y : second.y;
    if (tool_ && finitePoint(from) && finitePoint(to)) {
      ++report_.objects;
      plotter_.stroke(tool_, Affine(), from, to, false);
    }
    at_ = to;
    return;
  }
  size_t p = 0;
  if (s[0] == 'G') {
    ++p;
    const long g = smallInt(takeNumber(s, p));
    switch (g) {
      case 0:
        route_ = Route::Move;
        toolDown_ = false;
        break;
      case 1:
        route_ = Route::Linear;
        break;
      case 2:
        route_ = Route::Clockwise;
        break;
      case 3:
        route_ = Route::CounterClockwise;
        break;
      case 5:
        route_ = Route::Drill;
        break;
      case 90:
        incremental_ = false;
        break;
      default:
        note("G" + std::to_string(g));
        return;
    }
    recognised_ = true;
  } else if (s[0] == 'M') {
    ++p;
    const long m = smallInt(takeNumber(s, p));
    if (m == 15) {
      toolDown_ = true;
    } else if (m != 71 && m != 72) {
      note("M" + std::to_string(m));
      return;
    } else {
      unitsLine(m == 71 ? "METRIC" : "INCH");
    }
    recognised_ = true;
  }
  if (p >= s.size()) return;
  if (s[p] != 'X' && s[p] != 'Y') {
    note(s.substr(0, std::min<size_t>(s.size(), 8)));
    return;
  }
  recognised_ = true;
  const Coordinates c = parse(s, p);
  const Point to = target(c, at_);
  if (!finitePoint(to)) {
    note("coordinate out of range");
    return;
  }
  const Point from = at_;
  at_ = to;
  switch (route_) {
    case Route::Drill:
      hit(to);
      break;
    case Route::Move:
      break;
    default:
      if (toolDown_) cut(from, to, c);
      break;
  }
}

void ExcellonReader::hit(Point p) {
  if (!tool_) return;
  if (!finitePoint(p)) return;
  ++report_.objects;
  plotter_.flash(tool_, Affine(), p, false);
}

void ExcellonReader::cut(Point from, Point to, const Coordinates& c) {
  if (!tool_) return;
  std::vector<Point> path;
  if (route_ == Route::Linear) {
    path.push_back(to);
  } else {
    const bool cw = route_ == Route::Clockwise;
    Point centre;
    if (c.hasI || c.hasJ) {
      centre = {from.x + c.i, from.y + c.j};
    } else {
      // radius form: the centre on the side that makes the shorter arc
      const double dx = to.x - from.x, dy = to.y - from.y, len = std::hypot(dx, dy);
      const double r = std::fabs(c.a);
      const double h = std::sqrt(std::max(0.0, r * r - len * len / 4));
      const Point mid{(from.x + to.x) / 2, (from.y + to.y) / 2};
      const Point left = len > 0 ? Point{-dy / len, dx / len} : Point{0, 0};
      centre = cw ? mid - left * h : mid + left * h;
    }
    if (!finitePoint(centre)) return;
    arcPoints(from, to, centre, cw, false, plotter_.tolerance(), path);
  }
  ++report_.objects;
  Point start = from;
  for (const Point& p : path) {
    plotter_.stroke(tool_, Affine(), start, p, false);
    start = p;
  }
}

}  // namespace

FileReport readExcellon(ByteSource& in, Plotter& plotter) {
  return ExcellonReader(in, plotter).run();
}

}  // namespace render
