// Where the readers put what a file draws: flashes, strokes and region
// outlines in file coordinates (inches). A plotter either measures their
// extent on the board or fills them into a layer's coverage, one byte a pixel
// (0 nothing, 1 flash, 2 draw). A step-and-repeat block is kept while it is
// open and laid out when it closes, only where its copies meet the picture.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/aperture.h"
#include "render/geometry.h"
#include "render/render.h"

namespace render {

enum Coverage : std::uint8_t { kEmpty = 0, kFlash = 1, kDraw = 2 };

// Board inches to the view's pixel coordinates.
Affine boardToPixels(const View& view);

class Plotter {
 public:
  // Measures: everything drawn is added to `extent`.
  explicit Plotter(Box& extent);
  // Draws into `coverage` (view.width * view.height bytes, rows from the top).
  Plotter(const View& view, std::vector<std::uint8_t>& coverage);

  // File coordinates to board coordinates (offsets, mirrors, turns of the
  // whole image).
  void setImageTransform(const Affine& fileToBoard);
  // How far a flattened arc may stray from the true one, in file inches.
  double tolerance() const;

  void flash(const std::shared_ptr<const Aperture>& aperture, const Affine& load, Point at,
             bool clear);
  void stroke(const std::shared_ptr<const Aperture>& aperture, const Affine& load, Point from,
              Point to, bool clear);
  void region(std::vector<Point> outline, bool clear);

  void beginRepeat(long countX, long countY, double stepX, double stepY);
  bool repeating() const { return repeating_; }
  // Lays out the open block. Returns a note when the copies were cut short.
  std::string endRepeat();

 private:
  struct Object {
    enum class Kind { Flash, Stroke, Region } kind;
    bool clear = false;
    std::shared_ptr<const Aperture> aperture;
    Affine load;
    Point a, b;
    std::vector<Point> outline;
  };

  void put(Object&& object);
  void plot(const Object& object, Point shift);
  Box boxOf(const Object& object, const Affine& m, Point shift) const;
  void drawParts(const Aperture& aperture, const Affine& m, const Box& pixels, std::uint8_t value);

  Box* extent_ = nullptr;
  std::vector<std::uint8_t>* coverage_ = nullptr;
  int width_ = 0, height_ = 0;
  Affine view_;   // board to pixels (identity when measuring)
  Affine image_;  // file to board
  Affine toOut_;  // file to pixels, or to board when measuring
  bool repeating_ = false;
  long countX_ = 1, countY_ = 1;
  double stepX_ = 0, stepY_ = 0;
  std::vector<Object> block_;
  std::vector<std::uint8_t> scratch_;
};

}  // namespace render
