// Building the layer table: grid layout, row controls, presets from the
// editor class and the [layers] section, colour pieces, and a section too
// short for the presets.
#include "layer_table_fixture.h"

#include "base/error.h"

namespace {
const int kBoxesPadVias = 0b000000011;
const int kBoxesPad = 0b000000001;
const int kBoxesRefDes = 0b000010000;

int boxBits(const layers::LayerRow& l) {
  int bits = 0;
  for (int k = 0; k < layers::kObjectClassCount; ++k)
    if (l.editor.box(k)->checked()) bits |= 1 << k;
  return bits;
}
}  // namespace

TEST_F(LayerTableTest, GridLayoutHeadersWidthsAndPlacedControls) {
  build(standardBoard());
  const widgets::GridModel& grid = form.grid;
  ASSERT_EQ(grid.colCount(), 16);
  ASSERT_EQ(grid.rowCount(), 11);
  // Column by column: header and width in pixels, then what each row shows.
  const std::pair<const wchar_t*, int> columns[16] = {{L"", 20},
                                                      {L"Ex", 20},
                                                      {L"Layer (pcad)", 80},
                                                      {L"Layer type(cam)", 120},
                                                      {L"Flash color", 40},
                                                      {L"Line color", 40},
                                                      {L"Pa", 20},
                                                      {L"Vi", 20},
                                                      {L"PV", 20},
                                                      {L"NH", 20},
                                                      {L"RD", 21},
                                                      {L"Ty", 20},
                                                      {L"Va", 20},
                                                      {L"Mi", 20},
                                                      {L"Ti", 20},
                                                      {L"Id", 30}};
  for (int c = 0; c < 16; ++c) {
    EXPECT_EQ(grid.cell(c, 0), columns[c].first) << c;
    EXPECT_EQ(grid.colWidth(c), columns[c].second) << c;
  }
  for (size_t i = 0; i < form.rows.size(); ++i) {
    const int r = static_cast<int>(i) + 1;
    const layers::LayerRow& l = form.rows[i];
    const layers::EditorLayer& p = l.editor;
    const layers::CamLayer& c = l.cam;
    const widgets::Control* shown[16] = {
        nullptr,          l.exportBox.get(),   nullptr,
        c.typeBox.get(),  c.flashColour.get(), c.lineColour.get(),
        p.pad.get(),      p.vias.get(),        p.pvHoles.get(),
        p.noMtHole.get(), p.refDes.get(),      p.componentType.get(),
        p.value.get(),    p.mirror.get(),      p.titles.get(),
        nullptr};
    for (int col = 0; col < 16; ++col)
      EXPECT_EQ(grid.control(col, r), shown[col]) << col << ", " << r;
    EXPECT_EQ(grid.cell(0, r), L"");
    EXPECT_EQ(grid.cell(2, r), l.editor.name);
    EXPECT_EQ(grid.cell(15, r), std::to_wstring(i));
    EXPECT_EQ(l.cam.typeBox->items().size(), 12u);
    EXPECT_EQ(l.cam.flashColour->items().size(), 16u);
    EXPECT_EQ(l.cam.lineColour->items().size(), 16u);
    EXPECT_FALSE(l.exported()) << "nothing is exported until a code or a click";
  }
  EXPECT_EQ(markedCells(), 0);
}

TEST_F(LayerTableTest, FiveRowOrderingExample) {
  build({{L"Board", L"NE "},
         {L"A", L"SEA"},
         {L"Top Silk", L"NE "},
         {L"B", L"PE "},
         {L"Top", L"SEA"}});
  const wchar_t* expected[] = {L"Top", L"A", L"B", L"Top Silk", L"Board"};
  for (int r = 1; r <= 5; ++r) {
    EXPECT_EQ(form.grid.cell(layers::kColName, r), expected[r - 1]);
    EXPECT_EQ(form.grid.cell(layers::kColId, r), std::to_wstring(r - 1));
  }
}

