// The editor stand-in's Gerber and N/C drill writers: file structure that
// the post-processing relies on (repeated "%LN" records, "%" third from the
// end of a drill file exactly when it has no holes), which objects reach
// which layer and drill span, coordinates, units and the dialogs' texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "../../testing/editor-standin/board.cpp"
#include "../../testing/editor-standin/drill_writer.cpp"
#include "../../testing/editor-standin/gerber_writer.cpp"
#include "../../testing/editor-standin/output_job.cpp"
#include "../../testing/editor-standin/stroke_font.cpp"

namespace {

using standin::Board;
using standin::DrillJob;
using standin::GerberJob;
using standin::OutputUnits;

// Four metal layers with a blind via Top..Inner, a surface pad on each side,
// a through pad and via, a non-plated hole, and texts of three kinds.
const wchar_t kBoard[] =
    L"solder-mask-swell \"0.1mm\"\n"
    L"draw-aperture \"0.15mm\"\n"
    L"layer \"Top\" \"SEA\"\n"
    L"layer \"Inner\" \"SEA\"\n"
    L"layer \"GND\" \"PE \"\n"
    L"layer \"Bottom\" \"SEA\"\n"
    L"layer \"Top Mask\" \"NE \"\n"
    L"layer \"Bot Mask\" \"NE \"\n"
    L"layer \"Top Silk\" \"NE \"\n"
    L"layer \"Board\" \"NE \"\n"
    L"outline 0 0 60 0 60 40 0 40\n"
    L"pad 10 10 round 1.7 1.7 1.0 \"Top\" \"Bottom\" \"J1-1\"\n"
    L"pad 35 30 rect 1.5 0.6 0 \"Top\" \"Top\" \"U1-1\"\n"
    L"pad 50 10 rect 1.2 1.4 0 \"Bottom\" \"Bottom\" \"C1-1\"\n"
    L"via 20 10 0.6 0.3 \"Top\" \"Bottom\"\n"
    L"via 30 20 0.5 0.25 \"Top\" \"Inner\"\n"
    L"hole 4 4 3.0\n"
    L"track \"Top\" 0.25 10 10 20 10\n"
    L"track \"Inner\" 0.2 20 10 30 20\n"
    L"text \"Top Silk\" refdes 8 17 1.2 \"J1\"\n"
    L"text \"Top Silk\" value 33 26 1.0 \"10K\"\n"
    L"text \"Top Silk\" title 3 36 2.0 \"BOARD\"\n";

constexpr int kTop = 0, kInner = 1, kGnd = 2, kBottom = 3, kTopMask = 4, kBotMask = 5, kTopSilk = 6,
              kOutline = 7;

Board board() { return standin::parseBoard(kBoard); }

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    out.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return out;
}

