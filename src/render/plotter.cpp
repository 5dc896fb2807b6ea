// Measuring and filling what the readers plot; step-and-repeat layout.
#include "render/plotter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/raster.h"

namespace render {

namespace {

// Copies of a step-and-repeat block laid out at most, and the work of all
// copies at most (a part of a flash, a stroke or a region's vertex each
// count one): a block repeated beyond these is cut short.
#ifndef TAVROLIN_RENDER_REPEAT_WORK
#define TAVROLIN_RENDER_REPEAT_WORK 2e7
#endif
constexpr double kMaxRepeatCopies = 1e5;
constexpr double kMaxRepeatWork = TAVROLIN_RENDER_REPEAT_WORK;

class FillSink : public SpanSink {
 public:
  FillSink(std::uint8_t* base, int stride, int originX, int originY, std::uint8_t value)
      : base_(base), stride_(stride), originX_(originX), originY_(originY), value_(value) {}
  void span(int y, int x0, int x1) override {
    std::uint8_t* p = base_ + static_cast<size_t>(y - originY_) * stride_ + (x0 - originX_);
    const int n = x1 - x0;
    if (n > 32) {
      std::memset(p, value_, static_cast<size_t>(n));
    } else {
      for (int i = 0; i < n; ++i) p[i] = value_;  // short spans: no call
    }
  }
  void setValue(std::uint8_t v) { value_ = v; }

 private:
  std::uint8_t* base_;
  int stride_, originX_, originY_;
  std::uint8_t value_;
};

// Spans of the whole picture clipped to a window of it, shifted into a
// buffer of the window's size.
class WindowSink : public SpanSink {
 public:
  WindowSink(FillSink& inner, int x0, int y0, int x1, int y1)
      : inner_(inner), x0_(x0), y0_(y0), x1_(x1), y1_(y1) {}
  void span(int y, int a, int b) override {
    if (y < y0_ || y >= y1_) return;
    a = std::max(a, x0_);
    b = std::min(b, x1_);
    if (a < b) inner_.span(y, a, b);
  }

