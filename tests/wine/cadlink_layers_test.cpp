// Reading the layer list out of the editor stand-in's "Options Layers": the
// rows that reach the layer model, the messages in the editor's journal, and
// the ways the readout ends early.
#include <gtest/gtest.h>

#include "base/error.h"
#include "cadlink/editor_protocol.h"
#include "cadlink/layer_readout_win.h"
#include "cadlink_fixture.h"
#include "layers/layer_model.h"

namespace {

using cadlink_test::control;
using cadlink_test::line;
using cadlink_test::quoted;
using cadlink_test::Standin;
using Lines = std::vector<std::wstring>;

const std::wstring kLayers = L"Options Layers";

// The journal without the opening command, after the enumerations' title
// reads. The command is posted, so the editor takes it whenever its queue
// comes to it: sent messages of the readout may come before it. It must be
// there exactly once.
Lines afterTitleReads(const Lines& all, size_t* titleReads) {
  const std::wstring command = line(L"main", L"WM_COMMAND", 32883, 0);
  Lines withoutCommand;
  size_t commands = 0;
  for (const std::wstring& l : all) {
    if (l == command) {
      ++commands;
    } else {
      withoutCommand.push_back(l);
    }
  }
  EXPECT_EQ(commands, 1u) << "the opening command, once";
  size_t i = 0;
  *titleReads = 0;
  while (i < withoutCommand.size() &&
         withoutCommand[i].find(L"\tWM_GETTEXT\t127\taddr") != std::wstring::npos) {
    ++*titleReads;
    ++i;
  }
  return Lines(withoutCommand.begin() + static_cast<long>(i), withoutCommand.end());
}

Lines readout(const std::wstring& target, int clicks, int rows) {
  Lines l;
  for (int k = 0; k < clicks; ++k) {
    l.push_back(line(target + L"#998", L"WM_LBUTTONDOWN", 0, 0));
    l.push_back(line(target + L"#998", L"WM_LBUTTONUP", 0, 0));
  }
  l.push_back(line(target, L"WM_COMMAND", 2349, 0));
  l.push_back(line(target + L"#2278", L"LVM_GETITEMCOUNT", 0, 0));
  for (int r = 0; r < rows; ++r) {
    l.push_back(line(target + L"#2278", L"LVM_GETITEMW", std::to_wstring(r), L"addr"));
    l.push_back(line(target + L"#2278", L"LVM_GETITEMW", std::to_wstring(r), L"addr"));
  }
  l.push_back(line(target, L"WM_CLOSE", 1, 1));
  return l;
}

struct Row {
  std::wstring name;
  int32_t layerClass;
};

void expectRows(const std::vector<layers::LayerRow>& records, const std::vector<Row>& expected) {
  std::vector<Row> rows;
  for (const layers::LayerRow& l : records) rows.push_back({l.editor.name, l.editor.layerClass});
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].name, expected[i].name) << "row " << i;
    EXPECT_EQ(rows[i].layerClass, expected[i].layerClass) << "row " << i;
  }
}

TEST(CadlinkLayers, ReadsEveryRowInOrderAndClosesTheDialog) {
  Standin editor(L"layers", L"");
  auto link = cadlink_test::attach(editor.main());
  std::vector<layers::LayerRow> records;
  HWND dialog = cadlink::readLayerList(link, cadlink_test::addTo(records));
  expectRows(records, {{L"Top", 1}, {L"Внутренний", 2}, {L"Bottom", 1}, {L"Top Silk", 3}});
  size_t titleReads = 0;
  EXPECT_JOURNAL(afterTitleReads(editor.lines(), &titleReads), readout(quoted(kLayers), 1, 4));
  EXPECT_GE(titleReads, 1u);
  EXPECT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST(CadlinkLayers, ListThatNeedsSeveralClicks) {
  Standin editor(L"layers-clicks", L"--list-after-clicks 3");
  auto link = cadlink_test::attach(editor.main());
  std::vector<layers::LayerRow> records;
  cadlink::readLayerList(link, cadlink_test::addTo(records));
  EXPECT_EQ(records.size(), 4u);
  size_t titleReads = 0;
  EXPECT_JOURNAL(afterTitleReads(editor.lines(), &titleReads), readout(quoted(kLayers), 3, 4));
}

TEST(CadlinkLayers, LongCellIsCutTo256AndEmptyCellIsEmpty) {
  {
    Standin editor(L"layers-long", L"--long-texts");
    auto link = cadlink_test::attach(editor.main());
    std::vector<layers::LayerRow> records;
    cadlink::readLayerList(link, cadlink_test::addTo(records));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].editor.name.size(), 256u);
    EXPECT_EQ(records[1].editor.name, L"Внутренний");
  }
  {
    Standin editor(L"layers-empty", L"--empty-fields");
    auto link = cadlink_test::attach(editor.main());
    std::vector<layers::LayerRow> records;
    cadlink::readLayerList(link, cadlink_test::addTo(records));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].editor.name, L"Top");
    EXPECT_EQ(records[0].editor.layerClass, layers::kUnclassifiedLayer);  // empty type text
    EXPECT_EQ(records[1].editor.layerClass, layers::kPlaneLayer);
  }
}

TEST(CadlinkLayers, ListThatAnswersThroughAnotherTextPointerIsStillReadRight) {
  Standin editor(L"layers-moved", L"--list-moves-text");
  auto link = cadlink_test::attach(editor.main());
  std::vector<layers::LayerRow> records;
  cadlink::readLayerList(link, cadlink_test::addTo(records));
  expectRows(records, {{L"Top", 1}, {L"Внутренний", 2}, {L"Bottom", 1}, {L"Top Silk", 3}});
}

