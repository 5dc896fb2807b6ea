// The operator's choices kept for a design: the file's round trip (odd and
// Cyrillic names), files that are passed over, and the choices put back onto
// a freshly built table by layer name, as at the next start and on reset.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "base/error.h"
#include "base_test_files.h"
#include "layer_table_fixture.h"
#include "layers/board_choices.h"
#include "layers/board_choices_file.h"
#include "layers/board_type_code.h"

namespace {

using layers::ChoicesFileState;

const std::wstring kDesign = L"Плата 7.pcb";

// The canonical form of choices, for comparing two of them.
std::vector<std::wstring> linesOf(const layers::BoardChoices& c) {
  return layers::choicesFileLines(c, kDesign);
}

layers::BoardChoices sampleChoices() {
  layers::BoardChoices c;
  c.boardTypeCode = L"4 2 ";  // a trailing blank stays
  c.bindToType = false;
  c.viasCoveredByMask = false;
  c.inch = true;
  c.offsetX = L"1.5mm";
  c.offsetY = L"-2mm";
  const wchar_t* names[] = {L"Top",        L"Сигнал 2", L"a=b",   L";semi",  L"[box]",
                            L"\"quoted\"", L"'single'", L" pad ", L"x;y=[z", L""};
  int n = 0;
  for (const wchar_t* name : names) {
    layers::LayerChoice l;
    l.name = name;
    l.exported = n % 2 == 0;
    l.typeName = n == 3 ? L"" : L"Тип = \"" + std::to_wstring(n) + L"\"";
    l.flashColour = n - 1;
    l.lineColour = 15 - n;
    for (size_t k = 0; k < l.classes.size(); ++k) l.classes[k] = (n + static_cast<int>(k)) % 3 == 0;
    c.layers.push_back(l);
    ++n;
  }
  return c;
}

TEST(ChoicesFile, RoundTripThroughAUtf16File) {
  testfiles::TempDir dir("choices-round-trip");
  const auto path = dir / "Плата 7.tavrolin";
  const layers::BoardChoices saved = sampleChoices();
  layers::writeChoicesFile(path, saved, kDesign);
  EXPECT_EQ(testfiles::readBytes(path).substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(testfiles::entryCount(dir.path()), 1u) << "a temporary file is left";

  const layers::ChoicesFile read = layers::readChoicesFile(path, L"ПЛАТА 7.PCB");
  ASSERT_EQ(read.state, ChoicesFileState::Read);
  EXPECT_EQ(linesOf(read.choices), linesOf(saved));
  ASSERT_EQ(read.choices.layers.size(), saved.layers.size());
  for (size_t i = 0; i < saved.layers.size(); ++i) {
    EXPECT_EQ(read.choices.layers[i].name, saved.layers[i].name) << i;
    EXPECT_EQ(read.choices.layers[i].typeName, saved.layers[i].typeName) << i;
  }
  EXPECT_EQ(read.choices.boardTypeCode, L"4 2 ");
}

// A valid file's lines with one line replaced, or cut after `keep` lines.
std::vector<std::wstring> edited(const std::wstring& from, const std::wstring& to,
                                 size_t keep = SIZE_MAX) {
  std::vector<std::wstring> lines = linesOf(sampleChoices());
  for (auto& line : lines)
    if (line == from) {
      line = to;
      break;
    }
  if (keep < lines.size()) lines.resize(keep);
  return lines;
}

TEST(ChoicesFile, FilesThatArePassedOver) {
  struct Case {
    const char* what;
    std::vector<std::wstring> lines;
    ChoicesFileState state;
    const wchar_t* line = nullptr;  // the bottom band's line
  } const cases[] = {
      {"no lines", {}, ChoicesFileState::Empty, L"Выбор слоёв не восстановлен: файл f пуст."},
      {"blank lines", {L"", L"  \t"}, ChoicesFileState::Empty},
      {"foreign text",
       {L"Hello", L"[x]", L"a=1"},
       ChoicesFileState::Damaged,
       L"Выбор слоёв не восстановлен: файл f повреждён."},
      {"newer format", edited(L"version=1", L"version=2"), ChoicesFileState::Newer,
       L"Выбор слоёв не восстановлен: файл f записан более новой версией программы."},
      {"newer format of other sections",
       {L"[Tavrolin]", L"version=7", L"[new]"},
       ChoicesFileState::Newer},
      {"another design", edited(L"design=Плата 7.pcb", L"design=other.pcb"),
       ChoicesFileState::OtherDesign,
       L"Выбор слоёв не восстановлен: файл f записан для другого проекта (other.pcb)."},
      {"version no number", edited(L"version=1", L"version=one"), ChoicesFileState::Damaged},
      {"cut short", edited(L"", L"", 40), ChoicesFileState::Damaged},
      {"layer count wrong", edited(L"layers=10", L"layers=9"), ChoicesFileState::Damaged},
      {"flag out of form", edited(L"export=1", L"export=2"), ChoicesFileState::Damaged},
      {"units unknown", edited(L"units=Inch", L"units=cm"), ChoicesFileState::Damaged},
      {"colour no number", edited(L"flash=-1", L"flash=red"), ChoicesFileState::Damaged},
      {"key missing", edited(L"Titles=0", L"; Titles=0"), ChoicesFileState::Damaged},
      {"layer sections renumbered", edited(L"[layer 2]", L"[layer 9]"), ChoicesFileState::Damaged},
  };
  for (const Case& c : cases) {
    const layers::ChoicesFile file = layers::choicesFromLines(c.lines, kDesign);
    EXPECT_EQ(file.state, c.state) << c.what;
    if (c.line) {
      EXPECT_EQ(layers::passedOverLine(file, L"f"), c.line) << c.what;
    }
  }
}

TEST(ChoicesFile, MissingAndUnreadableFiles) {
  testfiles::TempDir dir("choices-missing");
  EXPECT_EQ(layers::readChoicesFile(dir / "none.tavrolin", kDesign).state,
            ChoicesFileState::Missing);
  std::filesystem::create_directory(dir / "dir.tavrolin");
  EXPECT_EQ(layers::readChoicesFile(dir / "dir.tavrolin", kDesign).state,
            ChoicesFileState::Unreadable);
  // a directory in the way: the write fails and says so
  EXPECT_THROW(layers::writeChoicesFile(dir / "dir.tavrolin", sampleChoices(), kDesign),
               base::AppError);
}

// The table as the program builds it at the next start.
std::unique_ptr<layers::LayerTableModel> builtTable(const std::vector<EditorLayerLine>& list) {
  auto table = std::make_unique<layers::LayerTableModel>();
  for (const EditorLayerLine& l : list) layers::addEditorLayer(table->rows, l.name, l.tipe);
  const auto section = standardSection();
  std::vector<std::wstring> keys;
  for (const auto& entry : section) keys.push_back(entry.first);
  layers::buildLayerTable(*table, keys, [section](const std::wstring& key) {
    for (const auto& [k, v] : section)
      if (k == key) return v;
    return std::wstring();
  });
  return table;
}

layers::LayerRow& rowNamed(layers::LayerTableModel& table, const std::wstring& name) {
  for (layers::LayerRow& l : table.rows)
    if (l.editor.name == name) return l;
  ADD_FAILURE() << "no layer named this";
  return table.rows.at(0);
}

std::vector<std::wstring> shownNames(const layers::LayerTableModel& t) {
  std::vector<std::wstring> out;
  for (int r = 1; r < t.grid.rowCount(); ++r) out.push_back(t.grid.cell(layers::kColName, r));
  return out;
}

std::vector<std::optional<uint32_t>> marks(const layers::LayerTableModel& t) {
  std::vector<std::optional<uint32_t>> out;
  for (int r = 1; r < t.grid.rowCount(); ++r)
    for (int c = layers::kColFirstClass; c < layers::kColId; ++c)
      out.push_back(t.grid.cellColour(c, r));
  return out;
}

class BoardChoicesTest : public LayerTableTest {
 protected:
  // What the operator does on the standard board before an export.
  void makeChoices() {
    layer(L"In1").cam.typeBox->pick(11);  // type changed: Pad, Vias unchecked, marked
    layer(L"Top").cam.flashColour->setItemIndex(12);
    layer(L"Top Silk").editor.value->setChecked(true);  // marked
    form.viasCoveredByMask.setChecked(false);           // mask rows take Vias
    form.inch = true;
    form.offsetX.setText(L"1.5mm");
    for (wchar_t key : std::wstring(L"421")) layers::onBoardTypeCodeKey(form, key);
    layer(L"Notes").exportBox->setChecked(true);  // a hand click rewrites the code
    form.grid.moveRow(4, 1);                      // "Bottom" dragged to the top
  }
};

TEST_F(BoardChoicesTest, NextStartShowsWhatWasExported) {
  build(standardBoard());
  makeChoices();
  const layers::BoardChoices saved = layers::choicesOf(form);
  const auto savedMarks = marks(form);
  ASSERT_GT(markedCells(), 0);

  auto next = builtTable(standardBoard());
  const layers::RestoreNotes notes = layers::applyChoices(*next, saved);
  EXPECT_EQ(linesOf(layers::choicesOf(*next)), linesOf(saved));
  EXPECT_EQ(next->boardTypeCode.text(), form.boardTypeCode.text());
  EXPECT_EQ(next->otherLayerCount.text(), L"2");  // Board and Notes
  EXPECT_EQ(marks(*next), savedMarks);
  EXPECT_TRUE(notes.newLayers.empty() && notes.unknownType.empty() && notes.badColour.empty());
  // the rules of the restored table work as before: the code's count is kept
  rowNamed(*next, L"Bottom").exportBox->setChecked(false);
  EXPECT_EQ(next->boardTypeCode.text(), form.boardTypeCode.text());
}

TEST_F(BoardChoicesTest, ResetGivesTheRulesTable) {
  build(standardBoard());
  const layers::BoardChoices rules = layers::choicesOf(form);
  makeChoices();
  layers::applyChoices(form, rules);
  EXPECT_EQ(linesOf(layers::choicesOf(form)), linesOf(rules));
  EXPECT_EQ(markedCells(), 0);
  EXPECT_EQ(form.otherLayerCount.text(), L"");
}

TEST_F(BoardChoicesTest, BoardThatGainedAndLostLayers) {
  std::vector<EditorLayerLine> before = standardBoard();
  before.push_back({L"Notes", L"NE "});  // a second layer of the same name
  build(before);
  layer(L"Notes").cam.typeBox->setItemIndex(10);
  form.rows.back().cam.typeBox->setItemIndex(4);  // the second "Notes"
  layer(L"GND").cam.lineColour->setItemIndex(3);
  form.grid.moveRow(1, 3);  // "Top" dragged below "GND"
  layers::BoardChoices saved = layers::choicesOf(form);
  for (auto& l : saved.layers) {
    if (l.name == L"Top") l.typeName = L"gone from main.ini";
    if (l.name == L"Bottom") l.flashColour = 16;
  }

  std::vector<EditorLayerLine> after = before;
  after.erase(after.begin() + 2);  // In1 gone
  after.insert(after.begin() + 1, {L"In2", L"SEV"});
  auto next = builtTable(after);
  const layers::RestoreNotes notes = layers::applyChoices(*next, saved);
  EXPECT_EQ(notes.newLayers, std::vector<std::wstring>{L"In2"});
  // the kept rows in the saved order, the new one where the rules put it
  EXPECT_EQ(shownNames(*next),
            (std::vector<std::wstring>{L"GND", L"In2", L"Top", L"Bottom", L"Top Mask", L"Bot Mask",
                                       L"Top Silk", L"Bot Silk", L"Board", L"Notes", L"Notes"}));
  EXPECT_EQ(notes.unknownType, std::vector<std::wstring>{L"Top"});
  EXPECT_EQ(notes.badColour, std::vector<std::wstring>{L"Bottom"});
  EXPECT_EQ(rowNamed(*next, L"In2").camType(), 1);  // by the rules
  EXPECT_EQ(rowNamed(*next, L"GND").cam.lineColour->itemIndex(), 3);
  EXPECT_EQ(rowNamed(*next, L"Notes").camType(), 10);
  EXPECT_EQ(next->rows.back().camType(), 4);
  EXPECT_EQ(rowNamed(*next, L"Top").camType(), -1);
  EXPECT_EQ(rowNamed(*next, L"Bottom").cam.flashColour->itemIndex(), -1);
  EXPECT_EQ(rowNamed(*next, L"Bottom").cam.lineColour->itemIndex(), 12);  // line colour kept
  EXPECT_EQ(layers::restoredLine(L"09.12.2026 13:45", notes),
            L"Восстановлен выбор слоёв от 09.12.2026 13:45. Новые слои: In2. Тип слоя не найден в "
            L"main.ini, оставлен пустым: Top. Цвет вне палитры, оставлен пустым: Bottom.");
}

}  // namespace
