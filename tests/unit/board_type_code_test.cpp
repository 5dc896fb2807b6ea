// Board type code: what typing does to the text, applying a complete code,
// the export box click with and without the binding switch, and the vias of
// exported mask rows after each of them.
#include "layer_table_fixture.h"

#include "base/error.h"
#include "layers/board_type_code.h"

namespace {

std::vector<EditorLayerLine> signalLayers(int count) {
  std::vector<EditorLayerLine> list;
  for (int i = 0; i < count; ++i) list.push_back({L"S" + std::to_wstring(i), L"SEA"});
  return list;
}

using Names = std::vector<std::wstring>;

}  // namespace

class BoardTypeCodeTest : public LayerTableTest {
 protected:
  // Types one key as the edit would: the handler first, then what passes.
  void typeKey(wchar_t key) {
    layers::onBoardTypeCodeKey(form, key);
    std::wstring text = form.boardTypeCode.text();
    if (key == 8 && !text.empty()) text.pop_back();
    if (key == 32) text += L' ';
    if (key != 0) form.boardTypeCode.setText(text);
  }

  void applyCode(const std::wstring& code) {
    form.boardTypeCode.setText(code);
    typeKey(L'\r');
  }

  void click(const std::wstring& name) {
    layers::LayerRow& l = layer(name);
    l.exportBox->setChecked(!l.exportBox->checked());
  }
};

TEST_F(BoardTypeCodeTest, TypingSequences) {
  struct Case {
    int maxMetal;
    std::wstring keys;
    std::vector<std::wstring> texts;  // after each key
  };
  const Case cases[] = {
      {4, L"421", {L"4 ", L"4  2", L"4 2 1"}},
      {4, L"5", {L""}},
      {4, L"17", {L"1 ", L"1 "}},
      {4, L"4 2", {L"4 ", L"4  ", L"4  2"}},
      {4, L"4213", {L"4 ", L"4  2", L"4 2 1", L"4 2 1"}},
      {4, L"0", {L"0 "}},
      {12, L"1532", {L"1", L"1", L"1", L"12 "}},
      {12, L"11", {L"1", L"11 "}},
      {10, L"121", {L"1", L"1 2 ", L"1 2 "}},
      {10, L"12\b1", {L"1", L"1 2 ", L"1 2", L"1 2 1"}},
      {10, L"10", {L"1", L"10 "}},
      {10, L"1", {L"1"}},
      {0, L"0", {L"0 "}},
      {0, L"1", {L""}},
      {4, L"a\rx-", {L"", L"", L"", L""}},
      {4, L"4a2", {L"4 ", L"4 ", L"4  2"}},
  };
  for (const Case& c : cases) {
    form.rows.clear();
    form.boardTypeCode.setText(L"");
    build(signalLayers(c.maxMetal));
    ASSERT_EQ(layers::conductiveLayerCount(form.rows), c.maxMetal);
    for (size_t i = 0; i < c.keys.size(); ++i) {
      typeKey(c.keys[i]);
      EXPECT_EQ(form.boardTypeCode.text(), c.texts[i])
          << "max " << c.maxMetal << " key " << i << " of "
          << std::string(c.keys.begin(), c.keys.end());
    }
  }
}

TEST_F(BoardTypeCodeTest, WhichKeysPass) {
  build(standardBoard());
  const std::pair<wchar_t, bool> cases[] = {{L'3', false},  {L'\b', true}, {L' ', true},
                                            {L'\r', false}, {L'a', false}, {L'\t', false},
                                            {L'-', false},  {L'Ж', false}};
  for (auto [key, passes] : cases) {
    wchar_t k = key;
    layers::onBoardTypeCodeKey(form, k);
    EXPECT_EQ(k, passes ? key : 0) << static_cast<int>(key);
  }
}