TEST_F(LayerTableTest, RowPresetsByClassAndName) {
  struct Case {
    EditorLayerLine line;
    int type;
    int key;  // -1: no colours
    int boxes;
  };
  const Case cases[] = {
      {{L"Top", L"SEA"}, 0, 0, kBoxesPadVias},
      {{L"Bottom", L"SEV"}, 3, 3, kBoxesPadVias},
      {{L"Inner", L"SEH"}, 1, 1, kBoxesPadVias},
      {{L"top", L"SEA"}, 1, 1, kBoxesPadVias},
      {{L"Top", L"PE "}, 2, 2, kBoxesPadVias},
      {{L"Top Mask", L"NE "}, 8, 8, kBoxesPad},
      {{L"Bot Mask", L"NE "}, 9, 9, kBoxesPad},
      {{L"Top Silk", L"NE "}, 6, 6, kBoxesRefDes},
      {{L"Bot Silk", L"NE "}, 7, 7, kBoxesRefDes},
      {{L"Board", L"NE "}, 5, 5, 0},
      {{L"Top", L"NE "}, -1, 4, 0},
      {{L"Drawing", L"NE "}, -1, 4, 0},
      {{L"Board", L"SEA"}, 1, 1, kBoxesPadVias},
      {{L"Top", L"PE"}, -1, -1, 0},
      {{L"Top Mask", L"ne "}, -1, -1, 0},
  };
  for (const Case& c : cases) {
    layers::LayerTableModel fresh;
    std::vector<std::wstring> keys;
    for (const auto& kv : standardSection()) keys.push_back(kv.first);
    layers::addEditorLayer(fresh.rows, c.line.name, c.line.tipe);
    layers::buildLayerTable(fresh, keys, [](const std::wstring& key) {
      for (const auto& kv : standardSection())
        if (kv.first == key) return kv.second;
      return std::wstring();
    });
    const layers::LayerRow& l = fresh.rows[0];
    SCOPED_TRACE(testing::Message()
                 << "layer " << std::string(c.line.name.begin(), c.line.name.end()));
    EXPECT_EQ(l.camType(), c.type);
    EXPECT_EQ(l.cam.flashColour->itemIndex(), c.key);
    EXPECT_EQ(l.cam.lineColour->itemIndex(), c.key < 0 ? -1 : 15 - c.key);
    EXPECT_EQ(boxBits(l), c.boxes);
    EXPECT_EQ(fresh.grid.cell(layers::kColId, 1), L"0");
    int marks = 0;
    for (int col = 6; col <= 14; ++col) marks += fresh.grid.cellColour(col, 1) ? 1 : 0;
    EXPECT_EQ(marks, 0);
  }
}

TEST_F(LayerTableTest, ColourPieces) {
  struct Case {
    const wchar_t* value;
    int flash;
    int line;
  };
  // clang-format off
  const Case cases[] = {
      {L"21,6,6", 6, 6},
      {L"0,1,2,3", 1, 2},
      {L"21,6", -1, -1},     // no piece 2: no colour
      {L"21,x,3", -1, 3},    // bad piece 1: only the line colour
      {L"21,3,x", -1, -1},   // bad piece 2 ends the step first
      {L"21,,6", -1, -1},    // empty piece dropped: two pieces
      {L",,21,4,5", 4, 5},   // leading empty pieces dropped too
      {L"21,,4,,5,", 4, 5},
      {L"21,16,3", -1, 3},   // outside the palette: no choice
      {L"21,3,16", 3, -1},
      {L"21,-1,15", -1, 15},
      {L"21, 6,6", 6, 6},    // a leading blank is skipped
      {L"21,6 ,6", -1, 6},   // a trailing one is not trimmed
      {L"21,6,6 ", -1, -1},
      {L"21,+7,0", 7, 0},
      {L"", -1, -1},
      {L"7", -1, -1},
  };
  // clang-format on

  for (const Case& c : cases) {
    layers::LayerTableModel fresh;
    layers::addEditorLayer(fresh.rows, L"Top", L"SEA");
    layers::buildLayerTable(fresh, {L"T"}, [&](auto&) { return std::wstring(c.value); });
    EXPECT_EQ(fresh.rows[0].cam.flashColour->itemIndex(), c.flash) << c.value;
    EXPECT_EQ(fresh.rows[0].cam.lineColour->itemIndex(), c.line) << c.value;
    EXPECT_EQ(fresh.rows[0].camType(), 0);
  }
}

