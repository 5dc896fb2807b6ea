// Circular arcs as polylines: the points after `from` up to `to`, no point
// further than `tolerance` from the true arc. A start and end radius that
// differ are blended along the arc.
#pragma once

#include <vector>

#include "render/geometry.h"

namespace render {

// `centre` is known; a full turn when `from` equals `to` and `fullTurn`.
void arcPoints(Point from, Point to, Point centre, bool clockwise, bool fullTurn, double tolerance,
               std::vector<Point>& out);

// The centre of an arc given by unsigned offsets (single-quadrant arcs): the
// one of the four sign choices that gives an arc of at most a quarter turn
// with the closest start and end radii.
Point quarterArcCentre(Point from, Point to, Point offset, bool clockwise);

}  // namespace render