TEST_F(BoardTypeCodeTest, OnlyACompleteCodeApplies) {
  build(standardBoard());  // four metal-capable layers
  typeKey(L'4');
  typeKey(L'2');
  EXPECT_TRUE(exportedNames().empty());
  EXPECT_EQ(form.otherLayerCount.text(), L"");
  typeKey(L'1');
  EXPECT_EQ(exportedNames(), (Names{L"Top", L"In1", L"GND", L"Bottom", L"Top Mask", L"Bot Mask",
                                    L"Top Silk", L"Board"}));
  EXPECT_EQ(form.otherLayerCount.text(), L"1");
}

TEST_F(BoardTypeCodeTest, ApplyingCodes) {
  struct Case {
    std::wstring code;
    Names exported;
    std::wstring label;
  };
  const Case cases[] = {
      {L"2 2 2",
       {L"Top", L"Bottom", L"Top Mask", L"Bot Mask", L"Top Silk", L"Bot Silk", L"Board"},
       L"1"},
      {L"3 1 1", {L"Top", L"In1", L"Bottom", L"Top Mask", L"Top Silk", L"Board"}, L"1"},
      {L"1 0 0", {L"Top", L"Board"}, L"1"},
      {L"0 0 0", {L"Board"}, L"1"},
      {L"9 5 5",
       {L"Top", L"In1", L"GND", L"Bottom", L"Top Mask", L"Bot Mask", L"Top Silk", L"Bot Silk",
        L"Board"},
       L"1"},
      {L"  1  0   2 ", {L"Top", L"Top Silk", L"Bot Silk", L"Board"}, L"1"},
      {L"2 2", {}, L""},
      {L"2 2 2 2", {}, L""},
  };
  for (const Case& c : cases) {
    form.rows.clear();
    form.otherLayerCount.setText(L"");
    build(standardBoard());
    applyCode(c.code);
    EXPECT_EQ(exportedNames(), c.exported) << std::string(c.code.begin(), c.code.end());
    EXPECT_EQ(form.otherLayerCount.text(), c.label);
    EXPECT_EQ(form.boardTypeCode.text(), c.code) << "the code is left as typed";
  }
}

TEST_F(BoardTypeCodeTest, EveryBoardRowIsExportedAndCounted) {
  build({{L"Top", L"SEA"}, {L"Board", L"NE "}, {L"Board", L"NE "}, {L"X", L"NE "}});
  layer(L"X").cam.typeBox->setItemIndex(5);
  applyCode(L"0 0 0");
  EXPECT_EQ(exportedNames(), (Names{L"Board", L"Board", L"X"}));
  EXPECT_EQ(form.otherLayerCount.text(), L"3");
}

TEST_F(BoardTypeCodeTest, TypeElevenCountsAsInnerMetal) {
  build(standardBoard());
  layer(L"Notes").cam.typeBox->setItemIndex(11);
  layer(L"In1").cam.typeBox->setItemIndex(4);
  applyCode(L"4 0 0");
  EXPECT_EQ(exportedNames(), (Names{L"Top", L"GND", L"Bottom", L"Board", L"Notes"}));
}

TEST_F(BoardTypeCodeTest, AnyKeyReappliesACompleteCode) {
  build(standardBoard());
  applyCode(L"2 1 1");
  form.bindToType.setChecked(false);
  for (wchar_t key : {L'\r', L'7', L'q'}) {
    click(L"In1");
    click(L"Top");
    ASSERT_EQ(exportedNames(), (Names{L"In1", L"Bottom", L"Top Mask", L"Top Silk", L"Board"}));
    ASSERT_EQ(form.boardTypeCode.text(), L"2 1 1");
    typeKey(key);
    EXPECT_EQ(exportedNames(), (Names{L"Top", L"Bottom", L"Top Mask", L"Top Silk", L"Board"}));
    EXPECT_EQ(form.boardTypeCode.text(), L"2 1 1");
  }
}