TEST(CadlinkLayers, CellTheListRefusesEndsTheReadoutInsteadOfRepeatingTheName) {
  // the type cell of the second row: its name must not be read as its type
  Standin editor(L"layers-refused", L"--list-fails-row 1");
  auto link = cadlink_test::attach(editor.main());
  std::vector<layers::LayerRow> records;
  try {
    cadlink::readLayerList(link, cadlink_test::addTo(records));
    ADD_FAILURE() << "the readout went on";
  } catch (const base::AppError& e) {
    EXPECT_NE(e.text().find(L"строка 2, столбец 2 не прочитана"), std::wstring::npos)
        << base::toUtf8(e.text());
  }
  expectRows(records, {{L"Top", 1}});
  const DWORD thread = GetWindowThreadProcessId(editor.main(), nullptr);
  EXPECT_EQ(cadlink::findLayersDialog(link, thread), nullptr)
      << "the dialog is closed all the same";
}

TEST(CadlinkLayers, EmptyListAddsNothingButClosesTheDialog) {
  Standin editor(L"layers-none", L"", "design-dir \"C:\\\\\"\nfile-name \"x.pcb\"\n");
  auto link = cadlink_test::attach(editor.main());
  std::vector<layers::LayerRow> records;
  cadlink::readLayerList(link, cadlink_test::addTo(records));
  EXPECT_TRUE(records.empty());
  size_t titleReads = 0;
  EXPECT_JOURNAL(afterTitleReads(editor.lines(), &titleReads), readout(quoted(kLayers), 1, 0));
}

// The windows of the editor's thread titled "Options Layers", in the order
// in which the thread's enumeration visits them.
BOOL CALLBACK collectLayersDialogs(HWND w, LPARAM out) {
  if (harness::textOf(w) == L"Options Layers")
    reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
  return TRUE;
}

TEST(CadlinkLayers, TwoDialogsWithTheTitleTheLastEnumeratedIsUsed) {
  Standin editor(L"layers-dup", L"--dup-layers-dialog");
  auto link = cadlink_test::attach(editor.main());
  // Both windows are opened first; the editor does not open them a second
  // time when the readout posts its command, so the readout meets exactly
  // these two, in this enumeration order.
  PostMessageW(editor.main(), WM_COMMAND, 32883, 0);
  std::vector<HWND> dialogs;
  harness::waitFor(
      [&] {
        dialogs.clear();
        EnumThreadWindows(GetWindowThreadProcessId(editor.main(), nullptr), collectLayersDialogs,
                          reinterpret_cast<LPARAM>(&dialogs));
        return dialogs.size() == 2;
      },
      5000);
  ASSERT_EQ(dialogs.size(), 2u);
  editor.mark();
  std::vector<layers::LayerRow> records;
  EXPECT_EQ(cadlink::readLayerList(link, cadlink_test::addTo(records)), dialogs.back());
  size_t titleReads = 0;
  const Lines rest = afterTitleReads(editor.lines(), &titleReads);
  ASSERT_FALSE(rest.empty());
  // Only the real dialog brings up the list; the decoy is clicked until the
  // clicking gives up, then closed.
  if (rest.front().rfind(L"decoy:", 0) == 0) {
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(rest.back(), line(L"decoy:" + quoted(kLayers), L"WM_CLOSE", 1, 1));
  } else {
    EXPECT_JOURNAL(rest, readout(quoted(kLayers), 1, 4));
    EXPECT_EQ(records.size(), 4u);
  }
}

TEST(CadlinkLayers, TitleThatOnlyBeginsWithTheSearchedTextIsNotTaken) {
  // The search takes an exact title only: "Options Layers (old)" is not
  // the dialog. Two windows of the test's own thread stand in for the
  // editor's.
  HWND own = CreateWindowExW(0, L"STATIC", L"Options Layers", WS_POPUP, 0, 0, 10, 10, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND prefixed = CreateWindowExW(0, L"STATIC", L"Options Layers (old)", WS_POPUP, 0, 0, 10, 10,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  cadlink::EditorLink link;
  EXPECT_EQ(cadlink::findLayersDialog(link, GetCurrentThreadId()), own);
  DestroyWindow(own);
  EXPECT_EQ(cadlink::findLayersDialog(link, GetCurrentThreadId()), nullptr);
  DestroyWindow(prefixed);
}

TEST(CadlinkLayers, DialogThatNeverOpensReadsNothing) {
  Standin editor(L"layers-never", L"--never-open \"Options Layers\"");
  auto link = cadlink_test::attach(editor.main(), 0);
  std::vector<layers::LayerRow> records;
  cadlink::readLayerList(link, cadlink_test::addTo(records));
  EXPECT_TRUE(records.empty());
  EXPECT_EQ(link.counters.windowLookups, 1000u);
  EXPECT_EQ(link.counters.controlLookups, 0u);
}

TEST(CadlinkLayers, EditorThatExitsDuringTheWaitEndsIt) {
  Standin editor(L"layers-exit", L"--exit-on \"Options Layers\"");
  auto link = cadlink_test::attach(editor.main(), 10);
  std::vector<layers::LayerRow> records;
  cadlink::readLayerList(link, cadlink_test::addTo(records));
  EXPECT_TRUE(records.empty());
  EXPECT_TRUE(editor.process().wait(5000));
  EXPECT_LT(link.counters.windowLookups, 1000u);
  EXPECT_EQ(link.counters.controlLookups, 0u);
}

}  // namespace
