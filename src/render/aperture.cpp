// Standard apertures (circle, rectangle, obround, polygon, with holes) as
// parts, and the outline a non-circular aperture sweeps when drawing.
#include "render/aperture.h"

#include <algorithm>
#include <cmath>

namespace render {

namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<Point> rectangle(double w, double h) {
  return {{-w / 2, -h / 2}, {w / 2, -h / 2}, {w / 2, h / 2}, {-w / 2, h / 2}};
}

void addHole(const std::vector<double>& params, size_t first, Aperture& out) {
  if (params.size() <= first) return;
  Part hole;
  hole.exposed = false;
  if (params.size() == first + 1) {
    hole.radius = params[first] / 2;
  } else {
    hole.type = Part::Type::Polygon;
    hole.outline = rectangle(params[first], params[first + 1]);
  }
  out.parts.push_back(hole);
}

// Monotone chain; the hull of a handful of points.
std::vector<Point> hullOf(std::vector<Point> pts) {
  std::sort(pts.begin(), pts.end(),
            [](Point l, Point r) { return l.x < r.x || (l.x == r.x && l.y < r.y); });
  if (pts.size() < 3) return pts;
  auto cross = [](Point o, Point a, Point b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
  };
  std::vector<Point> hull(2 * pts.size());
  size_t k = 0;
  for (size_t i = 0; i < pts.size(); ++i) {
    while (k >= 2 && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0) --k;
    hull[k++] = pts[i];
  }
  for (size_t i = pts.size() - 1, t = k + 1; i-- > 0;) {
    while (k >= t && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0) --k;
    hull[k++] = pts[i];
  }
  hull.resize(k - 1);
  return hull;
}

std::vector<Point> exposedHull(const std::vector<Part>& parts);

}  // namespace

std::vector<Point> convexHull(std::vector<Point> points) { return hullOf(std::move(points)); }

std::vector<Point> circleOutline(Point centre, double radius, int sides) {
  std::vector<Point> out;
  out.reserve(sides);
  for (int i = 0; i < sides; ++i) {
    const double t = 2 * kPi * i / sides;
    out.push_back({centre.x + radius * std::cos(t), centre.y + radius * std::sin(t)});
  }
  return out;
}

void rotatePoints(std::vector<Point>& points, double degrees) {
  if (degrees == 0) return;
  const Affine turn = Affine::rotateDegrees(degrees);
  for (Point& p : points) p = turn.apply(p);
}

bool standardAperture(char templ, const std::vector<double>& params, Aperture& out) {
  out = Aperture();
  for (double v : params) {
    if (!std::isfinite(v) || v < -1e6 || v > 1e6) return false;
  }
  Part body;
  switch (templ) {
    case 'C':
      if (params.empty() || params.size() > 3 || params[0] < 0) return false;
      out.kind = Aperture::Kind::Circle;
      out.diameter = params[0];
      body.radius = params[0] / 2;
      out.parts.push_back(body);
      addHole(params, 1, out);
      break;
    case 'R':
    case 'O': {
      if (params.size() < 2 || params.size() > 4 || params[0] < 0 || params[1] < 0) return false;
      const double w = params[0], h = params[1];
      if (templ == 'R') {
        out.kind = Aperture::Kind::Rectangle;
        body.type = Part::Type::Polygon;
        body.outline = rectangle(w, h);
      } else {
        out.kind = Aperture::Kind::Obround;
        body.type = Part::Type::Capsule;
        body.radius = std::min(w, h) / 2;
        const double half = (std::max(w, h) - std::min(w, h)) / 2;
        body.a = w >= h ? Point{-half, 0} : Point{0, -half};
        body.b = w >= h ? Point{half, 0} : Point{0, half};
      }
      out.parts.push_back(body);
      addHole(params, 2, out);
      break;
    }
    case 'P': {
      if (params.size() < 2 || params.size() > 5 || params[0] < 0) return false;
      const int sides = static_cast<int>(std::lround(params[1]));
      if (sides < 3 || sides > 12) return false;
      out.kind = Aperture::Kind::Polygon;
      body.type = Part::Type::Polygon;
      body.outline = circleOutline({0, 0}, params[0] / 2, sides);
      rotatePoints(body.outline, params.size() > 2 ? params[2] : 0);
      out.parts.push_back(body);
      addHole(params, 3, out);
      break;
    }
    default:
      return false;
  }
  out.finish();
  return true;
}

void Aperture::finish() {
  box = Box();
  hasUnexposed = false;
  for (const Part& p : parts) {
    if (!p.exposed) {
      hasUnexposed = true;
      continue;
    }
    Box b;
    switch (p.type) {
      case Part::Type::Circle:
        b = {p.a.x - p.radius, p.a.y - p.radius, p.a.x + p.radius, p.a.y + p.radius};
        break;
      case Part::Type::Capsule:
        b = {std::min(p.a.x, p.b.x) - p.radius, std::min(p.a.y, p.b.y) - p.radius,
             std::max(p.a.x, p.b.x) + p.radius, std::max(p.a.y, p.b.y) + p.radius};
        break;
      case Part::Type::Polygon:
        for (const Point& q : p.outline) b.add({q.x, q.y, q.x, q.y});
        break;
    }
    box.add(b);
  }
  hull = exposedHull(parts);
}

namespace {

std::vector<Point> exposedHull(const std::vector<Part>& parts) {
  std::vector<Point> pts;
  for (const Part& p : parts) {
    if (!p.exposed) continue;
    switch (p.type) {
      case Part::Type::Circle:
        for (Point q : circleOutline(p.a, p.radius, 64)) pts.push_back(q);
        break;
      case Part::Type::Capsule:
        for (Point q : circleOutline(p.a, p.radius, 64)) pts.push_back(q);
        for (Point q : circleOutline(p.b, p.radius, 64)) pts.push_back(q);
        break;
      case Part::Type::Polygon:
        pts.insert(pts.end(), p.outline.begin(), p.outline.end());
        break;
    }
  }
  return hullOf(std::move(pts));
}

}  // namespace

}  // namespace render