TEST_F(BoardTypeCodeTest, PastedNonIntegerFieldRaisesAndChangesNothing) {
  build(standardBoard());
  applyCode(L"1 1 1");
  const Names before = exportedNames();
  form.boardTypeCode.setText(L"1 x 1");
  wchar_t key = L'\r';
  try {
    layers::onBoardTypeCodeKey(form, key);
    FAIL() << "no error raised";
  } catch (const base::AppError& e) {
    EXPECT_EQ(e.text(), L"'x' не является целым числом");
  }
  EXPECT_EQ(exportedNames(), before);
}

TEST_F(BoardTypeCodeTest, ClicksWithTheBindingSwitch) {
  struct Case {
    const char* what;
    std::wstring code;
    std::vector<std::wstring> clicks;
    Names exported;
    std::wstring text;
    std::wstring label;
  };
  const Case cases[] = {
      {"bottom out, inner in",
       L"2 2 2",
       {L"Bottom"},
       {L"Top", L"In1", L"Top Mask", L"Bot Mask", L"Top Silk", L"Bot Silk", L"Board"},
       L"2 2 2",
       L"1"},
      {"top first when free",
       L"2 0 0",
       {L"In1", L"Top"},
       {L"In1", L"Bottom", L"Board"},
       L"2 0 0",
       L"1"},
      {"no other metal row free: undone",
       L"4 0 0",
       {L"Bottom"},
       {L"Top", L"In1", L"GND", L"Bottom", L"Board"},
       L"4 0 0",
       L"1"},
      {"checked inner pushes out top", L"1 0 0", {L"In1"}, {L"In1", L"Board"}, L"1 0 0", L"1"},
      {"checked plane pushes out the first inner",
       L"3 0 0",
       {L"GND"},
       {L"Top", L"GND", L"Bottom", L"Board"},
       L"3 0 0",
       L"1"},
      {"checked bottom pushes out top",
       L"1 0 0",
       {L"Bottom"},
       {L"Bottom", L"Board"},
       L"1 0 0",
       L"1"},
      {"mask swap", L"0 1 0", {L"Bot Mask"}, {L"Bot Mask", L"Board"}, L"0 1 0", L"1"},
      {"mask swap back", L"0 1 0", {L"Top Mask"}, {L"Bot Mask", L"Board"}, L"0 1 0", L"1"},
      {"silk swap", L"0 0 1", {L"Top Silk"}, {L"Bot Silk", L"Board"}, L"0 0 1", L"1"},
      {"silk full: undone",
       L"0 0 2",
       {L"Bot Silk"},
       {L"Top Silk", L"Bot Silk", L"Board"},
       L"0 0 2",
       L"1"},
      {"other group: no swap",
       L"2 2 2",
       {L"Notes", L"Board"},
       {L"Top", L"Bottom", L"Top Mask", L"Bot Mask", L"Top Silk", L"Bot Silk", L"Notes"},
       L"2 2 2",
       L"1"},
  };
  for (const Case& c : cases) {
    form.rows.clear();
    build(standardBoard());
    applyCode(c.code);
    for (const std::wstring& name : c.clicks) click(name);
    EXPECT_EQ(exportedNames(), c.exported) << c.what;
    EXPECT_EQ(form.boardTypeCode.text(), c.text) << c.what;
    EXPECT_EQ(form.otherLayerCount.text(), c.label) << c.what;
    for (const auto& l : form.rows) EXPECT_TRUE(l.exportBox->onClick()) << "handlers re-attached";
  }
}

TEST_F(BoardTypeCodeTest, ClicksWithoutBindingOrWithoutACompleteCode) {
  struct Case {
    const char* what;
    bool binding;
    std::wstring code;
    std::vector<std::wstring> clicks;
    std::wstring text;
    std::wstring label;
  };
  const Case cases[] = {
      {"switch off: counts follow", false, L"2 2 2", {L"Bottom", L"Notes"}, L"1 2 2", L"2"},
      {"switch off: adding", false, L"1 0 0", {L"GND", L"Top Mask"}, L"2 1 0", L"1"},
      {"empty code: first click completes it", true, L"", {L"Top"}, L"1 0 0", L"0"},
      {"incomplete code: no swap, and the code it writes binds the next click",
       true,
       L"2 2",
       {L"Top Mask", L"Bot Silk"},
       L"0 1 0",
       L"0"},
  };
  for (const Case& c : cases) {
    form.rows.clear();
    build(standardBoard());
    form.bindToType.setChecked(c.binding);
    form.boardTypeCode.setText(c.code);
    if (c.code.size() == 5) typeKey(L'\r');  // a complete code is applied
    for (const std::wstring& name : c.clicks) click(name);
    EXPECT_EQ(form.boardTypeCode.text(), c.text) << c.what;
    EXPECT_EQ(form.otherLayerCount.text(), c.label) << c.what;
  }
}

