// The record of what the editor failed to give (see editor_misses.h).
#include "cadlink/editor_misses.h"

#include <algorithm>

namespace cadlink {

void EditorMisses::start() {
  watching_ = true;
  missing_.clear();
  unanswered_ = 0;
  skipped_ = 0;
}

void EditorMisses::stop() { watching_ = false; }

void EditorMisses::windowNeverOpened(const std::wstring& title) {
  if (!watching_ || knownMissing(title)) return;
  missing_.push_back(title);
}

bool EditorMisses::knownMissing(const std::wstring& title) const {
  return watching_ && std::find(missing_.begin(), missing_.end(), title) != missing_.end();
}

void UnreadSteps::after(const std::wstring& step, bool failed) {
  const size_t now = misses_.count();
  if (now > seen_ || failed) steps_.push_back(step);
  seen_ = now;
}

std::wstring UnreadSteps::message() const {
  std::wstring text = L"Не удалось прочитать из редактора: ";
  for (size_t i = 0; i < steps_.size(); ++i) text += (i ? L", " : L"") + steps_[i];
  text += L".";
  const std::vector<std::wstring>& windows = misses_.missingWindows();
  if (!windows.empty()) {
    text += L"\rНе открылись окна редактора: ";
    for (size_t i = 0; i < windows.size(); ++i) {
      text += (i ? L", \"" : L"\"") + windows[i] + L"\"";
    }
    text += L".";
  }
  return text;
}

}  // namespace cadlink
