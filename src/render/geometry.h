// Points and affine maps of the plane: board coordinates (inches) to the
// picture's pixels, and the turns and mirrors of apertures and images.
#pragma once

#include <cmath>

namespace render {

struct Point {
  double x = 0, y = 0;
};

inline Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
inline Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
inline Point operator*(Point a, double k) { return {a.x * k, a.y * k}; }
inline bool finitePoint(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// x' = a x + b y + tx, y' = c x + d y + ty
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

  Point apply(Point p) const { return {a * p.x + b * p.y + tx, c * p.x + d * p.y + ty}; }
  // How lengths grow (the maps used here keep shapes: turns, mirrors, one scale).
  double scale() const { return std::sqrt(std::fabs(a * d - b * c)); }
  static Affine translate(Point t) { return {1, 0, 0, 1, t.x, t.y}; }
  static Affine rotateDegrees(double degrees) {
    const double r = degrees * 3.14159265358979323846 / 180.0;
    double cs = std::cos(r), sn = std::sin(r);
    // exact quarter turns keep rectangles on whole pixels
    if (std::fabs(cs) < 1e-15) cs = 0;
    if (std::fabs(sn) < 1e-15) sn = 0;
    return {cs, -sn, sn, cs, 0, 0};
  }
  static Affine scaleBy(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
};

// first `inner`, then `outer`
inline Affine compose(const Affine& outer, const Affine& inner) {
  return {outer.a * inner.a + outer.b * inner.c,
          outer.a * inner.b + outer.b * inner.d,
          outer.c * inner.a + outer.d * inner.c,
          outer.c * inner.b + outer.d * inner.d,
          outer.a * inner.tx + outer.b * inner.ty + outer.tx,
          outer.c * inner.tx + outer.d * inner.ty + outer.ty};
}

inline bool invert(const Affine& m, Affine& out) {
  const double det = m.a * m.d - m.b * m.c;
  if (!(std::fabs(det) > 1e-300)) return false;
  out.a = m.d / det;
  out.b = -m.b / det;
  out.c = -m.c / det;
  out.d = m.a / det;
  out.tx = -(out.a * m.tx + out.b * m.ty);
  out.ty = -(out.c * m.tx + out.d * m.ty);
  return true;
}

}  // namespace render
