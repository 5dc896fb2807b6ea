// Layer records: the editor layer class of a type text, the CAM layer type
// groups and the ordering of the records.
#include <gtest/gtest.h>

#include "layers/layer_model.h"

namespace {

struct EditorLayer {
  std::wstring name;
  std::wstring tipe;
};

class LayerModelTest : public ::testing::Test {
 protected:
  std::vector<std::wstring> namesAfterSort(const std::vector<EditorLayer>& list) {
    rows.clear();
    for (const EditorLayer& l : list) layers::addEditorLayer(rows, l.name, l.tipe);
    layers::sortForTable(rows);
    std::vector<std::wstring> names;
    for (const layers::LayerRow& l : rows) names.push_back(l.editor.name);
    return names;
  }
  std::vector<layers::LayerRow> rows;
};

}  // namespace

TEST_F(LayerModelTest, LayerClassOfTypeText) {
  const std::pair<const wchar_t*, int> cases[] = {
      {L"SEA", 1}, {L"SEV", 1},  {L"SEH", 1},   {L"PE ", 2}, {L"NE ", 3},   {L"PE", -1},
      {L"NE", -1}, {L"sea", -1}, {L"SEA ", -1}, {L"", -1},   {L" PE ", -1}, {L"XYZ", -1}};
  for (auto [tipe, expected] : cases) EXPECT_EQ(layers::layerClassOf(tipe), expected) << tipe;
}

TEST_F(LayerModelTest, AddEditorLayerAppendsARecordWithoutControls) {
  layers::addEditorLayer(rows, L"Top", L"SEA");
  layers::addEditorLayer(rows, L"Weird", L"sea");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].editor.name, L"Top");
  EXPECT_EQ(rows[0].editor.layerClass, 1);
  EXPECT_EQ(rows[1].editor.layerClass, -1);
  for (const layers::LayerRow& l : rows) {
    EXPECT_FALSE(l.exportBox);
    EXPECT_FALSE(l.cam.typeBox);
    for (int k = 0; k < layers::kObjectClassCount; ++k) EXPECT_EQ(l.editor.box(k), nullptr);
    EXPECT_FALSE(l.exported());
    EXPECT_EQ(l.camType(), -1);
    EXPECT_EQ(l.sortKey, 0);
    EXPECT_TRUE(l.gerberPath.empty());
  }
}

TEST_F(LayerModelTest, GroupsOfCamTypes) {
  std::vector<layers::LayerGroup> expected(20, layers::LayerGroup::Other);
  for (int t : {0, 1, 2, 3, 11}) expected[t] = layers::LayerGroup::Metal;
  for (int t : {8, 9}) expected[t] = layers::LayerGroup::Mask;
  for (int t : {6, 7}) expected[t] = layers::LayerGroup::Silk;
  for (int t = 0; t < 20; ++t) EXPECT_EQ(layers::groupOf(t), expected[t]) << t;
  EXPECT_EQ(layers::groupOf(-1), layers::LayerGroup::Other);
}

TEST_F(LayerModelTest, ObjectClassNamesAndBoxesMatchInColumnOrder) {
  const wchar_t* expected[] = {L"Pad",  L"Vias",  L"PVHoles", L"NoMtHole", L"RefDes",
                               L"Tipe", L"Value", L"Mirror",  L"Titles"};
  layers::EditorLayer pcad;
  for (int k = 0; k < layers::kObjectClassCount; ++k) {
    EXPECT_EQ(std::wstring(layers::kObjectClassNames[k]), expected[k]);
    pcad.boxRef(k) = std::make_shared<widgets::CheckBox>();
  }
  widgets::CheckBox* fields[] = {pcad.pad.get(),      pcad.vias.get(),   pcad.pvHoles.get(),
                                 pcad.noMtHole.get(), pcad.refDes.get(), pcad.componentType.get(),
                                 pcad.value.get(),    pcad.mirror.get(), pcad.titles.get()};
  for (int k = 0; k < layers::kObjectClassCount; ++k) {
    EXPECT_EQ(pcad.box(k), fields[k]) << k;
    for (int m = 0; m < k; ++m) EXPECT_NE(fields[m], fields[k]);
  }
  EXPECT_EQ(pcad.box(9), nullptr);
  EXPECT_EQ(pcad.box(-1), nullptr);
}

