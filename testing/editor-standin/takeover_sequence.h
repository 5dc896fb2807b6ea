// Whether a value typed into an editor field is taken over: the field's new
// text counts only when the window then receives an exact run of messages
// (notifications, key strokes) before its OK.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace standin {

struct ExpectedMessage {
  unsigned msg;
  uint32_t wParam;
  std::optional<uint32_t> lParam;  // none: any lParam
};

class TakeoverSequence {
 public:
  explicit TakeoverSequence(std::vector<ExpectedMessage> steps) : steps_(std::move(steps)) {}

  // The field's text was set from outside: the run starts again.
  void textSet(const std::wstring& text);
  // A message of the watched kind arrived; anything but the next expected
  // one spoils the pending text until the next textSet. Once the run is
  // complete, later messages change nothing.
  void received(unsigned msg, uint32_t wParam, uint32_t lParam);
  // The pending text when the whole run arrived after the last textSet.
  std::optional<std::wstring> ready() const;

 private:
  std::vector<ExpectedMessage> steps_;
  std::optional<std::wstring> pending_;
  size_t next_ = 0;
  bool spoiled_ = false;
};

}  // namespace standin
