// Errors that the platform or the run-time would raise (a file that cannot be
// read, a text that is not a number, an index outside a list). They carry the
// text the user sees, in Russian like the rest of the program; every event handler of a window
// catches them at its edge and shows the standard error box.
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

// "Индекс списка вне границ (3)"
[[noreturn]] void throwListIndex(long long index);
// "'abc' не является целым числом"
[[noreturn]] void throwNotInteger(const std::wstring& text);

// What was being done to a file when it failed.
enum class FileAction { Open, Read, Create, Write, Replace };

// "Не удалось создать файл "X"" and the like, with ": " and the platform's
// reason after it when there is one.
std::wstring fileErrorText(FileAction action, const std::wstring& file,
                           const std::wstring& reason = std::wstring());

}  // namespace base
