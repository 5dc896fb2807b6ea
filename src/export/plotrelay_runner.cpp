// The plot driver's interpreter (see plotrelay_runner.h).
#include "export/plotrelay_runner.h"

#include "base/error.h"
#include "export/plotrelay_steps.h"

namespace plotrelay {

namespace {

const std::wstring kEditorGone = L"Окно редактора больше не существует";

std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

// Runs the steps of one block; the block's state while it runs.
class BlockRun {
 public:
  BlockRun(EditorPort& editor, const JobSettings& settings, const RunOptions& options, bool& editorLost)
      : editor_(editor), settings_(settings), options_(options), editorLost_(editorLost) {}

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
        if (!w) return editorLost_ ? kEditorGone : orDefault(step.errorText, L"Не открылось окно " + quoted(step.title));
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
        const uintptr_t gone = search(settings_.windowTries, options_.windowDelay, [&]() -> uintptr_t {
          return target ? !editor_.windowShown(target) : editor_.findWindow(step.title) == 0;
        });
        if (!gone) return editorLost_ ? kEditorGone : orDefault(step.errorText, L"Окно " + quoted(step.title) + L" не закрылось");
        dialog_ = 0;
        return {};
      }
      case StepKind::Sleep:
        editor_.sleep(step.id);
        return {};
    }
    return {};
  }

 private:
  std::wstring lost() {
    editorLost_ = true;
    return kEditorGone;
  }

  static std::wstring orDefault(const std::wstring& text, const std::wstring& fallback) {
    return text.empty() ? fallback : text;
  }

  // Sleeps `delay` before every lookup; 0 after `tries` lookups or as soon
  // as a lookup fails while the editor's main window is gone.
  template <typename Lookup>
  uintptr_t search(int32_t tries, int32_t delay, Lookup lookup) {
    for (int32_t t = 0; t < tries; ++t) {
      editor_.sleep(delay);
      if (const uintptr_t found = lookup()) return found;
      if (!editor_.editorAlive()) {
        editorLost_ = true;
        return 0;
      }
    }
    return 0;
  }

  std::wstring onControl(const Step& step) {
    if (!dialog_) return L"Элемент " + std::to_wstring(step.id) + L": перед шагом не найдено окно (нет шага waitwindow)";
    const uintptr_t control = search(settings_.controlTries, options_.controlDelay,
                                     [&] { return editor_.findControl(dialog_, step.id); });
    if (!control) {
      return editorLost_ ? kEditorGone : L"Нет элемента " + std::to_wstring(step.id) + L" в окне " + dialogTitle_;
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
          return orDefault(step.errorText, L"Нет строки " + quoted(step.text) + L" в списке " + std::to_wstring(step.id) +
                                               L" окна " + dialogTitle_);
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
  bool& editorLost_;
  uintptr_t dialog_ = 0;  // the current dialog
  std::wstring dialogTitle_;
};

void runBlock(const Job& job, const JobSettings& settings, EditorPort& editor, const RunOptions& options,
              BlockOutcome& outcome, bool& editorLost) {
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
  BlockRun run(editor, settings, options, editorLost);
  for (const std::wstring& entry : entries) {
    std::wstring error;
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
}

}  // namespace

int RunResult::failedCount() const {
  int n = 0;
  for (const BlockOutcome& b : blocks) n += b.failed ? 1 : 0;
  return n;
}

RunResult runJob(const Job& job, EditorPort& editor, const RunOptions& options, const ProgressFn& progress) {
  RunResult result;
  const JobSettings settings = job.settings();
  std::vector<std::wstring> missing;
  const std::vector<BlockRef> refs = job.blocks(&missing);
  for (const std::wstring& list : missing) {
    BlockOutcome outcome;
    outcome.ref = {list, L"", list};
    outcome.failed = true;
    outcome.error = L"Нет списка [" + list + L"] в задании";
    result.blocks.push_back(outcome);
  }
  if (!missing.empty() && options.stopOnError) {
    result.stopped = true;
    return result;
  }
  for (size_t i = 0; i < refs.size(); ++i) {
    BlockOutcome outcome;
    outcome.ref = refs[i];
    if (const JobSection* block = job.section(refs[i].section)) {
      const std::wstring ext = block->value(L"Ext");
      if (!ext.empty()) outcome.file = block->value(L"OutputPathID") + options.base + L"." + ext;
    }
    if (!result.editorLost && !editor.editorAlive()) result.editorLost = true;
    if (result.editorLost) {
      outcome.failed = true;
      outcome.error = kEditorGone;
    } else {
      if (progress) progress(i, refs.size(), outcome);
      outcome.ran = true;
      runBlock(job, settings, editor, options, outcome, result.editorLost);
    }
    result.blocks.push_back(outcome);
    if (outcome.failed && options.stopOnError) {
      result.stopped = true;
      break;
    }
  }
  return result;
}

}  // namespace plotrelay
