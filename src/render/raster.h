// Filling shapes given in pixel coordinates: a pixel is covered when its
// centre lies inside. Shapes arrive as spans of whole rows, already clipped
// to the picture, so work grows with the covered area and the edges only.
#pragma once

#include <vector>

#include "render/geometry.h"

namespace render {

// Receives the covered pixels x0 <= x < x1 of row y.
class SpanSink {
 public:
  virtual ~SpanSink() = default;
  virtual void span(int y, int x0, int x1) = 0;
};

struct Clip {
  int width = 0;
  int height = 0;
};

void fillCircle(Point centre, double radius, Clip clip, SpanSink& sink);
// A line of width 2 * radius with round ends.
void fillCapsule(Point a, Point b, double radius, Clip clip, SpanSink& sink);
// One closed outline, nonzero winding.
void fillPolygon(const std::vector<Point>& outline, Clip clip, SpanSink& sink);

}  // namespace render
