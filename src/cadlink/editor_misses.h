// What the editor failed to give the program while a stretch of work is
// being watched (the start-up): the dialogs that never opened and the
// messages it did not answer in time. While watched, a dialog that already
// failed to open is not waited for a second time, so that an editor whose
// dialogs never come costs one wait per dialog and not one per read.
#pragma once

#include <string>
#include <vector>

namespace cadlink {

class EditorMisses {
 public:
  // Starts watching with an empty record; stop() ends it.
  void start();
  void stop();
  bool watching() const { return watching_; }

  // A window search for `title` gave up while the editor existed.
  void windowNeverOpened(const std::wstring& title);
  // Whether a search for `title` is known to be in vain while watching.
  bool knownMissing(const std::wstring& title) const;
  // A message to the editor was not answered (hung, gone, or too slow).
  void unanswered() { ++unanswered_; }
  // A search was not made because its window is known to be missing.
  void skipped() { ++skipped_; }

  // Count of misses so far: a later count above an earlier one means that
  // the work in between met one.
  size_t count() const { return missing_.size() + unanswered_ + skipped_; }
  const std::vector<std::wstring>& missingWindows() const { return missing_; }

 private:
  bool watching_ = false;
  std::vector<std::wstring> missing_;
  size_t unanswered_ = 0;
  size_t skipped_ = 0;
};

// Names what a stretch of watched work could not read, step by step: each
// step's name is kept when the step met a miss.
class UnreadSteps {
 public:
  explicit UnreadSteps(const EditorMisses& misses) : misses_(misses), seen_(misses.count()) {}
  // `failed` names the step also when no miss was noted (a value the step
  // itself found incomplete).
  void after(const std::wstring& step, bool failed = false);
  bool empty() const { return steps_.empty(); }
  // "Не удалось прочитать из редактора: a, b.\rНе открылись окна редактора:
  // "X", "Y"." (the second sentence only when a dialog never opened).
  std::wstring message() const;

 private:
  const EditorMisses& misses_;
  size_t seen_;
  std::vector<std::wstring> steps_;
};

}  // namespace cadlink
