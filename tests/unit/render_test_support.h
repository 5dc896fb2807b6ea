// Drawing a file's text into a small picture for the drawing tests, and
// reading back which layer colour each pixel got.
#pragma once

#include <string>

#include "base_test_files.h"
#include "render/render.h"

namespace rendertest {

constexpr render::Colour kFlash{255, 0, 0, 255};
constexpr render::Colour kLine{0, 255, 0, 255};

struct Drawn {
  render::Image image;
  render::FileReport report;
  // 'f' flash colour, 'l' line colour, '.' background
  char at(int x, int y) const {
    const std::uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
    return p[0] == 255 ? 'f' : p[1] == 255 ? 'l' : '.';
  }
  int count(char what) const {
    int n = 0;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) n += at(x, y) == what;
    }
    return n;
  }
};

// `text` drawn at `dpi` into the window whose lower left is (x, y) inches.
inline Drawn draw(const std::string& text, double dpi, render::Box window, bool mirrored = false) {
  testfiles::TempDir dir("render");
  testfiles::writeBytes(dir / "f", text);
  const render::View view = render::viewAt(window, dpi, 0, mirrored);
  Drawn d{render::Image(view.width, view.height, {0, 0, 0, 255}), {}};
  d.report = render::drawFile({(dir / "f").string(), kFlash, kLine}, view, d.image);
  return d;
}

}  // namespace rendertest
