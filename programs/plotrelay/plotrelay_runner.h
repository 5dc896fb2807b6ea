// The plot driver's interpreter: runs every block of a job through its step
// section against the editor, with retrying window and control searches,
// and collects what failed. The editor is reached through EditorPort, so the
// whole run can be exercised against a fake.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "plotrelay/plotrelay_job.h"

namespace plotrelay {

// What the interpreter needs of the editor. Handles are 0 for none.
class EditorPort {
 public:
  virtual ~EditorPort() = default;
  // True while the editor's main window exists.
  virtual bool editorAlive() = 0;
  // Posts WM_COMMAND (wParam = id, lParam = 0) to the editor's main window.
  virtual void postCommand(int32_t id) = 0;
  // One lookup: a visible top-level window of the editor's process with
  // exactly this title.
  virtual uintptr_t findWindow(const std::wstring& title) = 0;
  // True while the window exists and is visible.
  virtual bool windowShown(uintptr_t window) = 0;
  // One lookup: the control with this ID in the dialog.
  virtual uintptr_t findControl(uintptr_t dialog, int32_t id) = 0;
  virtual void setText(uintptr_t control, const std::wstring& text) = 0;
  virtual void setCheck(uintptr_t control, bool checked) = 0;
  // Selects the list item whose text equals `text` and notifies the dialog;
  // false when the list has no such item.
  virtual bool selectItem(uintptr_t dialog, uintptr_t list, int32_t id,
                          const std::wstring& text) = 0;
  virtual void click(uintptr_t control) = 0;
  // Waits `ms` milliseconds (keeping the driver's own window responsive).
  virtual void sleep(int32_t ms) = 0;
};

// Bounds that no job can lift: tries per search (a job may ask for fewer),
// and the time one wait may sleep in all (a search, or a sleep step).
constexpr int32_t kMaxTries = 10000;
constexpr int32_t kMaxWaitMs = 60000;

struct RunOptions {
  int32_t windowDelay = 0;
  int32_t controlDelay = 0;
  bool stopOnError = false;
  std::wstring base;  // the design base name B for {Base}
  // Asked before every step and between the tries of a search: true ends
  // the run there (the operator closed the driver's window).
  std::function<bool()> stopRequested;
};

// The outcome of one block, or of a run list that could not be run.
struct BlockOutcome {
  BlockRef ref;
  std::wstring file;  // OutputPathID + B + "." + Ext, when the block has an Ext
  bool ran = false;   // false: never started (the editor was gone)
  bool failed = false;
  std::wstring error;  // why it failed
  int stepsDone = 0;   // steps carried out before the end or the failure
  int stepCount = 0;
};

struct RunResult {
  std::vector<BlockOutcome> blocks;
  bool editorLost = false;  // the editor's main window went away
  bool stopped = false;     // ended at the first failed block
  bool cancelled = false;   // ended because a stop was requested
  int failedCount() const;
};

// Called before every block: its 0-based index, the number of blocks and
// the block itself.
using ProgressFn = std::function<void(size_t index, size_t count, const BlockOutcome& block)>;

RunResult runJob(const Job& job, EditorPort& editor, const RunOptions& options,
                 const ProgressFn& progress = {});

}  // namespace plotrelay
