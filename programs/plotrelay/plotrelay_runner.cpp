// The plot driver's interpreter (see plotrelay_runner.h).
#include "plotrelay/plotrelay_runner.h"

#include "base/error.h"
#include "plotrelay/plotrelay_steps.h"

namespace plotrelay {

namespace {

const std::wstring kEditorGone = L"Окно редактора больше не существует";
const std::wstring kCancelled = L"Вывод остановлен: окно драйвера закрыто";
const std::wstring kNotRun = L"Не выполнен: вывод остановлен";
const std::wstring kEmptyJob = L"В задании нет ни одного блока: выводить нечего";

int32_t boundedTries(int32_t tries) { return tries > kMaxTries ? kMaxTries : tries; }
int32_t boundedMs(int32_t ms) { return ms < 0 ? 0 : (ms > kMaxWaitMs ? kMaxWaitMs : ms); }

struct RunState {
  bool editorLost = false;
  bool cancelled = false;
};

std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

// Runs the steps of one block; the block's state while it runs.
class BlockRun {
 public:
  BlockRun(EditorPort& editor, const JobSettings& settings, const RunOptions& options,
           RunState& state)
      : editor_(editor), settings_(settings), options_(options), state_(state) {}

  // Carries out one step; returns the error text when the block must end.
  std::wstring perform(const Step& step) {
    switch (step.kind) {
      case StepKind::Command:
        if (!editor_.editorAlive()) return lost();
        editor_.postCommand(step.id);
        return {};
      case StepKind::WaitWindow: {
        const uintptr_t w = search(settings_.windowTries, options_.windowDelay,
                                   [&] { return editor_.findWindow(step.title); });
        if (!w) {
          return searchEnd(orDefault(step.errorText, L"Не открылось окно " + quoted(step.title)));
        }
        dialog_ = w;
        dialogTitle_ = step.title;
        return {};
      }
      case StepKind::SetText:
      case StepKind::Check:
      case StepKind::Select:
      case StepKind::Click:
        return onControl(step);
      case StepKind::WaitGone: {
        const uintptr_t target = dialog_;
        const uintptr_t gone =
            search(settings_.windowTries, options_.windowDelay, [&]() -> uintptr_t {
              return target ? !editor_.windowShown(target) : editor_.findWindow(step.title) == 0;
            });
        if (!gone) {
          return searchEnd(
              orDefault(step.errorText, L"Окно " + quoted(step.title) + L" не закрылось"));
        }
        // A dialog that went together with its editor did not finish its work.
        if (!editor_.editorAlive()) return lost();
        dialog_ = 0;
        return {};
      }
      case StepKind::Sleep:
        editor_.sleep(boundedMs(step.id));
        return {};
    }
    return {};
  }

  std::wstring lost() {
    state_.editorLost = true;
    return kEditorGone;
  }

 private:
  // Why a search ended without its window or control: the editor gone, a
  // stop, or else `failure`.
  std::wstring searchEnd(const std::wstring& failure) const {
    if (state_.editorLost) return kEditorGone;
    if (state_.cancelled) return kCancelled;
    return failure;
  }

  static std::wstring orDefault(const std::wstring& text, const std::wstring& fallback) {
    return text.empty() ? fallback : text;
  }

  // Sleeps `delay` before every lookup; 0 after `tries` lookups (at most
  // kMaxTries), after kMaxWaitMs slept in all, as soon as a lookup fails
  // while the editor's main window is gone, or when a stop is requested.
  template <typename Lookup>
  uintptr_t search(int32_t tries, int32_t delay, Lookup lookup) {
    const int32_t pause = boundedMs(delay);
    int64_t slept = 0;
    for (int32_t t = 0; t < boundedTries(tries); ++t) {
      editor_.sleep(pause);
      slept += pause;
      if (const uintptr_t found = lookup()) return found;
      if (!editor_.editorAlive()) {
        state_.editorLost = true;
        return 0;
      }
      if (options_.stopRequested && options_.stopRequested()) {
        state_.cancelled = true;
        return 0;
      }
      if (slept >= kMaxWaitMs) return 0;
    }
    return 0;
  }

  std::wstring onControl(const Step& step) {
    if (!dialog_)
      return L"Элемент " + std::to_wstring(step.id) +
             L": перед шагом не найдено окно (нет шага waitwindow)";
    const uintptr_t control = search(settings_.controlTries, options_.controlDelay,
                                     [&] { return editor_.findControl(dialog_, step.id); });
    if (!control) {
      return searchEnd(L"Нет элемента " + std::to_wstring(step.id) + L" в окне " + dialogTitle_);
    }
    switch (step.kind) {
      case StepKind::SetText:
        editor_.setText(control, step.text);
        break;
      case StepKind::Check:
        editor_.setCheck(control, step.checked);
        break;
      case StepKind::Select:
        if (!editor_.selectItem(dialog_, control, step.id, step.text)) {
          return orDefault(step.errorText, L"Нет строки " + quoted(step.text) + L" в списке " +
                                               std::to_wstring(step.id) + L" окна " + dialogTitle_);
        }
        break;
      default:
        editor_.click(control);
        break;
    }
    return {};
  }

