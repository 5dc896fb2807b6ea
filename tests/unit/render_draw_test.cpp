// Gerber and Excellon constructs drawn into small pictures, checked by the
// count of covered pixels and by pixels at known places.
#include <gtest/gtest.h>

#include "render_test_support.h"

namespace {

using rendertest::draw;

const std::string kHead = "%FSLAX24Y24*%\n%MOIN*%\n";
// a 1-inch square region from (0,0)
const std::string kSquare = "G36*\nX0Y0D02*\nX10000Y0D01*\nX10000Y10000D01*\nX0Y10000D01*\nG37*\n";

struct Probe {
  int x, y;
  char expect;
};

struct Case {
  const char* name;
  std::string text;
  int flash, line;  // covered pixel counts, -1: not checked
  std::vector<Probe> probes;
};

// All at 10 DPI in the window (-1,-1)..(2,2) inches: a board inch is 10
// pixels, board (0,0) is the corner between pixels (9,20) and (10,19), board
// (1,1) the one between (19,10) and (20,9). Edges fall between pixel centres.
TEST(RenderDraw, ConstructsCoverTheirPixels) {
  const std::string flashR4 = "%ADD10R,0.4X0.4*%\nD10*\nX5000Y5000D03*\n";
  const std::vector<Case> cases = {
      {"region", kHead + kSquare + "M02*\n", 0, 100, {{10, 19, 'l'}, {9, 19, '.'}, {20, 10, '.'}}},
      {"region in millimetres",
       "%FSLAX33Y33*%\n%MOMM*%\nG36*\nX0Y0D02*\nX25400Y0D01*\nX25400Y25400D01*\nX0Y25400D01*\n"
       "G37*\nM02*\n",
       0,
       100,
       {}},
      {"trailing zeros kept, leading left out",
       "%FSTAX24Y24*%\n%MOIN*%\nG36*\nX0Y0D02*\nX01D01*\nY01D01*\nX0D01*\nG37*\nM02*\n",
       0,
       100,
       {}},
      {"incremental",
       "%FSLIX24Y24*%\n%MOIN*%\nG36*\nX0Y0D02*\nX10000D01*\nY10000D01*\nX-10000D01*\nG37*\n"
       "M02*\n",
       0,
       100,
       {}},
      {"rectangle flash", kHead + flashR4 + "M02*\n", 16, 0, {{15, 15, 'f'}}},
      {"image offset",
       kHead + "%OFA0.5B0*%\n%ADD10R,0.4X0.4*%\nD10*\nX0Y5000D03*\nM02*\n",
       16,
       0,
       {{15, 15, 'f'}}},
      {"image turned a quarter",
       kHead + "%IR90*%\n%ADD10R,0.4X0.2*%\nD10*\nX5000Y-5000D03*\nM02*\n",
       8,
       0,
       {{14, 14, 'f'}, {16, 15, '.'}}},
      {"clear polarity punches a hole",
       kHead + kSquare + "%LPC*%\n" + flashR4 + "M02*\n",
       0,
       84,
       {{15, 15, '.'}, {10, 19, 'l'}}},
      {"a hole in a flash leaves what lies below",
       kHead + kSquare + "%ADD10R,0.8X0.8X0.5*%\nD10*\nX5000Y5000D03*\nM02*\n",
       48,
       52,
       {{15, 15, 'l'}, {11, 18, 'f'}}},
      {"macro with variables and arithmetic",
       kHead + "%AMBOX*$3=$2x2*21,1,$1,$3,0,0,0*%\n%ADD10BOX,0.4X0.2*%\nD10*\nX5000Y5000D03*\n"
               "M02*\n",
       16,
       0,
       {}},
      {"macro: unexposed part erases within the flash only",
       kHead + kSquare +
           "%AMHOLE*21,1,0.8,0.8,0,0,0*21,0,0.4,0.4,0,0,0*%\n%ADD10HOLE*%\nD10*\n"
           "X5000Y5000D03*\nM02*\n",
       48,
       52,
       {{15, 15, 'l'}}},
      {"step and repeat",
       kHead + "%SRX3Y2I0.5J0.5*%\n%ADD10R,0.2X0.2*%\nD10*\nX2000Y2000D03*\n%SR*%\nM02*\n",
       24,
       0,
       {}},
      {"draw with a circle",
       kHead + "%ADD10C,0.1*%\nD10*\nX0Y4500D02*\nX10000Y4500D01*\nM02*\n",
       0,
       -1,
       {{15, 15, 'l'}, {15, 14, '.'}, {15, 16, '.'}}},
      {"full circle, multi quadrant",
       kHead + "%ADD10C,0.1*%\nD10*\nG75*\nX10000Y5000D02*\nG03X10000Y5000I-5000J0D01*\nM02*\n",
       0,
       -1,
       {{19, 15, 'l'}, {15, 10, 'l'}, {10, 15, 'l'}, {15, 19, 'l'}, {15, 15, '.'}}},
      {"quarter arc, single quadrant",
       kHead + "%ADD10C,0.1*%\nD10*\nG74*\nX10000Y0D02*\nG03X0Y10000I10000J0D01*\nM02*\n",
       0,
       -1,
       {{16, 12, 'l'}, {10, 19, '.'}}},
      {"drill: inch, decimal point",
       "M48\nINCH,TZ\nT1C1.0\n%\nT1\nX0.5Y0.5\nM30\n",
       -1,
       0,
       {{15, 15, 'f'}, {10, 10, '.'}}},
      {"drill: metric, leading zeros kept",
       "M48\nMETRIC,LZ,000.000\nT01C25.4\n%\nT01\nX012700Y0127\nM30\n",
       -1,
       0,
       {{15, 15, 'f'}, {10, 10, '.'}}},
      {"drill: inch, trailing zeros kept",
       "M48\nINCH,TZ\nT1C1.0\n%\nT1\nX5000Y5000\nM30\n",
       -1,
       0,
       {{15, 15, 'f'}, {10, 10, '.'}}},
      {"drill: G85 slot",
       "M48\nINCH\nT1C0.1\n%\nT1\nX0.0Y0.45G85X1.0Y0.45\nM30\n",
       0,
       -1,
       {{15, 15, 'l'}, {15, 13, '.'}}},
      {"drill: routed slot",
       "M48\nINCH\nT1C0.1\n%\nT1\nG00X0.45Y0.0\nM15\nG01X0.45Y1.0\nM16\nG00X0.0Y0.0\nM30\n",
       0,
       -1,
       {{14, 15, 'l'}, {10, 19, '.'}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const rendertest::Drawn d = draw(c.text, 10, {-1, -1, 2, 2});
    EXPECT_EQ(d.report.error, "");
    EXPECT_TRUE(d.report.skipped.empty()) << d.report.skipped.front();
    if (c.flash >= 0) {
      EXPECT_EQ(d.count('f'), c.flash);
    }
    if (c.line >= 0) {
      EXPECT_EQ(d.count('l'), c.line);
    }
    for (const Probe& p : c.probes) EXPECT_EQ(d.at(p.x, p.y), p.expect) << p.x << "," << p.y;
  }
}

TEST(RenderDraw, MirroredViewShowsTheBoardFromBelow) {
  const std::string text = kHead + "%ADD10R,0.2X0.2*%\nD10*\nX1000Y1000D03*\nM02*\n";
  EXPECT_EQ(draw(text, 10, {0, 0, 1, 1}).at(1, 8), 'f');
  const rendertest::Drawn mirrored = draw(text, 10, {0, 0, 1, 1}, true);
  EXPECT_EQ(mirrored.at(1, 8), '.');
  EXPECT_EQ(mirrored.at(8, 8), 'f');
}

TEST(RenderDraw, ExtentOfRepeatedBlock) {
  testfiles::TempDir dir("render-extent");
  testfiles::writeBytes(dir / "f", kHead +
                                       "%SRX3Y2I1.0J2.0*%\n%ADD10C,0.2*%\nD10*\n"
                                       "X0Y0D03*\n%SR*%\nM02*\n");
  render::Box box;
  render::measureFile((dir / "f").string(), box);
  EXPECT_NEAR(box.minX, -0.1, 1e-9);
  EXPECT_NEAR(box.minY, -0.1, 1e-9);
  EXPECT_NEAR(box.maxX, 2.1, 1e-9);
  EXPECT_NEAR(box.maxY, 2.1, 1e-9);
}

}  // namespace
