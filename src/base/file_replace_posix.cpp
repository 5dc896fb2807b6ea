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
      throw AppError(L"Cannot create file \"" + pathText(to) + L"\". Access is denied");
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
    throw AppError(L"Cannot create file \"" + pathText(to) + L"\". " + fromUtf8(ec.message()));
  }
}

}  // namespace base
