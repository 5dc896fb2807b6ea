// Apertures: the shapes a Gerber file flashes and draws with, as lists of
// parts in the aperture's own coordinates (inches). A part that is not
// exposed erases the parts before it within the same flash only.
#pragma once

#include <string>
#include <vector>

#include "render/geometry.h"
#include "render/render.h"

namespace render {

struct Part {
  enum class Type { Circle, Capsule, Polygon } type = Type::Circle;
  bool exposed = true;
  Point a, b;         // circle: centre a; capsule: from a to b
  double radius = 0;  // circle and capsule
  std::vector<Point> outline;
};

struct Aperture {
  enum class Kind { Circle, Rectangle, Obround, Polygon, Macro } kind = Kind::Circle;
  double diameter = 0;  // of a circle, for drawing
  std::vector<Part> parts;
  bool hasUnexposed = false;
  Box box;                  // of the exposed parts
  std::vector<Point> hull;  // convex hull of the exposed parts

  // Recomputes `box`, `hull` and `hasUnexposed` from `parts`. Drawing with a
  // shape other than a circle sweeps its hull (circles as 64-sided polygons).
  void finish();
};

// A standard aperture: template "C", "R", "O" or "P" and its parameters,
// already in inches (the polygon's count and turn as given). False when the
// template is not one of these or the parameters do not fit it.
bool standardAperture(char templ, const std::vector<double>& params, Aperture& out);

// The turn of `points` by `degrees` about the origin.
void rotatePoints(std::vector<Point>& points, double degrees);
// The convex hull of `points`, counter-clockwise.
std::vector<Point> convexHull(std::vector<Point> points);
// A circle as a polygon of `sides` sides.
std::vector<Point> circleOutline(Point centre, double radius, int sides);

}  // namespace render
