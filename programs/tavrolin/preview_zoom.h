// The preview's view arithmetic on render::View: zooming about a point of
// the picture, panning by a drag, and keeping the scale when the picture
// area changes size. A view keeps square pixels: its window is as many
// inches wide and high as its pixels at one scale.
#pragma once

#include "render/render.h"

namespace app {

// Pixels per inch of a view (0 for a view without pixels or window).
double scaleOf(const render::View& view);

// The board point under pixel (px, py) of the view.
struct BoardPoint {
  double x = 0, y = 0;
};
BoardPoint boardAt(const render::View& view, double px, double py);

// Zooms by `factor` (above 1 nearer) keeping the board point under pixel
// (px, py) where it is. The scale stays within [kMinScale, kMaxScale].
inline constexpr double kMinScale = 0.5;     // pixels per inch
inline constexpr double kMaxScale = 200000;  // pixels per inch: 0.13 µm a pixel
render::View zoomAbout(const render::View& view, double px, double py, double factor);

// Moves the picture by (dx, dy) pixels, as the mouse moved while dragging.
render::View panBy(const render::View& view, int dx, int dy);

// The same scale and top left corner in a picture of `width` x `height`.
render::View resized(const render::View& view, int width, int height);

}  // namespace app
