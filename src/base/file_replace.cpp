// Names of the temporary files that atomic replaces write first; delete and
// move of a file.
#include <atomic>
#include <chrono>
#include <string>
#include <system_error>

#include "base/file_faults.h"
#include "base/file_replace.h"

namespace base {

std::filesystem::path tempPathNextTo(const std::filesystem::path& path) {
  static std::atomic<unsigned> counter{0};
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  std::filesystem::path name = path.filename();
  name += ".~" + std::to_string(static_cast<unsigned long long>(ticks) % 1000000007ULL) + "_" +
          std::to_string(counter++) + ".tmp";
  return path.parent_path() / name;
}

bool removeFile(const std::filesystem::path& path) {
  if (fileStepFails(FileStep::Delete)) return false;
  std::error_code ec;
  return std::filesystem::remove(path, ec) && !ec;
}

bool moveFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (fileStepFails(FileStep::Rename)) return false;
  std::error_code ec;
  std::filesystem::rename(from, to, ec);
  return !ec;
}

}  // namespace base
