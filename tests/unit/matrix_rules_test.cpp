// Object-class matrix: deviation marks by type group and vias switch, the
// presets of a type change, the vias switch itself, and rows found through
// the "Id" column after they were moved.
#include "layer_table_fixture.h"

#include "layers/matrix_rules.h"

namespace {

constexpr int kPad = 0, kVias = 1, kRefDes = 4;

}  // namespace

TEST_F(LayerTableTest, MarksFollowTheExpectedStatesOfEveryGroup) {
  build({{L"Row", L"NE "}}, {20, {L"T", L""}});  // twenty types: every index to 19 is real
  layers::LayerRow& row = form.rows[0];
  // The boxes each type expects checked (bit 0 Pad, 1 Vias, 4 RefDes) with
  // the vias switch off and on: metal 0-3, 11 Pad and Vias; mask 8, 9 Pad,
  // and Vias only while the switch is off; silk 6, 7 RefDes; others none.
  struct Case {
    int type, switchOff, switchOn;
  };
  const Case cases[] = {
      {0, 0b11, 0b11},
      {1, 0b11, 0b11},
      {2, 0b11, 0b11},
      {3, 0b11, 0b11},
      {11, 0b11, 0b11},
      {8, 0b11, 0b01},
      {9, 0b11, 0b01},
      {6, 0b10000, 0b10000},
      {7, 0b10000, 0b10000},
      {-1, 0, 0},
      {4, 0, 0},
      {5, 0, 0},
      {10, 0, 0},
      {12, 0, 0},
      {13, 0, 0},
      {14, 0, 0},
      {15, 0, 0},
      {16, 0, 0},
      {17, 0, 0},
      {18, 0, 0},
      {19, 0, 0},
  };
  for (const Case& c : cases) {
    row.cam.typeBox->setItemIndex(c.type);
    EXPECT_EQ(row.camType(), c.type);
    for (bool covered : {false, true})
      for (int k = 0; k < layers::kObjectClassCount; ++k)
        for (bool checked : {false, true}) {
          form.viasCoveredByMask.detachOnClick();
          form.viasCoveredByMask.setChecked(covered);
          row.editor.box(k)->setChecked(!checked);
          row.editor.box(k)->setChecked(checked);
          const bool expected = ((covered ? c.switchOn : c.switchOff) >> k) & 1;
          EXPECT_EQ(marked(L"Row", k), checked != expected)
              << "type " << c.type << " covered " << covered << " class " << k;
        }
  }
}

TEST_F(LayerTableTest, OnlyTheSendersCellChanges) {
  build(standardBoard());
  layer(L"In1").editor.titles->setChecked(true);
  EXPECT_TRUE(marked(L"In1", 8));
  EXPECT_EQ(markedCells(), 1);
  // A type change re-evaluates only the boxes whose state it changes.
  layer(L"In1").cam.typeBox->setItemIndex(4);
  EXPECT_TRUE(marked(L"In1", 8));
  EXPECT_FALSE(marked(L"In1", kPad)) << "Pad not re-evaluated without a change";
}

TEST_F(LayerTableTest, TypeChangePresets) {
  struct Case {
    int picked;
    int boxes;  // bit k = box k checked afterwards
  };
  const Case cases[] = {{0, 0b11}, {1, 0b11}, {2, 0b11},         {3, 0b11},
                        {4, 0},    {5, 0},    {6, 1 << kRefDes}, {7, 1 << kRefDes},
                        {8, 0b1},  {9, 0b1},  {10, 0},           {11, 0}};
  build({{L"Row", L"NE "}});
  layers::LayerRow& row = form.rows[0];
  for (const Case& c : cases) {
    for (int k = 0; k < layers::kObjectClassCount; ++k) row.editor.box(k)->setChecked(k % 2 == 0);
    row.cam.typeBox->pick(c.picked);
    for (int k = 0; k < layers::kObjectClassCount; ++k)
      EXPECT_EQ(row.editor.box(k)->checked(), ((c.boxes >> k) & 1) != 0)
          << "picked " << c.picked << " box " << k;
  }
}

TEST_F(LayerTableTest, MetalRowWithRefDesPickedAsSilk) {
  build(standardBoard());
  layers::LayerRow& in1 = layer(L"In1");
  in1.editor.refDes->setChecked(true);
  EXPECT_TRUE(marked(L"In1", kRefDes));
  in1.cam.typeBox->pick(6);
  EXPECT_FALSE(in1.editor.pad->checked());
  EXPECT_FALSE(in1.editor.vias->checked());
  EXPECT_FALSE(marked(L"In1", kPad));
  EXPECT_FALSE(marked(L"In1", kVias));
  EXPECT_TRUE(in1.editor.refDes->checked());
  EXPECT_TRUE(marked(L"In1", kRefDes)) << "unchanged box keeps its old mark";
}

TEST_F(LayerTableTest, PickingType11UnchecksPadAndViasAndMarksThem) {
  build(standardBoard());
  layer(L"In1").cam.typeBox->pick(11);
  EXPECT_FALSE(layer(L"In1").editor.pad->checked());
  EXPECT_TRUE(marked(L"In1", kPad));
  EXPECT_TRUE(marked(L"In1", kVias));
  EXPECT_EQ(markedCells(), 2);
}

