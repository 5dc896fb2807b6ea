// Scanline filling of circles, capsules and polygons (nonzero winding),
// sampled at pixel centres.
#include "render/raster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace render {

namespace {

// The first row (or column) whose centre is at or after v, kept inside
// [0, limit] whatever v is.
int firstCentreAtOrAfter(double v, int limit) {
  const double c = std::ceil(v - 0.5);
  if (!(c > 0)) return 0;  // also NaN
  if (c > limit) return limit;
  return static_cast<int>(c);
}

void emit(int y, double left, double right, Clip clip, SpanSink& sink) {
  const int x0 = firstCentreAtOrAfter(left, clip.width);
  const int x1 = firstCentreAtOrAfter(right, clip.width);
  if (x0 < x1) sink.span(y, x0, x1);
}

struct RowRange {
  int first, end;
};

RowRange rowsBetween(double top, double bottom, Clip clip) {
  return {firstCentreAtOrAfter(top, clip.height), firstCentreAtOrAfter(bottom, clip.height)};
}

}  // namespace

void fillCircle(Point centre, double radius, Clip clip, SpanSink& sink) {
  if (!(radius > 0) || !finitePoint(centre)) return;
  const RowRange rows = rowsBetween(centre.y - radius, centre.y + radius, clip);
  const double r2 = radius * radius;
  for (int y = rows.first; y < rows.end; ++y) {
    const double dy = y + 0.5 - centre.y;
    const double left = r2 - dy * dy;
    if (left <= 0) continue;
    const double dx = std::sqrt(left);
    emit(y, centre.x - dx, centre.x + dx, clip, sink);
  }
}

void fillCapsule(Point a, Point b, double radius, Clip clip, SpanSink& sink) {
  if (!(radius > 0) || !finitePoint(a) || !finitePoint(b)) return;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len = std::hypot(dx, dy);
  if (!(len > 1e-9)) return fillCircle(a, radius, clip, sink);
  const Point n{-dy / len * radius, dx / len * radius};
  const Point quad[4] = {a + n, b + n, b - n, a - n};
  struct Side {
    double top, bottom, x, slope;  // x at `top`
  } sides[4];
  int sideCount = 0;
  for (int i = 0; i < 4; ++i) {
    const Point p = quad[i], q = quad[(i + 1) % 4];
    if (p.y == q.y) continue;
    const Point t = p.y < q.y ? p : q, u = p.y < q.y ? q : p;
    sides[sideCount++] = {t.y, u.y, t.x, (u.x - t.x) / (u.y - t.y)};
  }
  const RowRange rows = rowsBetween(std::min(a.y, b.y) - radius, std::max(a.y, b.y) + radius, clip);
  const double boxLeft = std::min(a.x, b.x) - radius, boxRight = std::max(a.x, b.x) + radius;
  const double r2 = radius * radius;
  for (int y = rows.first; y < rows.end; ++y) {
    const double yc = y + 0.5;
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const Point& c : {a, b}) {
      const double d = r2 - (yc - c.y) * (yc - c.y);
      if (d <= 0) continue;
      const double w = std::sqrt(d);
      lo = std::min(lo, c.x - w);
      hi = std::max(hi, c.x + w);
    }
    for (int i = 0; i < sideCount; ++i) {
      const Side& e = sides[i];
      if (e.top <= yc && yc < e.bottom) {
        const double x = e.x + (yc - e.top) * e.slope;
        lo = std::min(lo, x);
        hi = std::max(hi, x);
      }
    }
    // far-off ends lose the precision of the sides: a span never leaves the
    // capsule's box
    if (lo < hi) emit(y, std::max(lo, boxLeft), std::min(hi, boxRight), clip, sink);
  }
}

namespace {

struct Edge {
  Point top, bottom;  // top.y < bottom.y
  int winding;
  int firstRow, endRow;
};

}  // namespace

void fillPolygon(const std::vector<Point>& outline, Clip clip, SpanSink& sink) {
  const size_t n = outline.size();
  if (n < 3) return;
  std::vector<Edge> edges;
  double boxLeft = outline[0].x, boxRight = outline[0].x;
  for (size_t i = 0; i < n; ++i) {
    const Point p = outline[i], q = outline[(i + 1) % n];
    if (!finitePoint(p) || !finitePoint(q)) return;
    boxLeft = std::min(boxLeft, p.x);
    boxRight = std::max(boxRight, p.x);
    if (p.y == q.y) continue;
    Edge e = p.y < q.y ? Edge{p, q, 1, 0, 0} : Edge{q, p, -1, 0, 0};
    const RowRange rows = rowsBetween(e.top.y, e.bottom.y, clip);
    if (rows.first >= rows.end) continue;  // crosses no row centre of the picture
    e.firstRow = rows.first;
    e.endRow = rows.end;
    edges.push_back(e);
  }
  std::sort(edges.begin(), edges.end(),
            [](const Edge& l, const Edge& r) { return l.firstRow < r.firstRow; });
  std::vector<const Edge*> active;
  std::vector<std::pair<double, int>> crossings;
  size_t next = 0;
  int y = edges.empty() ? clip.height : edges.front().firstRow;
  while (y < clip.height && (next < edges.size() || !active.empty())) {
    if (active.empty() && edges[next].firstRow > y) y = edges[next].firstRow;
    while (next < edges.size() && edges[next].firstRow == y) active.push_back(&edges[next++]);
    const double yc = y + 0.5;
    crossings.clear();
    size_t kept = 0;
    for (const Edge* e : active) {
      if (e->endRow <= y) continue;
      active[kept++] = e;
      const double t = (yc - e->top.y) / (e->bottom.y - e->top.y);
      crossings.emplace_back(e->top.x + t * (e->bottom.x - e->top.x), e->winding);
    }
    active.resize(kept);
    std::sort(crossings.begin(), crossings.end());
    int winding = 0;
    double start = 0;
    for (const auto& [x, w] : crossings) {
      if (winding == 0) start = x;
      winding += w;
      // crossings of far-off edges are imprecise: kept within the outline's box
      if (winding == 0) emit(y, std::max(start, boxLeft), std::min(x, boxRight), clip, sink);
    }
    ++y;
  }
}

}  // namespace render
