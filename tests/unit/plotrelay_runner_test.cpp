// The plot driver's interpreter against a fake editor: a job written by the
// job writer from the shipped templates, dialogs that never open, an editor
// that goes away, the stop flag, and the logs the run leaves.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "base/encoding.h"
#include "base/text_file.h"
#include "base_test_files.h"
#include "export/error_log.h"
#include "export/job_writer.h"
#include "plotrelay/plotrelay_report.h"
#include "plotrelay/plotrelay_runner.h"
#include "export_test_support.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::wstring>;
using plotrelay::Job;
using plotrelay::RunResult;

constexpr uintptr_t kDialog = 700;
constexpr uintptr_t kControlBase = 100000;

// An editor with one dialog at a time: a command opens the dialog listed for
// it, a click on a closing button closes it. Every action is recorded.
class FakeEditor : public plotrelay::EditorPort {
 public:
  struct Dialog {
    std::wstring title;
    std::set<int32_t> controls;
    Lines listItems;
    int32_t closer = 0;
  };
  std::map<int32_t, Dialog> opens;  // command ID -> dialog it opens
  int missesBeforeShown = 0;        // window lookups that miss after a command
  int aliveChecksLeft = -1;         // the editor dies after this many checks (-1: never)
  bool diesOnClose = false;         // the editor dies when a dialog's closing button is clicked

  Lines actions;
  int windowLookups = 0;
  int sleeps = 0;
  int64_t sleptMs = 0;

  bool editorAlive() override {
    if (aliveChecksLeft == 0) return false;
    if (aliveChecksLeft > 0) --aliveChecksLeft;
    return true;
  }
  void postCommand(int32_t id) override {
    actions.push_back(L"command " + std::to_wstring(id));
    auto it = opens.find(id);
    if (it == opens.end()) return;
    open_ = &it->second;
    misses_ = missesBeforeShown;
  }
  uintptr_t findWindow(const std::wstring& title) override {
    ++windowLookups;
    if (!open_ || open_->title != title) return 0;
    if (misses_ > 0) {
      --misses_;
      return 0;
    }
    return kDialog;
  }
  bool windowShown(uintptr_t w) override { return w == kDialog && open_; }
  uintptr_t findControl(uintptr_t dialog, int32_t id) override {
    return dialog == kDialog && open_ && open_->controls.count(id)
               ? kControlBase + static_cast<uintptr_t>(id)
               : 0;
  }
  void setText(uintptr_t c, const std::wstring& text) override {
    actions.push_back(L"settext " + idOf(c) + L" " + text);
  }
  void setCheck(uintptr_t c, bool on) override {
    actions.push_back(L"check " + idOf(c) + (on ? L" 1" : L" 0"));
  }
  bool selectItem(uintptr_t dialog, uintptr_t list, int32_t id, const std::wstring& text) override {
    if (dialog != kDialog || list != kControlBase + static_cast<uintptr_t>(id)) return false;
    for (const auto& item : open_->listItems) {
      if (item == text) {
        actions.push_back(L"select " + idOf(list) + L" " + text);
        return true;
      }
    }
    return false;
  }
  void click(uintptr_t c) override {
    actions.push_back(L"click " + idOf(c));
    if (open_ && c == kControlBase + static_cast<uintptr_t>(open_->closer)) {
      open_ = nullptr;
      if (diesOnClose) aliveChecksLeft = 0;
    }
  }
  void sleep(int32_t ms) override {
    ++sleeps;
    sleptMs += ms;
  }

 private:
  static std::wstring idOf(uintptr_t c) { return std::to_wstring(c - kControlBase); }
  const Dialog* open_ = nullptr;
  int misses_ = 0;
};

// The dialogs of the shipped 2004_215 templates.
void addShippedDialogs(FakeEditor& editor, const Lines& layerNames) {
  std::set<int32_t> gerber = {1001, 1002, 1021, 1022, 1031, 1032, 1040};
  for (int32_t id = 1011; id <= 1019; ++id) gerber.insert(id);
  editor.opens[32786] = {L"File Export Gerber", gerber, layerNames, 1040};
  editor.opens[32787] = {L"File N/C Drill", {1101, 1102, 1121, 1122, 1140}, {}, 1140};
}

