// Files that are broken, hostile or huge: each is drawn as far as it goes
// and what was wrong is reported; none stops the reader.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "render_test_support.h"

namespace {

using rendertest::draw;

const std::string kHead = "%FSLAX24Y24*%\n%MOIN*%\n%ADD10C,0.1*%\nD10*\n";

struct Case {
  const char* name;
  std::string text;
  std::string error;  // the start of the error, empty for none
  std::vector<std::string> skipped;
  int minLine;  // line pixels at least
};

std::string noise() {
  std::mt19937 random(7);
  std::string s(200000, '\0');
  for (char& c : s) c = static_cast<char>(random());
  return s;
}

// A closed outline of a million vertices round (0.5, 0.5), radius 0.5 inch.
std::string millionVertexRegion() {
  std::string s = "%FSLAX26Y26*%\n%MOIN*%\nG36*\n";
  const int n = 1000000;
  for (int i = 0; i < n; ++i) {
    const double t = 2 * 3.14159265358979323846 * i / n;
    s += "X" + std::to_string(std::lround(500000 + 500000 * std::cos(t))) + "Y" +
         std::to_string(std::lround(500000 + 500000 * std::sin(t))) + (i ? "D01*\n" : "D02*\n");
  }
  return s + "G37*\nM02*\n";
}

TEST(RenderBadInput, DrawnAsFarAsPossibleAndReported) {
  const std::vector<Case> cases = {
      {"truncated", kHead + "X0Y5000D02*\nX10000Y5000D01*\nX10000Y100", "файл оборван", {}, 10},
      {"aperture never defined",
       kHead + "D12*\nX0Y5000D03*\nX10000Y5000D01*\nM02*\n",
       "",
       {"D12"},
       0},
      {"40-digit coordinate",
       kHead + "X0Y4500D02*\nX" + std::string(40, '9') + "Y4500D01*\nM02*\n",
       "",
       {},
       20},
      {"constructs not known, each named once",
       kHead + "%IPNEG*%\nG10*\nG10*\n%XY1*%\n%ASAYBX*%\nX0Y0D03*\nM02*\n",
       "",
       {"%IPNEG", "G10", "%XY", "%ASAYBX"},
       0},
      {"huge step and repeat count",
       kHead + "%SRX1000000Y1000000I0J0*%\nX5000Y5000D03*\n%SR*%\nM02*\n",
       "",
       {"SR: 100000 of 1000000000000 copies"},
       0},
      {"million-vertex region", millionVertexRegion(), "", {}, 70},
      {"drill tool never defined", "M48\nINCH\n%\nT5\nX0.5Y0.5\nM30\n", "", {"T5"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const rendertest::Drawn d = draw(c.text, 10, {-1, -1, 2, 2});
    EXPECT_EQ(d.report.error.substr(0, c.error.size()), c.error);
    EXPECT_EQ(d.report.error.empty(), c.error.empty()) << d.report.error;
    EXPECT_FALSE(d.report.unreadable);
    EXPECT_EQ(d.report.skipped, c.skipped);
    EXPECT_GE(d.count('l'), c.minLine);
  }
}

// A routed arc of a radius near 1e150 inches: its sides near the picture are
// imprecise, yet nothing is drawn outside the arc's box (x >= 0.77 in).
TEST(RenderBadInput, FarOffShapesStayWithinTheirBox) {
  const rendertest::Drawn d = draw("M48\nMETRIC\nT01C0.8\n%\nT01\nG00X20.0Y20.0\nM15\nG03X20.0Y1" +
                                       std::string(150, '0') + ".0\nM30\n",
                                   16, {-1, -1, 3, 3});
  int outside = 0;
  for (int y = 0; y < d.image.height; ++y) {
    for (int x = 0; x < 27; ++x) outside += d.at(x, y) != '.';
  }
  EXPECT_EQ(outside, 0);
}

// A region of one quarter arc: coarse at 10 DPI (two points, nothing to
// fill), fine when measured; the same one object both ways.
TEST(RenderBadInput, ObjectsCountedAlikeWhenDrawnAndMeasured) {
  const std::string text =
      "%FSLAX24Y24*%\n%MOIN*%\nG75*\nG36*\nX0Y0D02*\nG02X500Y500I500J0D01*\nG37*\nM02*\n";
  EXPECT_EQ(draw(text, 10, {-1, -1, 2, 2}).report.objects, 1u);
  testfiles::TempDir dir("render-count");
  testfiles::writeBytes(dir / "f", text);
  render::Box box;
  EXPECT_EQ(render::measureFile((dir / "f").string(), box).objects, 1u);
}

TEST(RenderBadInput, NoiseAndMissingFilesAreReadNoFurther) {
  const rendertest::Drawn d = draw(noise(), 10, {0, 0, 1, 1});
  EXPECT_LE(d.report.skipped.size(), 33u);
  EXPECT_TRUE(d.report.unreadable || !d.report.skipped.empty());

  render::Box box;
  const render::FileReport missing = render::measureFile("/nonexistent/file.gbr", box);
  EXPECT_TRUE(missing.unreadable);
  EXPECT_TRUE(box.empty());
}

}  // namespace