TEST_F(LayerTableTest, MissingKeyValueLeavesColoursUnchosen) {
  build({{L"Top", L"SEA"}}, {{L"T0", L""}});
  EXPECT_EQ(form.rows[0].camType(), 0);
  EXPECT_EQ(form.rows[0].cam.flashColour->itemIndex(), -1);
  EXPECT_EQ(form.rows[0].cam.lineColour->itemIndex(), -1);
}

TEST_F(LayerTableTest, UnclassifiedLayerGetsARowButNoPreset) {
  std::vector<std::pair<std::wstring, std::wstring>> section;
  for (int k = 0; k < 20; ++k) section.emplace_back(L"K" + std::to_wstring(k), L"a,1,1");
  build({{L"Odd", L"XX"}, {L"Top", L"SEA"}}, section);
  const layers::LayerRow& odd = layer(L"Odd");
  EXPECT_EQ(rowOf(L"Odd"), 2);
  EXPECT_EQ(form.grid.cell(layers::kColId, 2), L"1");
  EXPECT_EQ(odd.cam.typeBox->items().size(), 20u);
  EXPECT_EQ(odd.cam.typeBox->items()[19], L"K19");
  EXPECT_EQ(odd.camType(), -1);
  EXPECT_EQ(odd.cam.flashColour->itemIndex(), -1);
  EXPECT_EQ(odd.cam.lineColour->itemIndex(), -1);
  EXPECT_EQ(boxBits(odd), 0);
  EXPECT_EQ(form.grid.control(layers::kColExport, 2), odd.exportBox.get());
}

TEST_F(LayerTableTest, ShortOrNoTypeListStillPlacesEveryRow) {
  // Sorted: Top (key 0), In (1), Bottom (3), Top Mask (8), Board (5). A row
  // whose key the list lacks gets its object classes but no type or colours.
  const struct {
    size_t keys;
    std::vector<bool> typed;  // per sorted row
  } cases[] = {{6, {true, true, true, false, true}}, {0, {false, false, false, false, false}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    layers::LayerTableModel table;
    for (const wchar_t* name : {L"Board", L"Top Mask"})
      layers::addEditorLayer(table.rows, name, L"NE ");
    for (const wchar_t* name : {L"Bottom", L"In", L"Top"})
      layers::addEditorLayer(table.rows, name, L"SEA");
    std::vector<std::wstring> keys;
    for (size_t k = 0; k < c.keys; ++k) keys.push_back(L"K" + std::to_wstring(k));
    layers::buildLayerTable(table, keys,
                            [](const std::wstring&) { return std::wstring(L"a,2,3"); });
    ASSERT_EQ(table.grid.rowCount(), 6);
    const int classes[] = {kBoxesPadVias, kBoxesPadVias, kBoxesPadVias, 1, 0};
    for (int r = 1; r <= 5; ++r) {
      const layers::LayerRow& l = table.rows[r - 1];
      EXPECT_EQ(table.grid.cell(layers::kColId, r), std::to_wstring(r - 1));
      EXPECT_EQ(table.grid.control(layers::kColType, r), l.cam.typeBox.get());
      EXPECT_EQ(l.camType() != -1, c.typed[r - 1]) << r;
      EXPECT_EQ(l.cam.flashColour->itemIndex(), c.typed[r - 1] ? 2 : -1) << r;
      EXPECT_EQ(boxBits(l), classes[r - 1]) << r;
      EXPECT_TRUE(l.editor.pad->onClick()) << "every row's boxes are bound";
    }
  }
}

TEST_F(LayerTableTest, EmptyLayerListGivesOnlyTheHeader) {
  build({});
  EXPECT_EQ(form.grid.rowCount(), 1);
  EXPECT_EQ(form.grid.cell(layers::kColId, 0), L"Id");
}

TEST_F(LayerTableTest, RecordOfRowFollowsTheIdCell) {
  build(standardBoard());
  widgets::GridModel& grid = form.grid;
  grid.moveRow(1, 5);
  EXPECT_EQ(layers::recordOfRow(form, 5), 0);
  EXPECT_EQ(layers::recordOfRow(form, 1), 1);
  EXPECT_EQ(layers::recordOfRow(form, 0), -1) << "header";
  EXPECT_EQ(layers::recordOfRow(form, 99), -1);
  grid.setCell(layers::kColId, 2, L"99");
  EXPECT_EQ(layers::recordOfRow(form, 2), -1);
}