// A job as the program writes it: the shipped templates of 2004 build 215
// and a three-row table whose middle layer's name holds "|" and "%".
class ShippedJob : public ::testing::Test {
 protected:
  ShippedJob() : dir_("plotrelay-run") {
    form_.offsetX.setText(L"1.5");
    form_.offsetY.setText(L"-2");
    exporttest::buildTable(form_, {{L"Top", 1, 0, true, {true, false, true}},
                                   {L"Silk|50%", 3, 6, true, {false, false, false, false, true}},
                                   {L"Bottom", 1, 3, true, {true}}});
    out_ = base::fromUtf8(dir_.path().string()) + L"/";
    exportcore::writeJobDescription(
        form_, out_ + L"pcad.ini",
        {base::fromUtf8(TEST_SOURCE_DIR) + L"/dist/macros/", L"2004", L"215", L"board.pcb"});
    job_ = Job::read(dir_ / "pcad.ini");
    addShippedDialogs(editor_, {L"Bottom", L"Silk|50%", L"Top"});
    options_.base = L"board";
  }

  RunResult run() { return plotrelay::runJob(job_, editor_, options_); }

  testfiles::TempDir dir_;
  layers::LayerTableModel form_;
  std::wstring out_;
  Job job_;
  FakeEditor editor_;
  plotrelay::RunOptions options_;
};

TEST_F(ShippedJob, EveryBlockWorksItsDialogInJobOrder) {
  options_.windowDelay = 7;
  const RunResult result = run();
  ASSERT_EQ(result.blocks.size(), 4u);
  const Lines sections = {L"Top", L"Silk|50%", L"Bottom", L"13Top"};
  for (size_t i = 0; i < sections.size(); ++i) {
    EXPECT_EQ(result.blocks[i].ref.section, sections[i]);
    EXPECT_TRUE(result.blocks[i].ran);
    EXPECT_FALSE(result.blocks[i].failed) << base::toUtf8(result.blocks[i].error);
  }
  EXPECT_EQ(result.blocks[0].file, out_ + L"board.GTL");
  EXPECT_EQ(result.blocks[3].file, out_ + L"board.1_3");

  const Lines topBlock = {L"command 32786",    L"settext 1001 " + out_ + L"board.GTL",
                          L"select 1002 Top",  L"check 1011 1",
                          L"check 1012 0",     L"check 1013 1",
                          L"check 1014 0",     L"check 1015 0",
                          L"check 1016 0",     L"check 1017 0",
                          L"check 1018 0",     L"check 1019 0",
                          L"settext 1021 1.5", L"settext 1022 -2",
                          L"click 1031",       L"click 1040"};
  ASSERT_GE(editor_.actions.size(), topBlock.size());
  EXPECT_EQ(
      Lines(editor_.actions.begin(), editor_.actions.begin() + static_cast<long>(topBlock.size())),
      topBlock);
  EXPECT_EQ(editor_.actions[topBlock.size() + 2], L"select 1002 Silk|50%");
  const Lines drillBlock = {L"command 32787",           L"settext 1101 " + out_ + L"board.1_3",
                            L"settext 1102 Top%Bottom", L"settext 1121 1.5",
                            L"settext 1122 -2",         L"click 1140"};
  EXPECT_EQ(
      Lines(editor_.actions.end() - static_cast<long>(drillBlock.size()), editor_.actions.end()),
      drillBlock);
  EXPECT_EQ(editor_.sleptMs % 7, 0);  // window waits paced by dw, control searches by dc = 0
  EXPECT_EQ(plotrelay::errorLogLines(result), (Lines{L"errors - 0"}));
}

TEST_F(ShippedJob, DialogThatNeverOpensFailsItsBlockAfterItsTries) {
  editor_.opens.erase(32786);  // the Gerber dialog never comes
  job_ = Job::parse([&] {
    Lines lines = base::readTextFile(dir_ / "pcad.ini").lines;
    for (auto& line : lines) {
      if (line.rfind(L"WindowTries=", 0) == 0) line = L"WindowTries=20";
    }
    return lines;
  }());
  const RunResult result = run();
  ASSERT_EQ(result.blocks.size(), 4u);
  EXPECT_EQ(result.failedCount(), 3);
  EXPECT_EQ(result.blocks[1].error, L"Не открылось окно \"File Export Gerber\" (слой Silk|50%)");
  EXPECT_EQ(result.blocks[1].stepsDone, 1);
  EXPECT_FALSE(result.blocks[3].failed);  // the drill block still ran
  EXPECT_EQ(editor_.windowLookups,
            3 * 20 + 1);  // three waits that failed and the drill dialog's wait
  EXPECT_EQ(
      plotrelay::errorLogLines(result),
      (Lines{L"Top: Не открылось окно \"File Export Gerber\" (слой Top)",
             L"Silk|50%: Не открылось окно \"File Export Gerber\" (слой Silk|50%)",
             L"Bottom: Не открылось окно \"File Export Gerber\" (слой Bottom)", L"errors - 3"}));
}

