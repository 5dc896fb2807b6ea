// The Gerber reader: format and units, apertures and macros, operations,
// linear and circular interpolation, regions, polarity, step and repeat,
// and the image and aperture transforms; everything else is skipped by name.
#include "render/gerber_reader.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>

#include "render/arc.h"
#include "render/macro.h"

namespace render {

namespace {

constexpr size_t kMaxStatement = 1 << 16;
constexpr size_t kMaxMacroStatements = 1 << 16;
constexpr size_t kMaxRegionPoints = size_t(1) << 23;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

long smallInt(const std::string& digits) {
  long v = 0;
  for (char c : digits) {
    if (isDigit(c)) v = std::min(1000000000L, v * 10 + (c - '0'));
  }
  return (!digits.empty() && digits[0] == '-') ? -v : v;
}

class GerberReader {
 public:
  GerberReader(ByteSource& in, Plotter& plotter)
      : in_(in), plotter_(plotter), skipped_(report_.skipped) {}

  FileReport run();

 private:
  double toInches() const { return millimetres_ ? 1 / 25.4 : 1.0; }
  double coordinate(const std::string& text) const;
  void extended(const std::string& st, bool first);
  void formatStatement(const std::string& st);
  void apertureDefinition(const std::string& st);
  void repeatStatement(const std::string& st);
  void imageStatement(const std::string& st);
  void dataBlock(const std::string& st);
  void gCode(long g);
  void operate(long op, bool hasX, bool hasY, double x, double y, double i, double j);
  void flushContour();
  void updateImage();
  void note(const std::string& s) {
    if (!s.empty()) skipped_.add(s);
  }

  ByteSource& in_;
  Plotter& plotter_;
  FileReport report_;
  SkipNames skipped_;
  bool recognised_ = false;
  bool ended_ = false;