TEST_F(BoardTypeCodeTest, ConductiveLayerCountTakesSignalPlaneAndUnclassified) {
  build({{L"A", L"SEA"}, {L"B", L"SEV"}, {L"U", L"??"}, {L"N", L"NE "}});
  EXPECT_EQ(layers::conductiveLayerCount(form.rows), 3);
  typeKey(L'3');
  EXPECT_EQ(form.boardTypeCode.text(), L"3 ");
  form.rows.clear();
  build({{L"A", L"SEA"}, {L"P", L"PE "}, {L"N", L"NE "}});
  EXPECT_EQ(layers::conductiveLayerCount(form.rows), 2);
}

TEST_F(BoardTypeCodeTest, IndexOfExportBoxFindsTheRecord) {
  build(standardBoard());
  for (size_t i = 0; i < form.rows.size(); ++i)
    EXPECT_EQ(layers::indexOfExportBox(form.rows, form.rows[i].exportBox.get()),
              static_cast<int>(i));
  widgets::CheckBox stranger;
  EXPECT_EQ(layers::indexOfExportBox(form.rows, &stranger), -1);
  EXPECT_EQ(layers::indexOfExportBox(form.rows, form.rows[0].editor.pad.get()), -1);
  EXPECT_EQ(layers::indexOfExportBox(form.rows, nullptr), -1);
}

TEST_F(BoardTypeCodeTest, ExportedMaskRowsFollowTheViasSwitch) {
  build(standardBoard());
  form.viasCoveredByMask.detachOnClick();
  form.viasCoveredByMask.setChecked(false);  // vias not covered: mask rows carry vias
  applyCode(L"0 1 0");
  EXPECT_TRUE(layer(L"Top Mask").editor.vias->checked());
  EXPECT_FALSE(layer(L"Bot Mask").editor.vias->checked()) << "not exported";
  EXPECT_FALSE(marked(L"Top Mask", 1));
  EXPECT_TRUE(marked(L"Bot Mask", 1) == false);
  form.bindToType.setChecked(false);
  click(L"Bot Mask");
  EXPECT_TRUE(layer(L"Bot Mask").editor.vias->checked());
}

TEST_F(BoardTypeCodeTest, MovedRowsChangeNothingOfTheRules) {
  build(standardBoard());
  widgets::GridModel& grid = form.grid;
  grid.moveRow(1, 10);
  grid.moveRow(5, 2);
  grid.moveRow(3, 7);
  applyCode(L"2 1 1");
  EXPECT_EQ(exportedNames(), (Names{L"Top", L"Bottom", L"Top Mask", L"Top Silk", L"Board"}));
  click(L"Bottom");
  EXPECT_EQ(exportedNames(), (Names{L"Top", L"In1", L"Top Mask", L"Top Silk", L"Board"}));
  form.viasCoveredByMask.detachOnClick();
  form.viasCoveredByMask.setChecked(false);
  typeKey(L'\r');
  EXPECT_TRUE(layer(L"Top Mask").editor.vias->checked());
  EXPECT_FALSE(layer(L"Bot Mask").editor.vias->checked());
  // Each export box still sits in the row that names its record.
  for (int r = 1; r < grid.rowCount(); ++r)
    EXPECT_EQ(grid.control(layers::kColExport, r),
              form.rows[static_cast<size_t>(layers::recordOfRow(form, r))].exportBox.get());
}
