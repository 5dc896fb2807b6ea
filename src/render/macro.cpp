// Evaluation of aperture macros: expressions, variables and the primitives
// circle (1), vector line (20, 2), centre line (21), lower-left line (22),
// outline (4), polygon (5), moire (6) and thermal (7).
#include "render/macro.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace render {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr size_t kMaxVariable = 10000;
constexpr int kMaxDepth = 64;
constexpr size_t kMaxParts = 10000;  // parts of one macro aperture at most

class ExpressionParser {
 public:
  ExpressionParser(const std::string& text, const std::vector<double>& vars)
      : s_(text), vars_(vars) {}

  bool parse(double& value) {
    value = sum(0);
    skipBlanks();
    return ok_ && pos_ == s_.size() && std::isfinite(value);
  }

 private:
  void skipBlanks() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t')) ++pos_;
  }
  bool take(char c) {
    skipBlanks();
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  double sum(int depth) {
    double v = product(depth);
    for (;;) {
      if (take('+')) {
        v += product(depth);
      } else if (take('-')) {
        v -= product(depth);
      } else {
        return v;
      }
    }
  }
  double product(int depth) {
    double v = factor(depth);
    for (;;) {
      if (take('x') || take('X')) {
        v *= factor(depth);
      } else if (take('/')) {
        const double d = factor(depth);
        v = d == 0 ? 0 : v / d;
      } else {
        return v;
      }
    }
  }
  double factor(int depth) {
    if (depth > kMaxDepth) {
      ok_ = false;
      return 0;
    }
    if (take('-')) return -factor(depth + 1);
    if (take('+')) return factor(depth + 1);
    if (take('(')) {
      const double v = sum(depth + 1);
      if (!take(')')) ok_ = false;
      return v;
    }
    skipBlanks();
    if (take('$')) {
      size_t n = 0, digits = 0;
      while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) {
        n = std::min(kMaxVariable + 1, n * 10 + (s_[pos_++] - '0'));
        ++digits;
      }
      if (!digits) ok_ = false;
      return n < vars_.size() ? vars_[n] : 0;
    }
    const size_t start = pos_;
    while (pos_ < s_.size() &&
           (std::isdigit(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '.')) {
      ++pos_;
    }
    if (start == pos_) {
      ok_ = false;
      return 0;
    }
    return std::strtod(s_.substr(start, pos_ - start).c_str(), nullptr);
  }

  const std::string& s_;
  const std::vector<double>& vars_;
  size_t pos_ = 0;
  bool ok_ = true;
};

std::vector<std::string> splitCommas(const std::string& s) {
  std::vector<std::string> out(1);
  for (char c : s) {
    if (c == ',') {
      out.emplace_back();
    } else {
      out.back() += c;
    }
  }
  return out;
}

Part polygonPart(bool exposed, std::vector<Point> outline, double rotation) {
  Part p;
  p.type = Part::Type::Polygon;
  p.exposed = exposed;
  rotatePoints(outline, rotation);
  p.outline = std::move(outline);
  return p;
}