  EditorPort& editor_;
  const JobSettings& settings_;
  const RunOptions& options_;
  RunState& state_;
  uintptr_t dialog_ = 0;  // the current dialog
  std::wstring dialogTitle_;
};

bool stopAsked(const RunOptions& options) {
  return options.stopRequested && options.stopRequested();
}

void runBlock(const Job& job, const JobSettings& settings, EditorPort& editor,
              const RunOptions& options, BlockOutcome& outcome, RunState& state) {
  const JobSection* block = job.section(outcome.ref.section);
  if (!block) {
    outcome.failed = true;
    outcome.error = L"Нет раздела [" + outcome.ref.section + L"] в задании";
    return;
  }
  const std::wstring stepsName = block->value(L"Steps");
  const JobSection* steps = job.section(stepsName);
  if (!steps) {
    outcome.failed = true;
    outcome.error = L"Нет раздела шагов [" + stepsName + L"] в задании";
    return;
  }
  const std::vector<std::wstring> entries = stepEntries(*steps);
  outcome.stepCount = static_cast<int>(entries.size());
  const KeyLookup lookup = [block](const std::wstring& key) { return block->value(key); };
  BlockRun run(editor, settings, options, state);
  for (const std::wstring& entry : entries) {
    std::wstring error;
    if (stopAsked(options)) {
      state.cancelled = true;
      outcome.failed = true;
      outcome.error = kCancelled;
      return;
    }
    try {
      error = run.perform(parseStep(entry, lookup, options.base));
    } catch (const base::AppError& e) {
      error = e.text();
    }
    if (!error.empty()) {
      outcome.failed = true;
      outcome.error = error;
      return;
    }
    ++outcome.stepsDone;
  }
  // Every step came through, but the editor is gone: its last steps may
  // not have finished the file.
  if (!editor.editorAlive()) {
    outcome.failed = true;
    outcome.error = run.lost();
  }
}

BlockOutcome failedBlock(const BlockRef& ref, const std::wstring& error) {
  BlockOutcome outcome;
  outcome.ref = ref;
  outcome.failed = true;
  outcome.error = error;
  return outcome;
}

// A block's outcome before it runs: its reference and the file it writes.
BlockOutcome outcomeBefore(const Job& job, const BlockRef& ref, const RunOptions& options) {
  BlockOutcome outcome;
  outcome.ref = ref;
  if (const JobSection* block = job.section(ref.section)) {
    const std::wstring ext = block->value(L"Ext");
    if (!ext.empty()) outcome.file = block->value(L"OutputPathID") + options.base + L"." + ext;
  }
  return outcome;
}

}  // namespace

int RunResult::failedCount() const {
  int n = 0;
  for (const BlockOutcome& b : blocks) n += b.failed ? 1 : 0;
  return n;
}

RunResult runJob(const Job& job, EditorPort& editor, const RunOptions& options,
                 const ProgressFn& progress) {
  RunResult result;
  const JobSettings settings = job.settings();
  std::vector<std::wstring> missing;
  const std::vector<BlockRef> refs = job.blocks(&missing);
  for (const std::wstring& list : missing) {
    result.blocks.push_back(
        failedBlock({list, L"", list}, L"Нет списка [" + list + L"] в задании"));
  }
  if (!missing.empty() && options.stopOnError) {
    result.stopped = true;
    return result;
  }
  if (refs.empty() && missing.empty()) {
    result.blocks.push_back(failedBlock({L"@Job", L"", L"@Job"}, kEmptyJob));
    return result;
  }
  RunState state;
  for (size_t i = 0; i < refs.size(); ++i) {
    BlockOutcome outcome = outcomeBefore(job, refs[i], options);
    if (!state.editorLost && !editor.editorAlive()) state.editorLost = true;
    if (!state.cancelled && stopAsked(options)) state.cancelled = true;
    if (state.editorLost) {
      outcome.failed = true;
      outcome.error = kEditorGone;
    } else if (state.cancelled) {
      outcome.failed = true;
      outcome.error = kNotRun;
    } else {
      if (progress) progress(i, refs.size(), outcome);
      outcome.ran = true;
      runBlock(job, settings, editor, options, outcome, state);
    }
    result.blocks.push_back(outcome);
    // A stop lists every block that was not done, whatever the error policy.
    if (outcome.failed && options.stopOnError && !state.cancelled) {
      result.stopped = true;
      break;
    }
  }
  result.editorLost = state.editorLost;
  result.cancelled = state.cancelled;
  return result;
}

}  // namespace plotrelay
