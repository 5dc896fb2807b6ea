// Flattening of circular arcs, and the centre of single-quadrant arcs.
#include "render/arc.h"

#include <algorithm>
#include <cmath>

namespace render {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kMaxSegments = 10000;

// Sweep from angle a0 to a1 in the given direction, in (0, 2 pi].
double sweepBetween(double a0, double a1, bool clockwise) {
  double s = clockwise ? a0 - a1 : a1 - a0;
  while (s <= 0) s += 2 * kPi;
  while (s > 2 * kPi) s -= 2 * kPi;
  return s;
}

}  // namespace

void arcPoints(Point from, Point to, Point centre, bool clockwise, bool fullTurn, double tolerance,
               std::vector<Point>& out) {
  const double r0 = std::hypot(from.x - centre.x, from.y - centre.y);
  const double r1 = std::hypot(to.x - centre.x, to.y - centre.y);
  // a centre on an end point makes no arc: a straight line then
  const double chord = std::hypot(to.x - from.x, to.y - from.y);
  if (!std::isfinite(r0) || !std::isfinite(r1) || !(std::min(r0, r1) > 1e-9 * chord)) {
    out.push_back(to);
    return;
  }
  const double a0 = std::atan2(from.y - centre.y, from.x - centre.x);
  const double a1 = std::atan2(to.y - centre.y, to.x - centre.x);
  const bool same = chord <= 1e-9 * std::max(1.0, r0);
  double sweep = same ? (fullTurn ? 2 * kPi : 0) : sweepBetween(a0, a1, clockwise);
  const double r = std::max(r0, r1);
  int n = 1;
  if (tolerance > 0 && r > tolerance && sweep > 0) {
    const double step = 2 * std::acos(std::max(-1.0, 1 - tolerance / r));
    n = static_cast<int>(std::min<double>(kMaxSegments, std::ceil(sweep / std::max(step, 1e-9))));
    n = std::max(n, 1);
  }
  if (clockwise) sweep = -sweep;
  for (int i = 1; i < n; ++i) {
    const double t = double(i) / n;
    const double a = a0 + sweep * t, rr = r0 + (r1 - r0) * t;
    out.push_back({centre.x + rr * std::cos(a), centre.y + rr * std::sin(a)});
  }
  out.push_back(to);
}

Point quarterArcCentre(Point from, Point to, Point offset, bool clockwise) {
  const double ox = std::fabs(offset.x), oy = std::fabs(offset.y);
  Point best = {from.x + ox, from.y + oy};
  double bestMiss = HUGE_VAL;
  bool bestFits = false;
  for (int k = 0; k < 4; ++k) {
    const Point c{from.x + ((k & 1) ? -ox : ox), from.y + ((k & 2) ? -oy : oy)};
    const double r0 = std::hypot(from.x - c.x, from.y - c.y);
    const double r1 = std::hypot(to.x - c.x, to.y - c.y);
    const double s = sweepBetween(std::atan2(from.y - c.y, from.x - c.x),
                                  std::atan2(to.y - c.y, to.x - c.x), clockwise);
    const bool fits = s <= kPi / 2 + 1e-6 || s >= 2 * kPi - 1e-9;
    const double miss = std::fabs(r0 - r1);
    if ((fits && !bestFits) || (fits == bestFits && miss < bestMiss)) {
      best = c;
      bestMiss = miss;
      bestFits = fits;
    }
  }
  return best;
}

}  // namespace render