TEST_F(ShippedJob, StopFlagEndsTheJobAtTheFirstFailedBlock) {
  editor_.opens[32786].listItems = {L"Top", L"Bottom"};  // "Silk|50%" is not in the list
  options_.stopOnError = true;
  const RunResult result = run();
  ASSERT_EQ(result.blocks.size(), 2u);
  EXPECT_TRUE(result.stopped);
  EXPECT_EQ(result.blocks[1].error, L"Слой \"Silk|50%\" не найден в списке слоёв");
  EXPECT_EQ(editor_.actions.back(),
            L"settext 1001 " + out_ + L"board.GTO");  // nothing clicked after the failure
  EXPECT_EQ(plotrelay::errorLogLines(result).back(), L"errors - 1");

  options_.stopOnError = false;
  editor_.actions.clear();
  const RunResult goOn = run();
  EXPECT_EQ(goOn.blocks.size(), 4u);
  EXPECT_EQ(goOn.failedCount(), 1);
}

TEST_F(ShippedJob, EditorThatGoesAwayEndsTheWaitAndFailsTheRest) {
  editor_.missesBeforeShown = 1000000;  // the dialog never shows ...
  editor_.aliveChecksLeft = 5;          // ... and the editor goes away meanwhile
  const RunResult result = run();
  EXPECT_TRUE(result.editorLost);
  ASSERT_EQ(result.blocks.size(), 4u);
  EXPECT_LT(editor_.windowLookups, 10);  // far below the 500 tries of the template
  EXPECT_EQ(result.failedCount(), 4);
  for (size_t i = 1; i < 4; ++i) EXPECT_FALSE(result.blocks[i].ran);
  EXPECT_EQ(std::count(editor_.actions.begin(), editor_.actions.end(), L"command 32786"), 1);
  EXPECT_EQ(plotrelay::errorLogLines(result).back(), L"errors - 4");
}

TEST_F(ShippedJob, MissingControlNamesItsIdAndDialog) {
  editor_.opens[32786].controls.erase(1040);
  job_ = Job::parse([&] {
    Lines lines = base::readTextFile(dir_ / "pcad.ini").lines;
    lines.push_back(L"[@Job]");  // a second [@Job] is ignored: the first one counts
    lines.push_back(L"ControlTries=1");
    for (auto& line : lines) {
      if (line.rfind(L"ControlTries=", 0) == 0) line = L"ControlTries=3";
    }
    return lines;
  }());
  const RunResult result = run();
  EXPECT_EQ(result.blocks[0].error, L"Нет элемента 1040 в окне File Export Gerber");
  EXPECT_EQ(result.blocks[0].stepsDone, 16);
  EXPECT_FALSE(result.blocks[3].failed);
}

TEST_F(ShippedJob, EditorThatDiesRightAfterOkFailsTheBlockItsDialogWentWith) {
  editor_.diesOnClose = true;  // the dialog is gone because its editor is gone
  const RunResult result = run();
  ASSERT_EQ(result.blocks.size(), 4u);
  EXPECT_TRUE(result.editorLost);
  EXPECT_TRUE(result.blocks[0].failed);
  EXPECT_EQ(result.blocks[0].error, L"Окно редактора больше не существует");
  EXPECT_EQ(result.failedCount(), 4);
  EXPECT_EQ(plotrelay::errorLogLines(result).back(), L"errors - 4");
}