std::vector<Point> box(double x0, double y0, double x1, double y1) {
  return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

// A line of width w from a to b with square-cut ends.
std::vector<Point> lineOutline(Point a, Point b, double w) {
  const double len = std::hypot(b.x - a.x, b.y - a.y);
  if (!(len > 0)) return {};
  const Point n{-(b.y - a.y) / len * w / 2, (b.x - a.x) / len * w / 2};
  return {a + n, b + n, b - n, a - n};
}

Part circlePart(bool exposed, Point c, double d, double rotation) {
  Part p;
  p.exposed = exposed;
  const Affine turn = Affine::rotateDegrees(rotation);
  p.a = turn.apply(c);
  p.radius = d / 2;
  return p;
}

// One quarter of a thermal ring between the gaps, in the first quadrant.
std::vector<Point> thermalQuarter(double outerR, double innerR, double halfGap) {
  std::vector<Point> pts;
  if (!(halfGap < outerR / std::sqrt(2.0))) return pts;
  const int steps = 32;
  const double a0 = std::asin(halfGap / outerR), a1 = kPi / 2 - a0;
  for (int i = 0; i <= steps; ++i) {
    const double t = a0 + (a1 - a0) * i / steps;
    pts.push_back({outerR * std::cos(t), outerR * std::sin(t)});
  }
  if (innerR > 0 && halfGap < innerR / std::sqrt(2.0)) {
    const double b0 = std::asin(halfGap / innerR), b1 = kPi / 2 - b0;
    for (int i = steps; i >= 0; --i) {
      const double t = b0 + (b1 - b0) * i / steps;
      pts.push_back({innerR * std::cos(t), innerR * std::sin(t)});
    }
  } else {
    pts.push_back({halfGap, halfGap});
  }
  return pts;
}

void addPrimitive(int code, std::vector<double> v, double k, Aperture& out,
                  std::vector<std::string>& unknown) {
  auto need = [&](size_t n) {
    while (v.size() < n) v.push_back(0);
  };
  auto exposed = [&]() { return v[0] != 0; };
  switch (code) {
    case 1:
      need(5);
      out.parts.push_back(circlePart(exposed(), {v[2] * k, v[3] * k}, v[1] * k, v[4]));
      return;
    case 2:
    case 20:
      need(7);
      out.parts.push_back(polygonPart(
          exposed(), lineOutline({v[2] * k, v[3] * k}, {v[4] * k, v[5] * k}, v[1] * k), v[6]));
      return;
    case 21: {
      need(6);
      const double w = v[1] * k, h = v[2] * k, cx = v[3] * k, cy = v[4] * k;
      out.parts.push_back(
          polygonPart(exposed(), box(cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2), v[5]));
      return;
    }
    case 22: {
      need(6);
      const double w = v[1] * k, h = v[2] * k, x = v[3] * k, y = v[4] * k;
      out.parts.push_back(polygonPart(exposed(), box(x, y, x + w, y + h), v[5]));
      return;
    }
    case 4: {
      need(2);
      const long n = std::lround(v[1]);
      if (n < 1 || static_cast<size_t>(n) > (v.size() - 2) / 2) break;
      std::vector<Point> pts;
      for (long i = 0; i <= n && 2 + 2 * i + 1 < static_cast<long>(v.size()); ++i) {
        pts.push_back({v[2 + 2 * i] * k, v[3 + 2 * i] * k});
      }
      const size_t rot = 2 + 2 * (n + 1);
      out.parts.push_back(polygonPart(exposed(), pts, rot < v.size() ? v[rot] : 0));
      return;
    }
    case 5: {
      need(6);
      const long n = std::lround(v[1]);
      if (n < 3 || n > 1000) break;
      out.parts.push_back(
          polygonPart(exposed(), circleOutline({v[2] * k, v[3] * k}, v[4] * k / 2, n), v[5]));
      return;
    }
    case 6: {
      need(9);
      const Point c{v[0] * k, v[1] * k};
      const double thick = v[3] * k, gap = v[4] * k, rot = v[8];
      double d = v[2] * k;
      for (long ring = 0; ring < std::min(1000L, std::lround(v[5])) && d > 0; ++ring) {
        out.parts.push_back(circlePart(true, c, d, rot));
        if (d - 2 * thick > 0) out.parts.push_back(circlePart(false, c, d - 2 * thick, rot));
        d -= 2 * (thick + gap);
      }
      const double cw = v[6] * k, cl = v[7] * k;
      out.parts.push_back(
          polygonPart(true, box(c.x - cl / 2, c.y - cw / 2, c.x + cl / 2, c.y + cw / 2), rot));
      out.parts.push_back(
          polygonPart(true, box(c.x - cw / 2, c.y - cl / 2, c.x + cw / 2, c.y + cl / 2), rot));
      return;
    }
    case 7: {
      need(6);
      const Point c{v[0] * k, v[1] * k};
      const std::vector<Point> quarter = thermalQuarter(v[2] * k / 2, v[3] * k / 2, v[4] * k / 2);
      if (quarter.empty()) return;
      for (int q = 0; q < 4; ++q) {
        std::vector<Point> pts = quarter;
        rotatePoints(pts, 90.0 * q);
        for (Point& p : pts) p = p + c;
        out.parts.push_back(polygonPart(true, pts, v[5]));
      }
      return;
    }
    default:
      break;
  }
  unknown.push_back("AM primitive " + std::to_string(code));
}

}  // namespace

bool evaluateExpression(const std::string& text, const std::vector<double>& vars, double& value) {
  return ExpressionParser(text, vars).parse(value);
}

void instantiateMacro(const Macro& macro, const std::vector<double>& params, double toInches,
                      Aperture& out, std::vector<std::string>& unknown) {
  out = Aperture();
  out.kind = Aperture::Kind::Macro;
  std::vector<double> vars(1, 0.0);
  vars.insert(vars.end(), params.begin(), params.end());
  for (const std::string& raw : macro.statements) {
    std::string st;
    for (char c : raw) {
      if (c != '\r' && c != '\n') st += c;
    }
    if (st.empty() || st[0] == '0') continue;  // a comment
    if (st[0] == '$') {
      const size_t eq = st.find('=');
      double value = 0;
      size_t n = 0;
      for (size_t i = 1; i < eq && i < st.size() && std::isdigit(static_cast<unsigned char>(st[i]));
           ++i) {
        n = std::min(kMaxVariable + 1, n * 10 + (st[i] - '0'));
      }
      if (eq == std::string::npos || n == 0 || n > kMaxVariable ||
          !evaluateExpression(st.substr(eq + 1), vars, value)) {
        unknown.push_back("AM " + st.substr(0, std::min<size_t>(st.size(), 16)));
        continue;
      }
      if (vars.size() <= n) vars.resize(n + 1, 0.0);
      vars[n] = value;
      continue;
    }
    const std::vector<std::string> fields = splitCommas(st);
    double codeValue = 0;
    if (!evaluateExpression(fields[0], vars, codeValue)) {
      unknown.push_back("AM " + st.substr(0, std::min<size_t>(st.size(), 16)));
      continue;
    }
    std::vector<double> values;
    bool ok = true;
    for (size_t i = 1; i < fields.size() && ok; ++i) {
      double v = 0;
      ok = evaluateExpression(fields[i], vars, v) && std::fabs(v) < 1e9;
      values.push_back(v);
    }
    const int code = std::fabs(codeValue) < 1e6 ? static_cast<int>(codeValue) : -1;
    if (!ok) {
      unknown.push_back("AM primitive " + std::to_string(code));
      continue;
    }
    addPrimitive(code, std::move(values), toInches, out, unknown);
    if (out.parts.size() > kMaxParts) {
      out.parts.resize(kMaxParts);
      unknown.push_back("AM over " + std::to_string(kMaxParts) + " parts");
      break;
    }
  }
  out.finish();
}

}  // namespace render