TEST_F(LayerModelTest, SortForTableOrders) {
  struct Case {
    const char* what;
    std::vector<EditorLayer> input;
    std::vector<std::wstring> expected;
  };
  const Case cases[] = {
      {"empty list", {}, {}},
      {"typical board",
       {{L"Bottom", L"SEA"},
        {L"Top Silk", L"NE "},
        {L"Board", L"NE "},
        {L"Inner1", L"SEV"},
        {L"Top", L"SEA"},
        {L"Bot Mask", L"NE "},
        {L"GND", L"PE "},
        {L"Top Mask", L"NE "},
        {L"Bot Silk", L"NE "},
        {L"Notes", L"NE "}},
       {L"Top", L"Inner1", L"GND", L"Bottom", L"Top Mask", L"Bot Mask", L"Top Silk", L"Bot Silk",
        L"Board", L"Notes"}},
      {"names compare case-sensitively and without trimming",
       {{L"top", L"SEA"},
        {L"Top ", L"SEA"},
        {L"TOP", L"SEA"},
        {L"Top", L"SEA"},
        {L"bottom", L"SEA"}},
       {L"Top", L"top", L"Top ", L"TOP", L"bottom"}},
      {"a plane named Top sorts by position, a non-signal Top sorts last",
       {{L"A", L"SEA"},
        {L"Top", L"PE "},
        {L"Top", L"NE "},
        {L"Bottom", L"SEA"},
        {L"Board", L"NE "}},
       {L"A", L"Top", L"Bottom", L"Board", L"Top"}},
      {"two Top Mask keep the editor order",
       {{L"Top Mask", L"NE "}, {L"X", L"SEA"}, {L"Top Mask", L"NE "}},
       {L"X", L"Top Mask", L"Top Mask"}},
      {"only non-signal and unclassified layers",
       {{L"Other", L"NE "},
        {L"Board", L"NE "},
        {L"Strange", L"sea"},
        {L"Bot Silk", L"NE "},
        {L"Top Mask", L"NE "},
        {L"Mask", L"NE "}},
       {L"Top Mask", L"Bot Silk", L"Board", L"Other", L"Strange", L"Mask"}},
      {"the five-row example",
       {{L"Board", L"NE "},
        {L"A", L"SEA"},
        {L"Top Silk", L"NE "},
        {L"B", L"PE "},
        {L"Top", L"SEA"}},
       {L"Top", L"A", L"B", L"Top Silk", L"Board"}},
      {"unclassified layers keep their order among the last",
       {{L"U1", L"PE"}, {L"N1", L"NE "}, {L"U2", L"xx"}, {L"Top", L"SEH"}},
       {L"Top", L"U1", L"N1", L"U2"}},
  };
  for (const Case& c : cases) EXPECT_EQ(namesAfterSort(c.input), c.expected) << c.what;
}

TEST_F(LayerModelTest, SortKeys) {
  namesAfterSort({{L"Top", L"SEA"},
                  {L"In", L"SEA"},
                  {L"P", L"PE "},
                  {L"Bottom", L"SEA"},
                  {L"Top Mask", L"NE "},
                  {L"Bot Mask", L"NE "},
                  {L"Top Silk", L"NE "},
                  {L"Bot Silk", L"NE "},
                  {L"Board", L"NE "},
                  {L"x", L"NE "},
                  {L"u", L""}});
  std::vector<int> keys;
  for (const layers::LayerRow& l : rows) keys.push_back(l.sortKey);
  EXPECT_EQ(keys, (std::vector<int>{0, 2, 3, 1000, 1001, 1002, 1003, 1004, 1005, 1006, 1006}));
}

TEST_F(LayerModelTest, SignalLayerAtPosition999TiesWithBottom) {
  // Position p gets key p + 1: below 999 it sorts before "Bottom", at 999
  // it ties with it and the editor order decides.
  for (bool bottomFirst : {true, false}) {
    std::vector<EditorLayer> list;
    if (bottomFirst) list.push_back({L"Bottom", L"SEA"});
    while (list.size() < 999) list.push_back({L"Fill", L"NE "});
    list.push_back({L"Late", L"SEA"});   // position 999, key 1000
    list.push_back({L"Later", L"SEA"});  // position 1000, key 1001
    if (!bottomFirst) list.push_back({L"Bottom", L"SEA"});
    std::vector<std::wstring> names = namesAfterSort(list);
    ASSERT_GE(names.size(), 3u);
    if (bottomFirst)
      EXPECT_EQ(std::vector<std::wstring>(names.begin(), names.begin() + 2),
                (std::vector<std::wstring>{L"Bottom", L"Late"}));
    else
      EXPECT_EQ(std::vector<std::wstring>(names.begin(), names.begin() + 2),
                (std::vector<std::wstring>{L"Late", L"Bottom"}));
    EXPECT_EQ(names[2], L"Later") << "key 1001 ties with Top Mask's, never precedes Bottom";
  }
}

TEST_F(LayerModelTest, SortForTableMovesWholeRecords) {
  layers::addEditorLayer(rows, L"Bottom", L"SEA");
  layers::addEditorLayer(rows, L"Top", L"SEA");
  rows[0].gerberPath = L"b.gbr";
  auto box = std::make_shared<widgets::CheckBox>();
  rows[0].editor.pad = box;
  layers::sortForTable(rows);
  EXPECT_EQ(rows[1].editor.name, L"Bottom");
  EXPECT_EQ(rows[1].gerberPath, L"b.gbr");
  EXPECT_EQ(rows[1].editor.pad, box);
  EXPECT_EQ(rows[1].sortKey, 1000);
  EXPECT_EQ(rows[0].sortKey, 0);
}