TEST_F(ShippedJob, StopRequestEndsTheRunAfterTheStepUnderWayAndNamesWhatWasNotDone) {
  for (bool stopOnError : {false, true}) {
    editor_.actions.clear();
    options_.stopOnError = stopOnError;
    // asked for while the first block's first step (its command) is under way
    options_.stopRequested = [this] { return !editor_.actions.empty(); };
    const RunResult result = run();
    ASSERT_EQ(result.blocks.size(), 4u) << stopOnError;
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(editor_.actions, (Lines{L"command 32786"}));
    EXPECT_EQ(result.blocks[0].stepsDone, 1);
    EXPECT_EQ(result.blocks[0].error, L"Вывод остановлен: окно драйвера закрыто");
    for (size_t i = 1; i < 4; ++i) {
      EXPECT_FALSE(result.blocks[i].ran);
      EXPECT_EQ(result.blocks[i].error, L"Не выполнен: вывод остановлен");
    }
    EXPECT_EQ(plotrelay::errorLogLines(result).back(), L"errors - 4");
  }
  // a stop asked for during a wait ends the wait at the next try
  editor_.actions.clear();
  editor_.opens.erase(32786);
  int asks = 0;
  options_.stopRequested = [&asks] { return ++asks > 3; };
  const RunResult result = run();
  EXPECT_EQ(result.blocks[0].error, L"Вывод остановлен: окно драйвера закрыто");
  EXPECT_LT(editor_.windowLookups, 5);
}

// Hand-written jobs for the faults of the job itself.
TEST(PlotRelayRunner, EmptyJobIsAnError) {
  const Lines jobs[] = {{L"[@Job]", L"Run=@A", L"[@A]"}, {L"[@Job]", L"Run="}, {}};
  for (const Lines& lines : jobs) {
    FakeEditor editor;
    const RunResult result = plotrelay::runJob(Job::parse(lines), editor, {});
    EXPECT_EQ(plotrelay::errorLogLines(result),
              (Lines{L"@Job: В задании нет ни одного блока: выводить нечего", L"errors - 1"}));
  }
}

TEST(PlotRelayRunner, WaitsHaveBoundsTheJobCannotLift) {
  struct Case {
    const wchar_t* tries;
    int32_t delay;
    const wchar_t* sleep;
    int lookups;
    int64_t sleptMs;
  } cases[] = {
      {L"99999999", 0, L"1", plotrelay::kMaxTries, 1},     // tries capped
      {L"99999999", 1000, L"1", 60, 60000 + 1},            // a minute of waiting at most
      {L"5", 1000, L"1", 5, 5000 + 1},                     // fewer tries are kept
      {L"1", 0, L"2000000000", 1, plotrelay::kMaxWaitMs},  // a sleep step as well
  };
  for (const Case& c : cases) {
    const Job job = Job::parse({L"[@Job]", L"Run=@A", std::wstring(L"WindowTries=") + c.tries,
                                L"[@A]", L"x=r*X", L"[X]", L"Steps=@S", L"[@S]",
                                std::wstring(L"S1=sleep|") + c.sleep, L"S2=waitwindow|Never"});
    FakeEditor editor;
    plotrelay::RunOptions options;
    options.windowDelay = c.delay;
    plotrelay::runJob(job, editor, options);
    EXPECT_EQ(editor.windowLookups, c.lookups) << c.tries << " " << c.delay;
    EXPECT_EQ(editor.sleptMs, c.sleptMs) << c.tries << " " << c.delay;
  }
}

TEST(PlotRelayRunner, FaultsOfTheJobFailTheirBlocksOnly) {
  const Job job = Job::parse({L"[@Job]",
                              L"Run=@A,@Missing",
                              L"WindowTries=2",
                              L"[@A]",
                              L"one=r*NoSuchBlock",
                              L"two=r*NoSteps",
                              L"three=r*Orphan",
                              L"four=r*BadStep",
                              L"five=r*Good",
                              L"[NoSteps]",
                              L"Steps=@Nowhere",
                              L"[Orphan]",
                              L"Steps=@Orphan",
                              L"[BadStep]",
                              L"Steps=@Bad",
                              L"[Good]",
                              L"Steps=@Good",
                              L"Ext=GTL",
                              L"OutputPathID=D\\",
                              L"[@Orphan]",
                              L"S1=click|5",
                              L"[@Bad]",
                              L"S1=sleep|5",
                              L"S2=jump|1",
                              L"[@Good]",
                              L"S1=sleep|3",
                              L"S2=command|9"});
  FakeEditor editor;
  plotrelay::RunOptions options;
  options.base = L"b";
  std::vector<std::wstring> progress;
  const RunResult result =
      plotrelay::runJob(job, editor, options, [&](size_t i, size_t n, const auto& block) {
        progress.push_back(std::to_wstring(i) + L"/" + std::to_wstring(n) + L" " + block.ref.label +
                           L" " + block.file);
      });
  EXPECT_EQ(plotrelay::errorLogLines(result),
            (Lines{L"@Missing: Нет списка [@Missing] в задании",
                   L"NoSuchBlock: Нет раздела [NoSuchBlock] в задании",
                   L"NoSteps: Нет раздела шагов [@Nowhere] в задании",
                   L"Orphan: Элемент 5: перед шагом не найдено окно (нет шага waitwindow)",
                   L"BadStep: Неизвестный шаг \"jump\"", L"errors - 5"}));
  EXPECT_EQ(progress,
            (Lines{L"0/5 one ", L"1/5 two ", L"2/5 three ", L"3/5 four ", L"4/5 five D\\b.GTL"}));
  EXPECT_EQ(editor.actions, (Lines{L"command 9"}));
  EXPECT_EQ(editor.sleptMs, 8);
}

