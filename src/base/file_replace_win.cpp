// Atomic file replace on Windows: MoveFileExW with replace and write-through.
#include <windows.h>

#include <string>

#include "base/error.h"
#include "base/file_faults.h"
#include "base/file_replace.h"

namespace base {

namespace {

// The reason for a failure: the common ones in the program's own words, any
// other as the system words it.
std::wstring systemMessage(DWORD code) {
  switch (code) {
    case ERROR_ACCESS_DENIED:
      return L"доступ запрещён";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return L"файл занят другой программой";
    case ERROR_FILE_NOT_FOUND:
      return L"файл не найден";
    case ERROR_PATH_NOT_FOUND:
      return L"папка не найдена";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return L"на диске нет места";
    case ERROR_WRITE_PROTECT:
      return L"диск защищён от записи";
    default:
      break;
  }
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = n ? std::wstring(buffer, n) : L"ошибка " + std::to_wstring(code);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' ||
                           text.back() == L'.')) {
    text.pop_back();
  }
  return text;
}

}  // namespace

void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  // Windows refuses to replace a read-only file; say so before moving, since
  // not every file system behind MoveFileExW checks the attribute.
  const DWORD attributes = GetFileAttributesW(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    throw AppError(fileErrorText(FileAction::Write, to.wstring(), L"файл только для чтения"));
  }
  BOOL moved = FALSE;
  if (fileStepFails(FileStep::Replace)) {
    SetLastError(ERROR_ACCESS_DENIED);
  } else {
    moved =
        MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }
  if (!moved) {
    const DWORD code = GetLastError();
    throw AppError(fileErrorText(FileAction::Replace, to.wstring(), systemMessage(code)));
  }
}

}  // namespace base