 private:
  FillSink& inner_;
  int x0_, y0_, x1_, y1_;
};

Box boxOfPoints(const Point* pts, size_t n) {
  Box b;
  for (size_t i = 0; i < n; ++i) b.add({pts[i].x, pts[i].y, pts[i].x, pts[i].y});
  return b;
}

Box mapBox(const Box& box, const Affine& m) {
  if (box.empty()) return box;
  const Point corners[4] = {m.apply({box.minX, box.minY}), m.apply({box.maxX, box.minY}),
                            m.apply({box.maxX, box.maxY}), m.apply({box.minX, box.maxY})};
  return boxOfPoints(corners, 4);
}

void drawPart(const Part& part, const Affine& m, Clip clip, SpanSink& sink) {
  switch (part.type) {
    case Part::Type::Circle:
      fillCircle(m.apply(part.a), part.radius * m.scale(), clip, sink);
      break;
    case Part::Type::Capsule:
      fillCapsule(m.apply(part.a), m.apply(part.b), part.radius * m.scale(), clip, sink);
      break;
    case Part::Type::Polygon: {
      std::vector<Point> pts(part.outline.size());
      for (size_t i = 0; i < pts.size(); ++i) pts[i] = m.apply(part.outline[i]);
      fillPolygon(pts, clip, sink);
      break;
    }
  }
}

}  // namespace

Affine boardToPixels(const View& view) {
  const double w = view.window.maxX - view.window.minX;
  const double s = w > 0 ? view.width / w : 1;
  if (view.mirrored) return {-s, 0, 0, -s, view.window.maxX * s, view.window.maxY * s};
  return {s, 0, 0, -s, -view.window.minX * s, view.window.maxY * s};
}

Plotter::Plotter(Box& extent) : extent_(&extent) {}

Plotter::Plotter(const View& view, std::vector<std::uint8_t>& coverage)
    : coverage_(&coverage),
      width_(view.width),
      height_(view.height),
      view_(boardToPixels(view)),
      toOut_(view_) {}

void Plotter::setImageTransform(const Affine& fileToBoard) {
  image_ = fileToBoard;
  toOut_ = compose(view_, image_);
}

double Plotter::tolerance() const {
  const double s = toOut_.scale();
  if (coverage_) return s > 0 ? 0.2 / s : 1e-3;
  return s > 0 ? 2e-4 / s : 1e-3;
}

void Plotter::flash(const std::shared_ptr<const Aperture>& aperture, const Affine& load, Point at,
                    bool clear) {
  put({Object::Kind::Flash, clear, aperture, load, at, at, {}});
}

void Plotter::stroke(const std::shared_ptr<const Aperture>& aperture, const Affine& load,
                     Point from, Point to, bool clear) {
  put({Object::Kind::Stroke, clear, aperture, load, from, to, {}});
}

void Plotter::region(std::vector<Point> outline, bool clear) {
  if (outline.size() < 3) return;
  put({Object::Kind::Region, clear, nullptr, Affine(), {}, {}, std::move(outline)});
}

void Plotter::put(Object&& object) {
  if (repeating_) {
    block_.push_back(std::move(object));
  } else {
    plot(object, {0, 0});
  }
}

void Plotter::beginRepeat(long countX, long countY, double stepX, double stepY) {
  if (repeating_) endRepeat();
  repeating_ = true;
  countX_ = std::max(1L, countX);
  countY_ = std::max(1L, countY);
  stepX_ = std::isfinite(stepX) ? stepX : 0;
  stepY_ = std::isfinite(stepY) ? stepY : 0;
  block_.clear();
}

Box Plotter::boxOf(const Object& object, const Affine& m, Point shift) const {
  switch (object.kind) {
    case Object::Kind::Flash:
    case Object::Kind::Stroke: {
      const Box local = object.aperture->box;
      Box b = mapBox(local, compose(m, compose(Affine::translate(object.a + shift), object.load)));
      b.add(mapBox(local, compose(m, compose(Affine::translate(object.b + shift), object.load))));
      return b;
    }
    case Object::Kind::Region: {
      Box b;
      for (const Point& p : object.outline) {
        const Point q = m.apply(p + shift);
        b.add({q.x, q.y, q.x, q.y});
      }
      return b;
    }
  }
  return Box();
}

std::string Plotter::endRepeat() {
  if (!repeating_) return {};
  repeating_ = false;
  std::vector<Object> block;
  block.swap(block_);
  if (block.empty()) return {};
  Box local;
  for (const Object& o : block) local.add(boxOf(o, Affine(), {0, 0}));
  if (local.empty()) return {};
  const double lastX = (countX_ - 1) * stepX_, lastY = (countY_ - 1) * stepY_;
  if (extent_) {
    for (Point corner : {Point{0, 0}, Point{lastX, 0}, Point{0, lastY}, Point{lastX, lastY}}) {
      extent_->add(mapBox(local, compose(image_, Affine::translate(corner))));
    }
    return {};
  }
  // The copies whose block box meets the picture, seen in file coordinates.
  Affine back;
  if (!invert(toOut_, back)) return {};
  const Box seen = mapBox({0, 0, double(width_), double(height_)}, back);
  // copy k covers [lo + k step, hi + k step]
  auto visible = [](long count, double step, double lo, double hi, double seenLo, double seenHi,
                    long& first, long& last) {
    double kmin = 0, kmax = double(count - 1);
    if (step > 0) {
      kmin = std::max(kmin, std::ceil((seenLo - hi) / step));
      kmax = std::min(kmax, std::floor((seenHi - lo) / step));
    } else if (step < 0) {
      kmin = std::max(kmin, std::ceil((seenHi - lo) / step));
      kmax = std::min(kmax, std::floor((seenLo - hi) / step));
    } else if (hi < seenLo || lo > seenHi) {
      kmax = -1;
    }
    first = 0;
    last = -1;
    if (kmin <= kmax) {
      first = static_cast<long>(kmin);
      last = static_cast<long>(kmax);
    }
  };
  long fx, lx, fy, ly;
  visible(countX_, stepX_, local.minX, local.maxX, seen.minX, seen.maxX, fx, lx);
  visible(countY_, stepY_, local.minY, local.maxY, seen.minY, seen.maxY, fy, ly);
  if (lx < fx || ly < fy) return {};
  const double copies = double(lx - fx + 1) * double(ly - fy + 1);
  double work = 0;
  for (const Object& o : block) {
    work += o.kind == Object::Kind::Region  ? double(o.outline.size())
            : o.kind == Object::Kind::Flash ? double(o.aperture->parts.size())
                                            : 1.0;
  }
  const double allowed = std::min(kMaxRepeatCopies, std::floor(kMaxRepeatWork / work));
  double drawn = 0;
  for (long j = fy; j <= ly && drawn < allowed; ++j) {
    for (long i = fx; i <= lx && drawn < allowed; ++i, ++drawn) {
      const Point shift{i * stepX_, j * stepY_};
      for (const Object& o : block) plot(o, shift);
    }
  }
  if (drawn < copies) {
    return "SR: " + std::to_string(static_cast<long long>(drawn)) + " of " +
           std::to_string(static_cast<long long>(copies)) + " copies";
  }
  return {};
}

void Plotter::plot(const Object& object, Point shift) {
  const Box box = boxOf(object, toOut_, shift);
  if (box.empty() || !std::isfinite(box.minX) || !std::isfinite(box.maxX) ||
      !std::isfinite(box.minY) || !std::isfinite(box.maxY)) {
    return;
  }
  if (extent_) {
    extent_->add(box);
    return;
  }
  if (box.maxX < 0 || box.maxY < 0 || box.minX > width_ || box.minY > height_) return;
  const std::uint8_t value = object.clear                         ? kEmpty
                             : object.kind == Object::Kind::Flash ? kFlash
                                                                  : kDraw;
  const Clip clip{width_, height_};
  FillSink sink(coverage_->data(), width_, 0, 0, value);
  switch (object.kind) {
    case Object::Kind::Flash:
      drawParts(*object.aperture,
                compose(toOut_, compose(Affine::translate(object.a + shift), object.load)), box,
                value);
      break;
    case Object::Kind::Stroke: {
      const Aperture& ap = *object.aperture;
      const Affine at = compose(toOut_, Affine::translate(shift));
      if (ap.kind == Aperture::Kind::Circle) {
        // a hairline at least: a draw narrower than a pixel stays visible
        const double r = std::max(0.5, ap.diameter / 2 * (toOut_.scale() * object.load.scale()));
        fillCapsule(at.apply(object.a), at.apply(object.b), r, clip, sink);
        break;
      }
      std::vector<Point> pts;
      pts.reserve(2 * ap.hull.size());
      for (const Point& end : {object.a, object.b}) {
        const Affine m = compose(at, compose(Affine::translate(end), object.load));
        for (const Point& p : ap.hull) pts.push_back(m.apply(p));
      }
      fillPolygon(convexHull(std::move(pts)), clip, sink);
      break;
    }
    case Object::Kind::Region: {
      std::vector<Point> pts(object.outline.size());
      const Affine m = compose(toOut_, Affine::translate(shift));
      for (size_t i = 0; i < pts.size(); ++i) pts[i] = m.apply(object.outline[i]);
      fillPolygon(pts, clip, sink);
      break;
    }
  }
}

void Plotter::drawParts(const Aperture& aperture, const Affine& m, const Box& pixels,
                        std::uint8_t value) {
  const Clip clip{width_, height_};
  if (!aperture.hasUnexposed) {
    FillSink sink(coverage_->data(), width_, 0, 0, value);
    for (const Part& part : aperture.parts) drawPart(part, m, clip, sink);
    return;
  }
  // Holes and unexposed macro parts erase within this flash only: the flash
  // is composed in a buffer of its own box first.
  auto within = [](double v, int limit) {
    return static_cast<int>(std::min<double>(limit, std::max(0.0, v)));
  };
  const int x0 = within(std::floor(pixels.minX), width_);
  const int y0 = within(std::floor(pixels.minY), height_);
  const int x1 = within(std::ceil(pixels.maxX) + 1, width_);
  const int y1 = within(std::ceil(pixels.maxY) + 1, height_);
  if (x0 >= x1 || y0 >= y1) return;
  const int w = x1 - x0, h = y1 - y0;
  scratch_.assign(static_cast<size_t>(w) * h, 0);
  FillSink local(scratch_.data(), w, x0, y0, 1);
  WindowSink window(local, x0, y0, x1, y1);
  for (const Part& part : aperture.parts) {
    local.setValue(part.exposed ? 1 : 0);
    drawPart(part, m, clip, window);
  }
  std::uint8_t* out = coverage_->data();
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* row = scratch_.data() + static_cast<size_t>(y) * w;
    std::uint8_t* dst = out + static_cast<size_t>(y + y0) * width_ + x0;
    for (int x = 0; x < w; ++x) {
      if (row[x]) dst[x] = value;
    }
  }
}

}  // namespace render