TEST(PlotRelayRunner, WaitGoneWithoutDialogWaitsForTheTitle) {
  const Job job =
      Job::parse({L"[@Job]", L"Run=@A", L"WindowTries=4", L"[@A]", L"x=r*X", L"[X]", L"Steps=@S",
                  L"[@S]", L"S1=command|1", L"S2=waitgone|Busy|still there"});
  FakeEditor editor;
  editor.opens[1] = {L"Busy", {}, {}, 0};
  const RunResult result = plotrelay::runJob(job, editor, {});
  EXPECT_EQ(result.blocks[0].error, L"still there");
  EXPECT_EQ(editor.windowLookups, 4);
}

// ---- logs ----

TEST(PlotRelayReport, ErrorLogIsCountedAsTheProgramCountsIt) {
  RunResult result;
  for (int i = 0; i < 3; ++i) {
    plotrelay::BlockOutcome b;
    b.ref.section = L"L" + std::to_wstring(i);
    b.ran = true;
    b.failed = i != 1;
    b.error = L"first\r\nerrors - 7";  // a text can never open a counted line
    result.blocks.push_back(b);
  }
  const Lines lines = plotrelay::errorLogLines(result);
  EXPECT_EQ(lines, (Lines{L"L0: first  errors - 7", L"L2: first  errors - 7", L"errors - 2"}));
  testfiles::TempDir dir("plotrelay-log");
  const std::wstring path = base::fromUtf8((dir / "error.log").string());
  plotrelay::writeLines(path, lines);
  EXPECT_EQ(exportcore::countLoggedErrors(path), 2);
  EXPECT_EQ(base::readTextFile(dir / "error.log").encoding, base::Encoding::Utf8Bom);

  plotrelay::writeLines(path, plotrelay::failureLogLines(L"Командная строка", L"плохо\nочень"));
  EXPECT_EQ(base::readTextFile(dir / "error.log").lines,
            (Lines{L"Командная строка: плохо очень", L"errors - 1"}));
  EXPECT_EQ(exportcore::countLoggedErrors(path), 1);

  RunResult clean;
  plotrelay::writeLines(path, plotrelay::errorLogLines(clean));
  EXPECT_EQ(exportcore::countLoggedErrors(path), 0);
  EXPECT_EQ(base::readTextFile(dir / "error.log").lines, (Lines{L"errors - 0"}));
}

TEST(PlotRelayReport, ReportSaysWhatBecameOfEveryBlock) {
  RunResult result;
  plotrelay::BlockOutcome done;
  done.ref.section = L"Top";
  done.file = L"D\\b.GTL";
  done.ran = true;
  done.stepsDone = done.stepCount = 18;
  plotrelay::BlockOutcome failed = done;
  failed.ref.section = L"Bottom";
  failed.failed = true;
  failed.stepsDone = 1;
  failed.error = L"no dialog";
  plotrelay::BlockOutcome skipped;
  skipped.ref.section = L"12Top";
  skipped.failed = true;
  skipped.error = L"gone";
  result.blocks = {done, failed, skipped};
  result.editorLost = true;
  const Lines lines = plotrelay::reportLines({L"head"}, result);
  EXPECT_EQ(lines, (Lines{L"head", L"", L"[Top] D\\b.GTL - готово (шагов: 18)",
                          L"[Bottom] D\\b.GTL - ошибка на шаге 2 из 18: no dialog",
                          L"[12Top] - не выполнен: gone", L"", L"Блоков: 3, с ошибками: 2",
                          L"Окно редактора закрылось во время работы."}));
}

}  // namespace
