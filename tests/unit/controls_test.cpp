// Control objects: when a check box runs its handler, how drop-downs and
// colour boxes select, and the layer colour palette.
#include <gtest/gtest.h>

#include "widgets/controls.h"

using widgets::CheckBox;
using widgets::ColourBox;
using widgets::DropDown;

TEST(CheckBoxTest, HandlerRunsSynchronouslyOnlyOnAChange) {
  CheckBox box;
  std::vector<bool> seen;
  box.setOnClick([&](CheckBox& sender) {
    EXPECT_EQ(&sender, &box);
    seen.push_back(sender.checked());
  });
  box.setChecked(false);  // same state: nothing
  EXPECT_TRUE(seen.empty());
  box.setChecked(true);
  ASSERT_EQ(seen.size(), 1u);  // already ran when the set returned
  EXPECT_TRUE(seen[0]);
  box.setChecked(true);
  EXPECT_EQ(seen.size(), 1u);
  box.setChecked(false);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_FALSE(seen[1]);
}

TEST(CheckBoxTest, DetachSetAttachDoesNotRunTheHandler) {
  CheckBox box;
  int runs = 0;
  box.setOnClick([&](CheckBox&) { ++runs; });
  CheckBox::Handler saved = box.detachOnClick();
  EXPECT_FALSE(box.onClick());
  box.setChecked(true);
  EXPECT_TRUE(box.checked());
  box.setOnClick(saved);
  EXPECT_EQ(runs, 0);
  box.setChecked(false);
  EXPECT_EQ(runs, 1);
}

TEST(CheckBoxTest, HandlerMayDetachItselfWhileRunning) {
  CheckBox box;
  int runs = 0;
  box.setOnClick([&](CheckBox& sender) {
    ++runs;
    sender.detachOnClick();
  });
  box.setChecked(true);
  box.setChecked(false);
  EXPECT_EQ(runs, 1);
}

TEST(CheckBoxTest, ViewIsToldOfEveryChange) {
  CheckBox box;
  int updates = 0;
  box.onViewUpdate = [&] { ++updates; };
  box.setChecked(true);
  box.setChecked(true);
  box.setChecked(false);
  EXPECT_EQ(updates, 2);
}

TEST(DropDownTest, SetItemIndexSelectsOnlyInsideTheItems) {
  struct Case {
    int index;
    int expected;
  };
  const Case cases[] = {{0, 0}, {2, 2}, {3, -1}, {-1, -1}, {-5, -1}, {100, -1}};
  for (const Case& c : cases) {
    DropDown box;
    box.setItems({L"a", L"b", L"c"});
    box.setItemIndex(1);
    int runs = 0;
    box.onClick = [&](DropDown&) { ++runs; };
    box.setItemIndex(c.index);
    EXPECT_EQ(box.itemIndex(), c.expected) << "index " << c.index;
    EXPECT_EQ(runs, 0) << "setting the index never runs the handler";
  }
}

TEST(DropDownTest, PickSelectsThenRunsTheHandler) {
  DropDown box;
  box.setItems({L"a", L"b"});
  int seenIndex = -2;
  box.onClick = [&](DropDown& sender) { seenIndex = sender.itemIndex(); };
  box.pick(1);
  EXPECT_EQ(seenIndex, 1);
  seenIndex = -2;
  box.pick(5);  // not an item: nothing happens
  EXPECT_EQ(seenIndex, -2);
  EXPECT_EQ(box.itemIndex(), 1);
}

TEST(DropDownTest, ClearingOrReplacingItemsDropsTheSelection) {
  DropDown box;
  box.addItem(L"x");
  box.addItem(L"y");
  box.setItemIndex(1);
  box.addItem(L"z");
  EXPECT_EQ(box.itemIndex(), 1);
  box.clear();
  EXPECT_EQ(box.itemIndex(), -1);
  EXPECT_TRUE(box.items().empty());
  box.setItemIndex(0);
  EXPECT_EQ(box.itemIndex(), -1);
}

// The colours a colour box offers, by position: name and RGB.
TEST(ColourBoxTest, FillPaletteGivesTheSixteenColoursAndDropsTheSelection) {
  const std::pair<const wchar_t*, uint32_t> expected[] = {
      {L"Красный", 0xFF0000},       {L"Тёмно красный", 0x800000}, {L"Зелёный", 0x00FF00},
      {L"Тёмно зелёный", 0x008000}, {L"Синий", 0x0000FF},         {L"Тёмно синий", 0x000080},
      {L"Жёлтый", 0xFFFF00},        {L"Тёмно жёлтый", 0x808000},  {L"Голубой", 0x00FFFF},
      {L"Тёмно голубой", 0x009999}, {L"Фиолетовый", 0xFF00FF},    {L"Тёмно фиолетовый", 0x800080},
      {L"Серый", 0xC0C0C0},         {L"Тёмно серый", 0x808080},   {L"Болотный", 0x336666},
      {L"Тёмно болотный", 0x224444}};
  ColourBox box;
  box.setItems({L"old"});
  box.setItemIndex(0);
  box.fillPalette();
  ASSERT_EQ(box.items().size(), 16u);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(box.items()[static_cast<size_t>(i)], expected[i].first) << i;
    EXPECT_EQ(box.colourOf(i), expected[i].second) << i;
  }
  EXPECT_EQ(box.itemIndex(), -1);
  box.setItemIndex(16);
  EXPECT_EQ(box.itemIndex(), -1);
}
