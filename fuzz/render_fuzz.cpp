// Fuzz target: any bytes drawn as a Gerber or drill file into a small
// picture, seen from above or below. The reader never stops the process,
// names at most a bounded list of skipped constructs, paints only the
// layer's two colours, and paints nothing outside the extent it measures
// for the same file.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

#include "fuzz_support.h"
#include "render/render.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const bool mirrored = in.ConsumeBool();
  const fuzz::fs::path file = fuzz::scratchDir() / "layer";
  fuzz::writeBytes(file, in.ConsumeRemainingBytesAsString());

  constexpr double kDpi = 16;
  const render::View view = render::viewAt({-1, -1, 3, 3}, kDpi, 0, mirrored);
  FUZZ_CHECK(view.width == 64 && view.height == 64);
  const render::Colour background{0, 0, 0, 255}, flash{255, 0, 0, 255}, line{0, 255, 0, 255};
  render::Image image(view.width, view.height, background);
  const render::FileReport drawn = render::drawFile({file.string(), flash, line}, view, image);
  FUZZ_CHECK(drawn.skipped.size() <= 33);
  FUZZ_CHECK(!drawn.unreadable || drawn.objects == 0);

  render::Box extent;
  const render::FileReport measured = render::measureFile(file.string(), extent);
  FUZZ_CHECK(measured.objects == drawn.objects);
  const double slack = 1.0 / kDpi;
  for (int y = 0; y < view.height; ++y) {
    for (int x = 0; x < view.width; ++x) {
      const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * view.width + x) * 4];
      const bool isBackground = p[0] == 0 && p[1] == 0 && p[2] == 0;
      FUZZ_CHECK(isBackground || (p[0] == 255 && p[1] == 0) || (p[0] == 0 && p[1] == 255));
      FUZZ_CHECK(p[3] == 255);
      if (isBackground) continue;
      const double bx =
          mirrored ? view.window.maxX - (x + 0.5) / kDpi : view.window.minX + (x + 0.5) / kDpi;
      const double by = view.window.maxY - (y + 0.5) / kDpi;
      FUZZ_CHECK(!extent.empty());
      FUZZ_CHECK(bx >= extent.minX - slack && bx <= extent.maxX + slack);
      FUZZ_CHECK(by >= extent.minY - slack && by <= extent.maxY + slack);
    }
  }
  return 0;
}
