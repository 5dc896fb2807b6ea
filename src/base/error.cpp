// Errors with the run-time's message texts, and the texts of failed file
// operations.
#include "base/error.h"

#include <utility>

#include "base/encoding.h"

namespace base {

AppError::AppError(std::wstring text) : std::runtime_error(toUtf8(text)), text_(std::move(text)) {}

void throwListIndex(long long index) {
  throw AppError(L"Индекс списка вне границ (" + std::to_wstring(index) + L")");
}

void throwNotInteger(const std::wstring& text) {
  throw AppError(L"'" + text + L"' не является целым числом");
}

std::wstring fileErrorText(FileAction action, const std::wstring& file,
                           const std::wstring& reason) {
  const wchar_t* what = L"";
  switch (action) {
    case FileAction::Open:
      what = L"Не удалось открыть файл \"";
      break;
    case FileAction::Read:
      what = L"Не удалось прочитать файл \"";
      break;
    case FileAction::Create:
      what = L"Не удалось создать файл \"";
      break;
    case FileAction::Write:
      what = L"Не удалось записать файл \"";
      break;
    case FileAction::Replace:
      what = L"Не удалось заменить файл \"";
      break;
  }
  return what + file + L"\"" + (reason.empty() ? std::wstring() : L": " + reason);
}

}  // namespace base