TEST_F(LayerTableTest, PickingMaskTypeForAMetalRowDependsOnTheViasSwitch) {
  build({{L"Off", L"SEA"}, {L"On", L"SEA"}});
  for (bool covered : {false, true}) {
    const std::wstring name = covered ? L"On" : L"Off";
    form.viasCoveredByMask.setChecked(covered);
    layer(name).cam.typeBox->pick(8);
    EXPECT_FALSE(layer(name).editor.vias->checked());
    EXPECT_EQ(marked(name, kVias), !covered);
    EXPECT_FALSE(marked(name, kPad));
  }
}

TEST_F(LayerTableTest, ViasSwitchAndApplyingIt) {
  build(standardBoard());
  layers::LayerRow& topMask = layer(L"Top Mask");
  layers::LayerRow& botMask = layer(L"Bot Mask");
  topMask.exportBox->detachOnClick();
  topMask.exportBox->setChecked(true);  // exported; Bot Mask is not
  // Unchecking the switch checks Vias on every mask row, exported or not.
  form.viasCoveredByMask.setChecked(false);
  EXPECT_TRUE(topMask.editor.vias->checked());
  EXPECT_TRUE(botMask.editor.vias->checked());
  EXPECT_FALSE(marked(L"Top Mask", kVias));
  EXPECT_FALSE(layer(L"Top").editor.refDes->checked());
  EXPECT_TRUE(layer(L"Top").editor.vias->checked()) << "metal rows untouched";
  // With the switch set again without its handler, layers::applyViasSwitch changes only
  // the exported mask row.
  form.viasCoveredByMask.detachOnClick();
  form.viasCoveredByMask.setChecked(true);
  EXPECT_TRUE(marked(L"Top Mask", kVias) == false);
  layers::applyViasSwitch(form);
  EXPECT_FALSE(topMask.editor.vias->checked());
  EXPECT_TRUE(botMask.editor.vias->checked());
  EXPECT_FALSE(marked(L"Top Mask", kVias));
  EXPECT_FALSE(marked(L"Bot Mask", kVias)) << "not re-evaluated: its box did not change";
  // Checking the switch through its handler unchecks Vias of every mask row.
  layers::bindViasSwitch(form);
  form.viasCoveredByMask.setChecked(false);
  form.viasCoveredByMask.setChecked(true);
  EXPECT_FALSE(botMask.editor.vias->checked());
}

TEST_F(LayerTableTest, FindClassBoxFindsRecordClassAndCell) {
  build(standardBoard());
  const int gndRow = rowOf(L"GND");
  layers::ClassBoxPlace where = layers::findClassBox(form, layer(L"GND").editor.noMtHole.get());
  EXPECT_EQ(where.index, gndRow - 1);
  EXPECT_EQ(where.className, L"NoMtHole");
  EXPECT_EQ(where.col, 9);
  EXPECT_EQ(where.row, gndRow);

  widgets::CheckBox stranger;
  for (const widgets::CheckBox* box :
       {&stranger, layer(L"GND").exportBox.get(), static_cast<widgets::CheckBox*>(nullptr)}) {
    layers::ClassBoxPlace none = layers::findClassBox(form, box);
    EXPECT_EQ(none.index, -1);
    EXPECT_EQ(none.className, L"");
    EXPECT_EQ(none.col, -1);
    EXPECT_EQ(none.row, -1);
  }
  stranger.setOnClick([this](widgets::CheckBox& s) { layers::onClassBoxClick(form, s); });
  stranger.setChecked(true);
  EXPECT_EQ(markedCells(), 0);
}

TEST_F(LayerTableTest, MarkCellMarksAndClears) {
  build(standardBoard());
  layers::markCell(form, 7, 2, true);
  EXPECT_EQ(form.grid.cellColour(7, 2), std::optional<uint32_t>(0xFF0000));
  layers::markCell(form, 7, 2, false);
  EXPECT_FALSE(form.grid.cellColour(7, 2).has_value());
}

TEST_F(LayerTableTest, MovedRowsStillMarkTheirOwnCells) {
  build(standardBoard());
  widgets::GridModel& grid = form.grid;
  grid.moveRow(1, 6);  // "Top" goes down
  grid.moveRow(9, 2);
  ASSERT_EQ(rowOf(L"Top"), 7);
  layer(L"Top").editor.mirror->setChecked(true);
  EXPECT_EQ(grid.cellColour(layers::kColFirstClass + 7, 7), std::optional<uint32_t>(0xFF0000));
  EXPECT_EQ(markedCells(), 1);
  // Each row's controls travelled with it.
  for (int r = 1; r < grid.rowCount(); ++r) {
    const layers::LayerRow& l = form.rows[static_cast<size_t>(layers::recordOfRow(form, r))];
    EXPECT_EQ(grid.cell(layers::kColName, r), l.editor.name);
    EXPECT_EQ(grid.control(layers::kColFirstClass, r), l.editor.pad.get());
  }
  layer(L"Board").cam.typeBox->pick(0);
  const int boardRow = rowOf(L"Board");
  EXPECT_FALSE(grid.cellColour(layers::kColFirstClass, boardRow).has_value());
  layer(L"Board").editor.pad->setChecked(false);
  EXPECT_TRUE(grid.cellColour(layers::kColFirstClass, boardRow).has_value());
}
