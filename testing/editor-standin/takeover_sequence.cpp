// Tracking of the message run that makes an editor field take a value.
#include "takeover_sequence.h"

namespace standin {

void TakeoverSequence::textSet(const std::wstring& text) {
  pending_ = text;
  next_ = 0;
  spoiled_ = false;
}

void TakeoverSequence::received(unsigned msg, uint32_t wParam, uint32_t lParam) {
  if (!pending_ || spoiled_ || next_ == steps_.size()) return;
  const ExpectedMessage& want = steps_[next_];
  bool match = want.msg == msg && want.wParam == wParam && (!want.lParam || *want.lParam == lParam);
  if (match) {
    ++next_;
  } else {
    spoiled_ = true;
  }
}

std::optional<std::wstring> TakeoverSequence::ready() const {
  if (pending_ && !spoiled_ && next_ == steps_.size()) return pending_;
  return std::nullopt;
}

}  // namespace standin