  // format
  int intDigits_ = 2, decDigits_ = 4;
  bool omitTrailing_ = false, incremental_ = false, millimetres_ = false;
  // state
  Point at_;
  enum class Mode { Linear, Clockwise, CounterClockwise } mode_ = Mode::Linear;
  bool multiQuadrant_ = false;
  bool inRegion_ = false;
  std::vector<Point> contour_;
  bool clear_ = false;
  long lastOp_ = 0;
  std::shared_ptr<const Aperture> aperture_;
  long apertureCode_ = 0;
  std::map<long, std::shared_ptr<const Aperture>> apertures_;
  std::map<std::string, Macro> macros_;
  Macro* openMacro_ = nullptr;
  // the aperture transform
  bool mirrorX_ = false, mirrorY_ = false;
  double loadRotation_ = 0, loadScale_ = 1;
  Affine load_;
  // the legacy image transform
  Point offset_;
  double scaleA_ = 1, scaleB_ = 1, imageRotation_ = 0;
  bool mirrorA_ = false, mirrorB_ = false;
};

FileReport GerberReader::run() {
  std::string st;
  bool inExtended = false, firstInBlock = false, tooLong = false;
  int c;
  while (!ended_ && (c = in_.get()) >= 0) {
    if (c == '%') {
      if (inExtended) openMacro_ = nullptr;
      inExtended = !inExtended;
      firstInBlock = true;
      st.clear();
      tooLong = false;
      continue;
    }
    if (c == '*') {
      if (tooLong) {
        note("long statement");
      } else if (inExtended) {
        extended(st, firstInBlock);
        firstInBlock = false;
      } else {
        dataBlock(st);
      }
      st.clear();
      tooLong = false;
      continue;
    }
    if (c == '\r' || c == '\n') continue;
    if (st.size() < kMaxStatement) {
      st += static_cast<char>(c);
    } else {
      tooLong = true;
    }
  }
  if (inRegion_) flushContour();
  note(plotter_.endRepeat());
  if (!recognised_) {
    report_.unreadable = true;
    report_.error = "ни одной команды Gerber";
  } else if (!ended_) {
    report_.error = "файл оборван: нет M02";
  }
  return report_;
}

double GerberReader::coordinate(const std::string& text) const {
  return fixedPointValue(text, intDigits_, decDigits_, omitTrailing_) * toInches();
}

void GerberReader::extended(const std::string& st, bool first) {
  if (openMacro_ && !first) {
    if (openMacro_->statements.size() < kMaxMacroStatements) openMacro_->statements.push_back(st);
    return;
  }
  const std::string code = st.substr(0, 2);
  if (code == "FS") {
    formatStatement(st);
  } else if (code == "MO") {
    recognised_ = true;
    if (st == "MOMM") {
      millimetres_ = true;
    } else if (st == "MOIN") {
      millimetres_ = false;
    } else {
      note("%" + st.substr(0, 8));
    }
  } else if (code == "AD") {
    apertureDefinition(st);
  } else if (code == "AM") {
    recognised_ = true;
    openMacro_ = &macros_[st.substr(2)];
    openMacro_->statements.clear();
  } else if (code == "LP") {
    recognised_ = true;
    if (st == "LPC" || st == "LPD") {
      clear_ = st == "LPC";
    } else {
      note("%" + st.substr(0, 8));
    }
  } else if (code == "SR") {
    repeatStatement(st);
  } else if (code == "LM" || code == "LR" || code == "LS") {
    recognised_ = true;
    const std::string arg = st.substr(2);
    if (code == "LM") {
      mirrorX_ = arg == "X" || arg == "XY";
      mirrorY_ = arg == "Y" || arg == "XY";
    } else if (code == "LR") {
      loadRotation_ = std::strtod(arg.c_str(), nullptr);
    } else {
      loadScale_ = std::strtod(arg.c_str(), nullptr);
    }
    if (!std::isfinite(loadRotation_)) loadRotation_ = 0;
    if (!std::isfinite(loadScale_) || !(loadScale_ > 0)) loadScale_ = 1;
    load_ = compose(Affine::scaleBy(loadScale_, loadScale_),
                    compose(Affine::rotateDegrees(loadRotation_),
                            Affine::scaleBy(mirrorX_ ? -1 : 1, mirrorY_ ? -1 : 1)));
  } else if (code == "OF" || code == "SF" || code == "MI" || code == "IR" || code == "AS" ||
             code == "IP") {
    imageStatement(st);
  } else if (code == "LN" || code == "IN" || code == "TF" || code == "TA" || code == "TO" ||
             code == "TD") {
    recognised_ = true;  // names and attributes: nothing to draw
  } else if (st.rfind("G04", 0) == 0) {
    recognised_ = true;
  } else {
    note("%" + code);
  }
}

void GerberReader::formatStatement(const std::string& st) {
  recognised_ = true;
  size_t p = 2;
  for (; p < st.size() && st[p] != 'X'; ++p) {
    switch (st[p]) {
      case 'L':
      case 'D':
        omitTrailing_ = false;
        break;
      case 'T':
        omitTrailing_ = true;
        break;
      case 'A':
        incremental_ = false;
        break;
      case 'I':
        incremental_ = true;
        break;
      default:
        break;  // old sequence and code digits: N2 G2 D2 M2
    }
  }
  if (p + 2 < st.size() && isDigit(st[p + 1]) && isDigit(st[p + 2])) {
    intDigits_ = st[p + 1] - '0';
    decDigits_ = st[p + 2] - '0';
  } else {
    note("%FS");
  }
}

void GerberReader::apertureDefinition(const std::string& st) {
  recognised_ = true;
  size_t p = 2;
  if (p < st.size() && st[p] == 'D') ++p;
  const size_t digitsStart = p;
  while (p < st.size() && isDigit(st[p])) ++p;
  if (p == digitsStart) {
    note("%AD");
    return;
  }
  const long code = smallInt(st.substr(digitsStart, p - digitsStart));
  const size_t comma = st.find(',', p);
  const std::string name = st.substr(p, comma == std::string::npos ? std::string::npos : comma - p);
  std::vector<double> params;
  if (comma != std::string::npos) {
    size_t q = comma + 1;
    while (q <= st.size()) {
      const size_t x = std::min(st.find('X', q), st.size());
      params.push_back(std::strtod(st.substr(q, x - q).c_str(), nullptr));
      q = x + 1;
    }
  }
  auto made = std::make_shared<Aperture>();
  const auto macro = macros_.find(name);
  if (macro != macros_.end()) {
    std::vector<std::string> unknown;
    instantiateMacro(macro->second, params, toInches(), *made, unknown);
    for (const std::string& u : unknown) note(u);
  } else if (name.size() == 1) {
    std::vector<double> inches = params;
    for (size_t i = 0; i < inches.size(); ++i) {
      if (!(name == "P" && (i == 1 || i == 2))) inches[i] *= toInches();
    }
    if (!standardAperture(name[0], inches, *made)) {
      note("%AD " + name);
      apertures_.erase(code);
      return;
    }
  } else {
    note("%AD " + name.substr(0, 16));
    apertures_.erase(code);
    return;
  }
  apertures_[code] = made;
  if (apertureCode_ == code) aperture_ = made;
}

void GerberReader::repeatStatement(const std::string& st) {
  recognised_ = true;
  note(plotter_.endRepeat());
  long nx = 1, ny = 1;
  double dx = 0, dy = 0;
  for (size_t p = 2; p < st.size();) {
    const char letter = st[p++];
    const std::string number = takeNumber(st, p);
    if (number.empty()) {
      ++p;
      continue;
    }
    switch (letter) {
      case 'X':
        nx = smallInt(number);
        break;
      case 'Y':
        ny = smallInt(number);
        break;
      case 'I':
        dx = std::strtod(number.c_str(), nullptr) * toInches();
        break;
      case 'J':
        dy = std::strtod(number.c_str(), nullptr) * toInches();
        break;
      default:
        break;
    }
  }
  if (nx > 1 || ny > 1) plotter_.beginRepeat(nx, ny, dx, dy);
}

void GerberReader::imageStatement(const std::string& st) {
  recognised_ = true;
  const std::string code = st.substr(0, 2), arg = st.substr(2);
  auto valueAfter = [&](char letter) {
    const size_t at = arg.find(letter);
    if (at == std::string::npos) return 0.0;
    size_t p = at + 1;
    const double v = std::strtod(takeNumber(arg, p).c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0;
  };
  if (code == "IP") {
    if (arg != "POS") note("%IP" + arg.substr(0, 8));
  } else if (code == "OF") {
    offset_ = {valueAfter('A') * toInches(), valueAfter('B') * toInches()};
  } else if (code == "SF") {
    scaleA_ = arg.find('A') != std::string::npos ? valueAfter('A') : 1;
    scaleB_ = arg.find('B') != std::string::npos ? valueAfter('B') : 1;
  } else if (code == "MI") {
    mirrorA_ = valueAfter('A') != 0;
    mirrorB_ = valueAfter('B') != 0;
  } else if (code == "IR") {
    imageRotation_ = std::strtod(arg.c_str(), nullptr);
    if (!std::isfinite(imageRotation_)) imageRotation_ = 0;
  } else if (code == "AS" && arg != "AXBY") {
    note("%AS" + arg.substr(0, 8));  // which way the swapped axes go is not settled
  }
  updateImage();
}

void GerberReader::updateImage() {
  Affine m = Affine::scaleBy(scaleA_, scaleB_);
  m = compose(Affine::scaleBy(mirrorA_ ? -1 : 1, mirrorB_ ? -1 : 1), m);
  m = compose(Affine::rotateDegrees(imageRotation_), m);
  m = compose(Affine::translate(offset_), m);
  plotter_.setImageTransform(m);
}

void GerberReader::dataBlock(const std::string& raw) {
  std::string stripped;
  if (raw.find_first_of(" \t") != std::string::npos) {
    for (char c : raw) {
      if (c != ' ' && c != '\t') stripped += c;
    }
  }
  const std::string& st = stripped.empty() ? raw : stripped;
  if (st.empty()) return;
  if (st.rfind("G04", 0) == 0 || st.rfind("G4", 0) == 0) {
    recognised_ = true;
    return;
  }
  long op = -1;
  bool hasX = false, hasY = false, hasI = false, hasJ = false;
  double x = 0, y = 0, i = 0, j = 0;
  for (size_t p = 0; p < st.size();) {
    const char letter = st[p++];
    const std::string number = takeNumber(st, p);
    if (number.empty()) {
      note(std::string(1, (letter > ' ' && letter < 127) ? letter : '?'));
      continue;
    }
    switch (letter) {
      case 'G': {
        const long g = smallInt(number);
        if (g == 4) {
          recognised_ = true;
          return;  // a comment to the end of the block
        }
        gCode(g);
        break;
      }
      case 'D': {
        const long d = smallInt(number);
        recognised_ = true;
        if (d >= 10) {
          apertureCode_ = d;
          const auto found = apertures_.find(d);
          aperture_ = found == apertures_.end() ? nullptr : found->second;
          if (!aperture_) note("D" + std::to_string(d));
        } else if (d >= 1 && d <= 3) {
          op = d;
        } else {
          note("D" + std::to_string(d));
        }
        break;
      }
      case 'M': {
        const long m = smallInt(number);
        if (m == 2 || m == 0 || m == 1) {
          recognised_ = true;
          ended_ = true;
        } else {
          note("M" + std::to_string(m));
        }
        break;
      }
      case 'X':
        hasX = true;
        x = coordinate(number);
        break;
      case 'Y':
        hasY = true;
        y = coordinate(number);
        break;
      case 'I':
        hasI = true;
        i = coordinate(number);
        break;
      case 'J':
        hasJ = true;
        j = coordinate(number);
        break;
      case 'N':
        break;  // a sequence number
      default:
        note(std::string(1, (letter > ' ' && letter < 127) ? letter : '?'));
        break;
    }
  }
  if (op < 0 && (hasX || hasY || hasI || hasJ)) op = lastOp_ ? lastOp_ : 2;
  if (op > 0) {
    recognised_ = true;
    lastOp_ = op;
    operate(op, hasX, hasY, x, y, i, j);
  }
}

void GerberReader::gCode(long g) {
  switch (g) {
    case 1:
      mode_ = Mode::Linear;
      break;
    case 2:
      mode_ = Mode::Clockwise;
      break;
    case 3:
      mode_ = Mode::CounterClockwise;
      break;
    case 36:
      if (inRegion_) flushContour();
      inRegion_ = true;
      contour_.clear();
      break;
    case 37:
      if (inRegion_) flushContour();
      inRegion_ = false;
      break;
    case 74:
      multiQuadrant_ = false;
      break;
    case 75:
      multiQuadrant_ = true;
      break;
    case 70:
      millimetres_ = false;
      break;
    case 71:
      millimetres_ = true;
      break;
    case 90:
      incremental_ = false;
      break;
    case 91:
      incremental_ = true;
      break;
    case 54:
    case 55:
      break;  // aperture select and prepare: the D code that follows does it
    default:
      note("G" + std::to_string(g));
      return;
  }
  recognised_ = true;
}

void GerberReader::flushContour() {
  // counted whatever the flattening of its arcs made of it
  if (contour_.size() >= 2) ++report_.objects;
  if (contour_.size() >= 3) plotter_.region(std::move(contour_), clear_);
  contour_.clear();
}

void GerberReader::operate(long op, bool hasX, bool hasY, double x, double y, double i, double j) {
  Point to = at_;
  if (incremental_) {
    if (hasX) to.x += x;
    if (hasY) to.y += y;
  } else {
    if (hasX) to.x = x;
    if (hasY) to.y = y;
  }
  if (!finitePoint(to)) {
    note("coordinate out of range");
    return;
  }
  const Point from = at_;
  at_ = to;
  if (op == 2) {
    if (inRegion_) {
      flushContour();
      contour_.push_back(to);
    }
    return;
  }
  if (op == 3) {
    if (inRegion_) {
      note("D03 in region");
    } else if (aperture_) {
      ++report_.objects;
      plotter_.flash(aperture_, load_, to, clear_);
    }
    return;
  }
  // D01: a line or an arc to `to`
  std::vector<Point> path;
  if (mode_ == Mode::Linear) {
    path.push_back(to);
  } else {
    const bool cw = mode_ == Mode::Clockwise;
    const Point centre =
        multiQuadrant_ ? Point{from.x + i, from.y + j} : quarterArcCentre(from, to, {i, j}, cw);
    if (!finitePoint(centre)) {
      note("coordinate out of range");
      return;
    }
    arcPoints(from, to, centre, cw, multiQuadrant_, plotter_.tolerance(), path);
  }
  if (inRegion_) {
    if (contour_.empty()) contour_.push_back(from);
    for (const Point& p : path) {
      if (contour_.size() >= kMaxRegionPoints) {
        note("region over " + std::to_string(kMaxRegionPoints) + " points");
        break;
      }
      contour_.push_back(p);
    }
    return;
  }
  if (!aperture_) return;
  ++report_.objects;
  Point start = from;
  for (const Point& p : path) {
    plotter_.stroke(aperture_, load_, start, p, clear_);
    start = p;
  }
}

}  // namespace

FileReport readGerber(ByteSource& in, Plotter& plotter) { return GerberReader(in, plotter).run(); }

}  // namespace render
