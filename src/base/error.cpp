// Errors with the run-time's message texts, and the two texts that the
// program raises itself.
#include "base/error.h"

#include <utility>

#include "base/encoding.h"

namespace base {

AppError::AppError(std::wstring text) : std::runtime_error(toUtf8(text)), text_(std::move(text)) {}

void throwListIndex(long long index) {
  throw AppError(L"List index out of bounds (" + std::to_wstring(index) + L")");
}

void throwNotInteger(const std::wstring& text) {
  throw AppError(L"'" + text + L"' is not a valid integer value");
}

}  // namespace base
