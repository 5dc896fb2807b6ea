// Names of the temporary files that atomic replaces write first.
#include <atomic>
#include <chrono>
#include <string>

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

}  // namespace base