size_t countStarting(const std::vector<std::string>& ls, const std::string& prefix) {
  return static_cast<size_t>(std::count_if(
      ls.begin(), ls.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
}

size_t countEnding(const std::vector<std::string>& ls, const std::string& suffix) {
  return static_cast<size_t>(std::count_if(ls.begin(), ls.end(), [&](const std::string& l) {
    return l.size() >= suffix.size() &&
           l.compare(l.size() - suffix.size(), suffix.size(), suffix) == 0;
  }));
}

bool hasLine(const std::vector<std::string>& ls, const std::string& line) {
  return std::find(ls.begin(), ls.end(), line) != ls.end();
}

// Whether an aperture of this shape and size ("C,1.9000") is defined.
bool hasAperture(const std::vector<std::string>& ls, const std::string& shape) {
  return std::any_of(ls.begin(), ls.end(), [&](const std::string& l) {
    return l.rfind("%ADD", 0) == 0 && l.size() > shape.size() + 2 &&
           l.compare(l.size() - shape.size() - 2, shape.size(), shape) == 0 &&
           l.substr(l.size() - 2) == "*%";
  });
}

GerberJob job(int layer, std::initializer_list<int> classes = {}) {
  GerberJob j;
  j.layer = layer;
  for (int c : classes) j.classes[static_cast<size_t>(c)] = true;
  return j;
}

std::vector<std::string> gerber(const GerberJob& j) {
  return lines(standin::writeGerber(board(), j));
}

std::vector<std::string> drill(std::vector<int> span) {
  DrillJob j;
  j.span = std::move(span);
  return lines(standin::writeDrill(board(), j));
}

// ---------------------------------------------------------------------------

TEST(StandinGerber, FileHasHeaderDefinedAperturesRepeatedLayerRecordsAndEnd) {
  const std::string text =
      standin::writeGerber(board(), job(kTop, {standin::kClassPad, standin::kClassVias}));
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  const auto ls = lines(text);
  EXPECT_TRUE(hasLine(ls, "%FSLAX34Y34*%"));
  EXPECT_TRUE(hasLine(ls, "%MOMM*%"));
  EXPECT_EQ(ls.back(), "M02*");
  // Tracks, pads and vias: the first record and one per group.
  EXPECT_EQ(countStarting(ls, "%LN"), 4u);
  EXPECT_EQ(countStarting(ls, "%LN"),
            static_cast<size_t>(std::count(ls.begin(), ls.end(), "%LNTop*%")));
  // Every aperture selected is defined above its first use, and defined once.
  std::set<std::string> defined;
  for (const std::string& l : ls) {
    if (l.rfind("%ADD", 0) == 0) {
      std::string code = l.substr(4, l.find_first_not_of("0123456789", 4) - 4);
      EXPECT_TRUE(defined.insert(code).second) << l;
    } else if (l.size() > 2 && l[0] == 'D' && l.back() == '*') {
      EXPECT_EQ(defined.count(l.substr(1, l.size() - 2)), 1u) << l;
    }
  }
  EXPECT_TRUE(hasLine(ls, "%ADD10C,0.2500*%"));  // the track
  EXPECT_TRUE(hasLine(ls, "X100000Y100000D02*"));
  EXPECT_TRUE(hasLine(ls, "X200000Y100000D01*"));
}

TEST(StandinGerber, EmptyLayerDrawsNothingButStaysAnRs274xFile) {
  // Readers tell RS-274X by an aperture definition and a coordinate: the one
  // group selects the draw aperture and moves to the origin, drawing nothing.
  EXPECT_EQ(gerber(job(kTopSilk)),
            (std::vector<std::string>{"G04 editor-standin Gerber output*", "%FSLAX34Y34*%",
                                      "%MOMM*%", "%ADD10C,0.1500*%", "%LNTop Silk*%", "G01*",
                                      "%LNTop Silk*%", "%LPD*%", "D10*", "X0Y0D02*", "M02*"}));
}

TEST(StandinGerber, PadsAndViasFollowTheirChecksAndSpans) {
  const int pad = standin::kClassPad, vias = standin::kClassVias;
  // Top: through pad, surface pad; through via, blind via.
  EXPECT_EQ(countEnding(gerber(job(kTop, {pad})), "D03*"), 2u);
  EXPECT_EQ(countEnding(gerber(job(kTop, {vias})), "D03*"), 2u);
  EXPECT_EQ(countEnding(gerber(job(kTop)), "D03*"), 0u);
  // Inner: through pad; both vias. Plane GND: through pad and via only.
  EXPECT_EQ(countEnding(gerber(job(kInner, {pad, vias})), "D03*"), 3u);
  EXPECT_EQ(countEnding(gerber(job(kGnd, {pad, vias})), "D03*"), 2u);
  // Bottom: through pad, its surface pad, through via.
  const auto bottom = gerber(job(kBottom, {pad, vias}));
  EXPECT_EQ(countEnding(bottom, "D03*"), 3u);
  EXPECT_FALSE(hasLine(bottom, "X300000Y200000D03*"));  // the blind via
}

TEST(StandinGerber, MasksFlashTheirSidesPadsGrownByTheSwell) {
  const auto top = gerber(job(kTopMask, {standin::kClassPad, standin::kClassVias}));
  EXPECT_TRUE(hasAperture(top, "C,1.9000")) << "1.7 pad + 2 x 0.1";
  EXPECT_TRUE(hasAperture(top, "R,1.7000X0.8000"));
  EXPECT_FALSE(hasAperture(top, "C,1.7000"));
  EXPECT_FALSE(hasLine(top, "X500000Y100000D03*"));  // bottom surface pad
  EXPECT_TRUE(hasLine(top, "X300000Y200000D03*"));   // blind via reaches the top
  const auto bottom = gerber(job(kBotMask, {standin::kClassPad, standin::kClassVias}));
  EXPECT_TRUE(hasLine(bottom, "X500000Y100000D03*"));
  EXPECT_FALSE(hasLine(bottom, "X350000Y300000D03*"));  // top surface pad
  EXPECT_FALSE(hasLine(bottom, "X300000Y200000D03*"));  // blind via stops at Inner
}

TEST(StandinGerber, HolesArePunchedOutOfCopperWithClearPolarity) {
  const auto ls =
      gerber(job(kTop, {standin::kClassPad, standin::kClassPvHoles, standin::kClassNoMtHole}));
  auto clear = std::find(ls.begin(), ls.end(), "%LPC*%");
  ASSERT_NE(clear, ls.end());
  EXPECT_TRUE(std::find(clear, ls.end(), "X40000Y40000D03*") != ls.end());  // the non-plated hole
  EXPECT_TRUE(hasAperture(ls, "C,1.0000"));
}

TEST(StandinGerber, TextsFollowTheirKindsChecks) {
  const auto none = gerber(job(kTopSilk));
  const auto refdes = gerber(job(kTopSilk, {standin::kClassRefDes}));
  const auto all =
      gerber(job(kTopSilk, {standin::kClassRefDes, standin::kClassValue, standin::kClassTitles}));
  EXPECT_EQ(countEnding(none, "D01*"), 0u);
  EXPECT_GT(countEnding(refdes, "D01*"), 0u);
  EXPECT_GT(countEnding(all, "D01*"), countEnding(refdes, "D01*"));
  // The stroke width follows the height: 1.2 mm text, 0.144 mm strokes.
  EXPECT_TRUE(hasLine(refdes, "%ADD10C,0.1440*%"));
  // Type texts are not on this board: checking Tipe alone adds nothing.
  EXPECT_EQ(countEnding(gerber(job(kTopSilk, {standin::kClassTipe})), "D01*"), 0u);
}

TEST(StandinGerber, OutlineIsAClosedPathOnTheBoardLayerOnly) {
  const auto ls = gerber(job(kOutline));
  EXPECT_TRUE(hasLine(ls, "%ADD10C,0.1500*%"));
  EXPECT_EQ(countEnding(ls, "D02*"), 1u);
  EXPECT_EQ(countEnding(ls, "D01*"), 4u);
  auto start = std::find(ls.begin(), ls.end(), "X0Y0D02*");
  ASSERT_NE(start, ls.end());
  EXPECT_EQ(*(start + 4), "X0Y0D01*");
  EXPECT_EQ(countEnding(gerber(job(kTop)), "X0Y0D02*"), 0u);
}

TEST(StandinGerber, OffsetsUnitsAndMirrorChangeCoordinates) {
  GerberJob j = job(kTop);
  j.offset = {1.5, -2};
  auto ls = gerber(j);
  EXPECT_TRUE(hasLine(ls, "X115000Y80000D02*"));
  j.units = OutputUnits::Inch;
  ls = gerber(j);
  EXPECT_TRUE(hasLine(ls, "%MOIN*%"));
  EXPECT_TRUE(hasLine(ls, "%ADD10C,0.00984*%"));  // 0.25 mm
  EXPECT_TRUE(hasLine(ls, "X4528Y3150D02*"));     // 11.5 mm, 8 mm
  j = job(kTop, {standin::kClassMirror});
  ls = gerber(j);
  EXPECT_TRUE(hasLine(ls, "X500000Y100000D02*"));  // 10 mm mirrored about x = 30 mm
}

TEST(StandinGerber, LayerRecordsCannotBeBrokenByTheLayerName) {
  EXPECT_EQ(standin::gerberLayerName(L"Inner|50%"), "Inner|50_");
  EXPECT_EQ(standin::gerberLayerName(L"a*b\tc"), "a_b_c");
  EXPECT_EQ(standin::gerberLayerName(L"Сигнал"),
            "\xD0\xA1\xD0\xB8\xD0\xB3\xD0\xBD\xD0\xB0\xD0\xBB");
}

TEST(StandinGerber, LayerOutsideTheBoardIsRefused) {
  EXPECT_THROW(standin::writeGerber(board(), job(-1)), std::out_of_range);
  EXPECT_THROW(standin::writeGerber(board(), job(8)), std::out_of_range);
}

// ---------------------------------------------------------------------------

bool thirdFromEndIsPercent(const std::vector<std::string>& ls) {
  return ls.size() >= 3 && ls[ls.size() - 3] == "%";
}

TEST(StandinDrill, PercentIsThirdFromTheEndExactlyWhenNoHoles) {
  const auto empty = drill({kInner, kGnd});
  EXPECT_TRUE(thirdFromEndIsPercent(empty));
  EXPECT_EQ(empty.front(), "M48");
  EXPECT_EQ(empty.back(), "M30");
  EXPECT_FALSE(thirdFromEndIsPercent(drill({kTop, kInner})));  // one blind via
  EXPECT_FALSE(thirdFromEndIsPercent(drill({kTop, kInner, kGnd, kBottom})));
  EXPECT_FALSE(thirdFromEndIsPercent(drill({})));
  Board bare = standin::parseBoard(L"layer \"Top\" \"SEA\"\nlayer \"Bottom\" \"SEA\"\n");
  EXPECT_TRUE(thirdFromEndIsPercent(lines(standin::writeDrill(bare, DrillJob{}))));
}

TEST(StandinDrill, BlindViaOnlyInItsOwnPairAndBareHolesOnlyThrough) {
  const auto blind = drill({kTop, kInner});
  EXPECT_TRUE(hasLine(blind, "X30.000Y20.000"));
  EXPECT_FALSE(hasLine(blind, "X20.000Y10.000"));
  EXPECT_FALSE(hasLine(blind, "X4.000Y4.000"));
  const auto through = drill({kTop, kInner, kGnd, kBottom});
  EXPECT_FALSE(hasLine(through, "X30.000Y20.000"));
  EXPECT_TRUE(hasLine(through, "X20.000Y10.000"));
  EXPECT_TRUE(hasLine(through, "X10.000Y10.000"));
  EXPECT_TRUE(hasLine(through, "X4.000Y4.000"));
  // The span given bottom first is the same span.
  EXPECT_TRUE(hasLine(drill({kBottom, kGnd, kInner, kTop}), "X20.000Y10.000"));
  // Surface pads are never drilled; the single file holds every hole.
  const auto all = drill({});
  EXPECT_EQ(countStarting(all, "X"), 4u);
  EXPECT_FALSE(hasLine(all, "X35.000Y30.000"));
}

TEST(StandinDrill, ToolsAreNumberedBySizeAndHitsFollowTheirTool) {
  const auto all = drill({});
  std::vector<std::string> tools;
  for (const std::string& l : all)
    if (l.size() > 4 && l[0] == 'T' && l[3] == 'C') tools.push_back(l);
  EXPECT_EQ(tools, (std::vector<std::string>{"T01C0.250", "T02C0.300", "T03C1.000", "T04C3.000"}));
  auto t04 = std::find(all.begin(), all.end(), "T04");
  ASSERT_NE(t04, all.end());
  EXPECT_EQ(*(t04 + 1), "X4.000Y4.000");
  EXPECT_TRUE(hasLine(all, "METRIC,TZ"));
}

TEST(StandinDrill, EveryFileCarriesTheBoardsToolTableAndSelectsOnlyItsTools) {
  const auto blind = drill({kTop, kInner});
  const auto empty = drill({kInner, kGnd});
  for (const auto& ls : {blind, empty}) {
    EXPECT_TRUE(hasLine(ls, "T01C0.250"));
    EXPECT_TRUE(hasLine(ls, "T04C3.000"));
  }
  EXPECT_TRUE(hasLine(blind, "T01"));
  EXPECT_FALSE(hasLine(blind, "T02"));
  EXPECT_FALSE(hasLine(empty, "T01"));
}

TEST(StandinDrill, OffsetsAndInchUnits) {
  DrillJob j;
  j.offset = {1, -1};
  j.units = OutputUnits::Inch;
  const auto ls = lines(standin::writeDrill(board(), j));
  EXPECT_TRUE(hasLine(ls, "INCH,TZ"));
  EXPECT_TRUE(hasLine(ls, "X0.1969Y0.1181"));  // hole at 4, 4 moved to 5, 3 mm
}

// ---------------------------------------------------------------------------

TEST(StandinOutputTexts, LengthsTakeTheirUnitOrTheDialogsUnits) {
  using standin::parseLength;
  EXPECT_DOUBLE_EQ(*parseLength(L"1.5mm", OutputUnits::Inch), 1.5);
  EXPECT_DOUBLE_EQ(*parseLength(L"1.5", OutputUnits::Mm), 1.5);
  EXPECT_DOUBLE_EQ(*parseLength(L" 1 ", OutputUnits::Inch), 25.4);
  EXPECT_DOUBLE_EQ(*parseLength(L"-10mil", OutputUnits::Mm), -0.254);
  EXPECT_DOUBLE_EQ(*parseLength(L"0.5 in", OutputUnits::Mm), 12.7);
  EXPECT_DOUBLE_EQ(*parseLength(L"", OutputUnits::Mm), 0.0);
  EXPECT_FALSE(parseLength(L"abc", OutputUnits::Mm));
  EXPECT_FALSE(parseLength(L"1.5cm", OutputUnits::Mm));
  EXPECT_FALSE(parseLength(L"1,5", OutputUnits::Mm));
  EXPECT_FALSE(parseLength(L"inf", OutputUnits::Mm));
}

TEST(StandinOutputTexts, SpanListsSplitIntoWholeLayerNames) {
  Board b = standin::parseBoard(
      L"layer \"A%B\" \"SEA\"\nlayer \"A\" \"SEA\"\nlayer \"B\" \"SEA\"\nlayer \"C\" "
      L"\"SEA\"\nlayer \"50%\" \"SEA\"\n");
  using standin::parseSpan;
  EXPECT_EQ(*parseSpan(b, L"A%B%C"), (std::vector<int>{0, 3}));
  EXPECT_EQ(*parseSpan(b, L"A%C"), (std::vector<int>{1, 3}));
  EXPECT_EQ(*parseSpan(b, L"C%50%"), (std::vector<int>{3, 4}));
  // "A%B%50%" only splits as "A%B", "50%".
  EXPECT_EQ(*parseSpan(b, L"A%B%50%"), (std::vector<int>{0, 4}));
  EXPECT_TRUE(parseSpan(b, L"")->empty());
  EXPECT_FALSE(parseSpan(b, L"A%D"));
  EXPECT_FALSE(parseSpan(b, L"A%"));
  EXPECT_FALSE(parseSpan(b, L"a%c"));
}

TEST(StandinOutputTexts, LayerRolesAndSides) {
  const Board b = board();
  EXPECT_EQ(standin::layerRole(b.layers[kGnd]), standin::LayerRole::Metal);
  EXPECT_EQ(standin::layerRole(b.layers[kBotMask]), standin::LayerRole::Mask);
  EXPECT_EQ(standin::layerRole(b.layers[kTopSilk]), standin::LayerRole::Silk);
  EXPECT_EQ(standin::layerRole(b.layers[kOutline]), standin::LayerRole::Outline);
  EXPECT_EQ(standin::layerSide(b.layers[kBotMask]), standin::Side::Bottom);
  EXPECT_EQ(standin::firstMetalLayer(b), kTop);
  EXPECT_EQ(standin::lastMetalLayer(b), kBottom);
}

}  // namespace
