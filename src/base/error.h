// Errors that the platform or the run-time would raise (a file that cannot be
// read, a text that is not a number, an index outside a list). They carry the
// text the user sees; every event handler of a window catches them at its
// edge and shows the standard error box.
#pragma once

#include <stdexcept>
#include <string>

namespace base {

class AppError : public std::runtime_error {
 public:
  explicit AppError(std::wstring text);
  const std::wstring& text() const { return text_; }

 private:
  std::wstring text_;
};

// "List index out of bounds (3)"
[[noreturn]] void throwListIndex(long long index);
// "'abc' is not a valid integer value"
[[noreturn]] void throwNotInteger(const std::wstring& text);

}  // namespace base
