// The preview's view arithmetic (see preview_zoom.h).
#include "tavrolin/preview_zoom.h"

#include <algorithm>

namespace app {
namespace {

// The view of `width` x `height` at `scale` whose pixel (px, py) shows `at`.
render::View placed(const render::View& view, double scale, BoardPoint at, double px, double py) {
  render::View out = view;
  const double w = view.width / scale, h = view.height / scale;
  if (view.mirrored) {
    out.window.maxX = at.x + px / scale;
    out.window.minX = out.window.maxX - w;
  } else {
    out.window.minX = at.x - px / scale;
    out.window.maxX = out.window.minX + w;
  }
  out.window.maxY = at.y + py / scale;
  out.window.minY = out.window.maxY - h;
  return out;
}

}  // namespace

double scaleOf(const render::View& view) {
  const double w = view.window.maxX - view.window.minX;
  return view.width > 0 && w > 0 ? view.width / w : 0;
}

BoardPoint boardAt(const render::View& view, double px, double py) {
  const double scale = scaleOf(view);
  if (scale <= 0) return {view.window.minX, view.window.maxY};
  const double x = view.mirrored ? view.window.maxX - px / scale : view.window.minX + px / scale;
  return {x, view.window.maxY - py / scale};
}

render::View zoomAbout(const render::View& view, double px, double py, double factor) {
  const double scale = scaleOf(view);
  if (scale <= 0 || !(factor > 0)) return view;
  const double next = std::clamp(scale * factor, kMinScale, kMaxScale);
  return placed(view, next, boardAt(view, px, py), px, py);
}

render::View panBy(const render::View& view, int dx, int dy) {
  const double scale = scaleOf(view);
  if (scale <= 0) return view;
  // the point that was at pixel (0, 0) is now at (dx, dy)
  return placed(view, scale, boardAt(view, 0, 0), dx, dy);
}

render::View resized(const render::View& view, int width, int height) {
  const double scale = scaleOf(view);
  render::View out = view;
  out.width = width;
  out.height = height;
  if (scale <= 0) return out;
  return placed(out, scale, boardAt(view, 0, 0), 0, 0);
}

}  // namespace app
