// Gerber output of one layer.
#include "gerber_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <stdexcept>
#include <vector>

#include "stroke_font.h"

namespace standin {

namespace {

constexpr double kDefaultMaskSwell = 0.1;
constexpr double kDefaultDrawWidth = 0.2;
constexpr double kMinTextStroke = 0.1;
constexpr double kTextStrokePerHeight = 0.12;
constexpr int kFirstDCode = 10;

struct Aperture {
  char shape;  // 'C' circle, 'R' rectangle, 'O' obround
  double width;
  double height;
};

// One draw or flash: a single point is flashed, a path is drawn.
struct Op {
  size_t aperture;
  std::vector<Point> path;
};

struct Group {
  bool clear = false;  // holes punched out of the copper
  std::vector<Op> ops;
};

std::string utf8(const std::wstring& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned long c = static_cast<unsigned long>(text[i]);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
      unsigned long low = static_cast<unsigned long>(text[i + 1]);
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// Collects the layer's objects, then writes them.
class GerberPlot {
 public:
  GerberPlot(const Board& board, const GerberJob& job) : board_(board), job_(job) {
    const std::vector<Point>& o = board.outline;
    if (!o.empty()) {
      auto [lo, hi] =
          std::minmax_element(o.begin(), o.end(), [](Point a, Point b) { return a.x < b.x; });
      mirrorAxis_ = (lo->x + hi->x) / 2;
    }
  }

  std::string write() {
    collect();
    // A layer without objects still selects an aperture and moves to the
    // origin (drawing nothing), so that readers know the file for RS-274X.
    const bool blank =
        std::all_of(groups_.begin(), groups_.end(), [](const Group& g) { return g.ops.empty(); });
    if (blank) group(false).ops.push_back({aperture('C', drawWidth(), drawWidth()), {Point{}}});
    std::string out;
    line(out, "G04 editor-standin Gerber output*");
    line(out, "%FSLAX34Y34*%");
    line(out, job_.units == OutputUnits::Inch ? "%MOIN*%" : "%MOMM*%");
    for (size_t i = 0; i < apertures_.size(); ++i) line(out, apertureDefinition(i));
    const std::string layerRecord =
        "%LN" + gerberLayerName(board_.layers[static_cast<size_t>(job_.layer)].name) + "*%";
    line(out, layerRecord);
    line(out, "G01*");
    size_t current = apertures_.size();
    for (const Group& g : groups_) {
      if (g.ops.empty()) continue;
      line(out, layerRecord);
      line(out, g.clear ? "%LPC*%" : "%LPD*%");
      for (const Op& op : g.ops) {
        if (op.aperture != current) {
          current = op.aperture;
          line(out, "D" + std::to_string(kFirstDCode + current) + "*");
        }
        if (blank) {
          line(out, "X0Y0D02*");
        } else if (op.path.size() == 1) {
          line(out, coordinates(op.path[0]) + "D03*");
        } else {
          line(out, coordinates(op.path[0]) + "D02*");
          for (size_t i = 1; i < op.path.size(); ++i) line(out, coordinates(op.path[i]) + "D01*");
        }
      }
    }
    line(out, "M02*");
    return out;
  }

 private:
  bool has(int objectClass) const { return job_.classes[static_cast<size_t>(objectClass)]; }
  const Layer& layer() const { return board_.layers[static_cast<size_t>(job_.layer)]; }

  // Whether an object spanning from..to shows on this layer: metal layers
  // inside the span; mask, silk and other layers on the side it reaches.
  bool reaches(int from, int to) const {
    if (layerRole(layer()) == LayerRole::Metal) return spanIncludes(from, to, job_.layer);
    int sideLayer =
        layerSide(layer()) == Side::Bottom ? lastMetalLayer(board_) : firstMetalLayer(board_);
    return sideLayer >= 0 && spanIncludes(from, to, sideLayer);
  }

  double swell() const {
    if (layerRole(layer()) != LayerRole::Mask) return 0;
    std::optional<double> s = parseLength(board_.params.solderMaskSwell, OutputUnits::Mm);
    return s && *s >= 0 ? *s : kDefaultMaskSwell;
  }

  void collect() {
    const double grow = 2 * swell();
    Group& tracks = group(false);
    for (const Track& t : board_.tracks) {
      if (t.layer == job_.layer) tracks.ops.push_back({aperture('C', t.width, t.width), t.points});
    }
    if (has(kClassPad)) {
      Group& pads = group(false);
      for (const Pad& p : board_.pads) {
        if (!reaches(p.fromLayer, p.toLayer)) continue;
        double w = p.width + grow, h = p.height + grow;
        char shape =
            p.shape == PadShape::Rect ? 'R' : (p.shape == PadShape::Oval || w != h ? 'O' : 'C');
        pads.ops.push_back({aperture(shape, w, h), {p.at}});
      }
    }
    if (has(kClassVias)) {
      Group& vias = group(false);
      for (const Via& v : board_.vias) {
        if (!reaches(v.fromLayer, v.toLayer)) continue;
        double d = v.diameter + grow;
        vias.ops.push_back({aperture('C', d, d), {v.at}});
      }
    }
    // Holes are punched out of copper, and marked on every other layer.
    const bool metal = layerRole(layer()) == LayerRole::Metal;
    if (has(kClassPvHoles)) {
      Group& plated = group(metal);
      for (const Pad& p : board_.pads) {
        if (p.hole > 0 && reaches(p.fromLayer, p.toLayer))
          plated.ops.push_back({aperture('C', p.hole, p.hole), {p.at}});
      }
      for (const Via& v : board_.vias) {
        if (reaches(v.fromLayer, v.toLayer))
          plated.ops.push_back({aperture('C', v.hole, v.hole), {v.at}});
      }
    }
    if (has(kClassNoMtHole)) {
      Group& bare = group(metal);
      for (const Hole& h : board_.holes)
        bare.ops.push_back({aperture('C', h.diameter, h.diameter), {h.at}});
    }
    Group& texts = group(false);
    for (const Text& t : board_.texts) {
      if (t.layer != job_.layer || !textWanted(t.kind)) continue;
      double stroke = std::max(kMinTextStroke, t.height * kTextStrokePerHeight);
      size_t ap = aperture('C', stroke, stroke);
      for (const Stroke& s : strokeText(t.string, t.at, t.height))
        texts.ops.push_back({ap, {s.from, s.to}});
    }
    if (layerRole(layer()) == LayerRole::Outline && !board_.outline.empty()) {
      const double width = drawWidth();
      std::vector<Point> closed = board_.outline;
      closed.push_back(closed.front());
      group(false).ops.push_back({aperture('C', width, width), closed});
    }
  }

  // The board's draw aperture size, when it is a usable length.
  double drawWidth() const {
    std::optional<double> w = parseLength(board_.params.drawAperture, OutputUnits::Mm);
    return w && *w > 0 ? *w : kDefaultDrawWidth;
  }

  bool textWanted(TextKind kind) const {
    switch (kind) {
      case TextKind::RefDes:
        return has(kClassRefDes);
      case TextKind::Type:
        return has(kClassTipe);
      case TextKind::Value:
        return has(kClassValue);
      case TextKind::Title:
        return has(kClassTitles);
    }
    return false;
  }

  Group& group(bool clear) {
    groups_.push_back({clear, {}});
    return groups_.back();
  }

  size_t aperture(char shape, double width, double height) {
    for (size_t i = 0; i < apertures_.size(); ++i) {
      const Aperture& a = apertures_[i];
      if (a.shape == shape && std::fabs(a.width - width) < 1e-6 &&
          std::fabs(a.height - height) < 1e-6)
        return i;
    }
    apertures_.push_back({shape, width, height});
    return apertures_.size() - 1;
  }

  double inUnits(double mm) const { return job_.units == OutputUnits::Inch ? mm / kMmPerInch : mm; }

  std::string size(double mm) const {
    char buf[32];
    std::snprintf(buf, sizeof buf, job_.units == OutputUnits::Inch ? "%.5f" : "%.4f", inUnits(mm));
    return buf;
  }

  std::string apertureDefinition(size_t i) const {
    const Aperture& a = apertures_[i];
    std::string def = "%ADD" + std::to_string(kFirstDCode + i) + a.shape + "," + size(a.width);
    if (a.shape != 'C') def += "X" + size(a.height);
    return def + "*%";
  }

  std::string coordinates(Point p) const {
    double x = has(kClassMirror) ? 2 * mirrorAxis_ - p.x : p.x;
    x += job_.offset.x;
    double y = p.y + job_.offset.y;
    return "X" + std::to_string(std::llround(inUnits(x) * 10000)) + "Y" +
           std::to_string(std::llround(inUnits(y) * 10000));
  }

  static void line(std::string& out, const std::string& text) { out += text + "\r\n"; }

  const Board& board_;
  const GerberJob& job_;
  double mirrorAxis_ = 0;
  std::vector<Aperture> apertures_;
  std::deque<Group> groups_;  // stable: collect() holds references
};

}  // namespace

std::string gerberLayerName(const std::wstring& name) {
  std::wstring safe = name;
  for (wchar_t& c : safe) {
    if (c == L'*' || c == L'%' || c < 32) c = L'_';
  }
  return utf8(safe);
}

std::string writeGerber(const Board& board, const GerberJob& job) {
  if (job.layer < 0 || static_cast<size_t>(job.layer) >= board.layers.size()) {
    throw std::out_of_range("the plotted layer is not on the board");
  }
  return GerberPlot(board, job).write();
}

}  // namespace standin
