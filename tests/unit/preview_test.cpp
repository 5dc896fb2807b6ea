// The preview window's portable part: which files of a finished run it
// lists, in which colours, how it stacks them from either side, and the
// view arithmetic behind zooming and panning.
#include <gtest/gtest.h>

#include "layer_table_fixture.h"
#include "tavrolin/preview_layers.h"
#include "tavrolin/preview_zoom.h"

namespace {

class PreviewLayers : public LayerTableTest {
 protected:
  // Every row but "Notes" exported, each with the file a run gave it.
  std::vector<app::PreviewLayer> exportAll(const std::vector<exportcore::KeptDrill>& kept) {
    build(standardBoard());
    int n = 0;
    for (layers::LayerRow& row : form.rows) {
      row.gerberPath = L"D:\\out\\b.G" + std::to_wstring(n++);
      if (row.editor.name != L"Notes") widgets::setCheckedQuietly(*row.exportBox, true);
    }
    return app::previewLayers(form, kept);
  }
};

std::vector<std::wstring> labelsOf(const std::vector<app::PreviewLayer>& layers,
                                   const std::vector<size_t>& order) {
  std::vector<std::wstring> out;
  for (size_t i : order) out.push_back(layers[i].label.substr(0, layers[i].label.find(L" (")));
  return out;
}

TEST_F(PreviewLayers, ExportedRowsInTheirColoursThenTheKeptDrillFiles) {
  const auto layers = exportAll(
      {{{1, 4, L"D:\\out\\b.1_4"}, L"D:\\out\\b.TXT"}, {{-1, -1, L""}, L"D:\\out\\b.TXT1"}});
  ASSERT_EQ(layers.size(), 11u);  // nine rows, two drill files
  const auto& palette = widgets::layerPalette();
  // "Top" takes key 0: flash colour 0, line colour 15
  EXPECT_EQ(layers[0].label, L"Top (.G0)");
  EXPECT_EQ(layers[0].flashRgb, palette[0].rgb);
  EXPECT_EQ(layers[0].lineRgb, palette[15].rgb);
  EXPECT_FALSE(layers[0].translucent);
  EXPECT_EQ(layers[4].label.substr(0, 8), L"Top Mask");
  EXPECT_TRUE(layers[4].translucent);
  // the unexported row is left out even though it has a file name
  for (const auto& layer : layers) EXPECT_EQ(layer.label.find(L"Notes"), std::wstring::npos);
  EXPECT_EQ(layers[9].label, L"Сверловка 1-4 (.TXT)");
  EXPECT_EQ(layers[9].path, L"D:\\out\\b.TXT");
  EXPECT_EQ(layers[10].label, L"Сверловка (.TXT1)");
  EXPECT_TRUE(layers[10].drill);
  EXPECT_EQ(layers[10].flashRgb, app::kDrillColour);
}

TEST_F(PreviewLayers, UnchosenColourIsGrey) {
  build(standardBoard());
  layers::LayerRow& top = layer(L"Top");
  widgets::setCheckedQuietly(*top.exportBox, true);
  top.gerberPath = L"b.GTL";
  top.cam.flashColour->setItemIndex(-1);
  const auto layers = app::previewLayers(form, {});
  ASSERT_EQ(layers.size(), 1u);
  EXPECT_EQ(layers[0].flashRgb, app::kUnchosenColour);
  EXPECT_EQ(layers[0].lineRgb, widgets::layerPalette()[15].rgb);
}

TEST_F(PreviewLayers, StackedFromTheFarSideToTheViewerWithTheDrillFilesOnTop) {
  const auto layers = exportAll({{{1, 4, L""}, L"b.TXT"}});
  using V = std::vector<std::wstring>;
  EXPECT_EQ(labelsOf(layers, app::drawingOrder(layers, false)),
            (V{L"Bot Silk", L"Bot Mask", L"Bottom", L"GND", L"In1", L"Top", L"Top Mask",
               L"Top Silk", L"Board", L"Сверловка 1-4"}));
  EXPECT_EQ(labelsOf(layers, app::drawingOrder(layers, true)),
            (V{L"Top Silk", L"Top Mask", L"Top", L"In1", L"GND", L"Bottom", L"Bot Mask",
               L"Bot Silk", L"Board", L"Сверловка 1-4"}));
}

render::View boardView(bool mirrored) {
  render::View v;
  v.window = {1.0, 2.0, 5.0, 5.0};  // 4 x 3 inches at 100 px/in
  v.width = 400;
  v.height = 300;
  v.mirrored = mirrored;
  return v;
}

TEST(PreviewZoom, ZoomKeepsThePointUnderTheCursorAndPanFollowsTheMouse) {
  struct Case {
    bool mirrored;
    double px, py, factor, scale;  // scale expected after the zoom
  } cases[] = {
      {false, 0, 0, 2, 200},
      {false, 123, 77, 1.25, 125},
      {true, 123, 77, 1.25, 125},
      {true, 399, 299, 0.5, 50},
      {false, 200, 150, 1e-9, app::kMinScale},
      {true, 10, 20, 1e9, app::kMaxScale},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.mirrored << " " << c.px << "," << c.py << " x" << c.factor);
    const render::View before = boardView(c.mirrored);
    const render::View after = app::zoomAbout(before, c.px, c.py, c.factor);
    EXPECT_NEAR(app::scaleOf(after), c.scale, 1e-6 * c.scale);
    EXPECT_EQ(after.width, 400);
    EXPECT_NEAR((after.window.maxY - after.window.minY) * app::scaleOf(after), 300, 1e-6);
    const app::BoardPoint was = app::boardAt(before, c.px, c.py);
    const app::BoardPoint is = app::boardAt(after, c.px, c.py);
    EXPECT_NEAR(is.x, was.x, 1e-9);
    EXPECT_NEAR(is.y, was.y, 1e-9);
    // a drag by (dx, dy) brings the board point to the mouse's new place
    const render::View panned = app::panBy(after, 30, -12);
    const app::BoardPoint moved = app::boardAt(panned, c.px + 30, c.py - 12);
    EXPECT_NEAR(moved.x, was.x, 1e-9);
    EXPECT_NEAR(moved.y, was.y, 1e-9);
  }
}

TEST(PreviewZoom, ResizeKeepsScaleAndTopLeftCorner) {
  for (bool mirrored : {false, true}) {
    const render::View before = boardView(mirrored);
    const render::View after = app::resized(before, 640, 120);
    EXPECT_EQ(after.width, 640);
    EXPECT_EQ(after.height, 120);
    EXPECT_NEAR(app::scaleOf(after), 100, 1e-9);
    EXPECT_NEAR(after.window.maxY - after.window.minY, 1.2, 1e-9);
    EXPECT_NEAR(app::boardAt(after, 0, 0).x, mirrored ? 5.0 : 1.0, 1e-9);
    EXPECT_NEAR(app::boardAt(after, 0, 0).y, 5.0, 1e-9);
  }
}

}  // namespace
