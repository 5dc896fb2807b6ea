// Atomic file replace outside Windows: rename(2). A target without write
// permission is refused, as Windows refuses to replace a read-only file.
#include <system_error>

#include "base/encoding.h"
#include "base/error.h"
#include "base/file_faults.h"
#include "base/file_replace.h"
#include "base/path_text.h"

namespace base {

namespace fs = std::filesystem;

void replaceFile(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  const fs::file_status target = fs::status(to, ec);
  if (!ec && fs::exists(target)) {
    if ((target.permissions() & fs::perms::owner_write) == fs::perms::none) {
      throw AppError(fileErrorText(FileAction::Write, pathText(to), L"файл только для чтения"));
    }
    // The new file takes the old one's permissions.
    fs::permissions(from, target.permissions(), ec);
  }
  if (fileStepFails(FileStep::Replace)) {
    ec = std::make_error_code(std::errc::permission_denied);
  } else {
    fs::rename(from, to, ec);
  }
  if (ec) {
    const std::wstring reason =
        ec == std::errc::permission_denied ? L"доступ запрещён" : fromUtf8(ec.message());
    throw AppError(fileErrorText(FileAction::Replace, pathText(to), reason));
  }
}

}  // namespace base
