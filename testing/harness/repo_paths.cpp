// Source tree lookup from the build tree.
#include "repo_paths.h"

#include "harness.h"

namespace fs = std::filesystem;

namespace harness {

fs::path sourceRoot() {
  std::error_code ec;
  for (fs::path p = buildDir(); !p.empty(); p = p.parent_path()) {
    if (fs::is_directory(p / L"dist" / L"boards", ec)) return p;
    if (p == p.parent_path()) break;
  }
  return {};
}

fs::path boardsDir() {
  fs::path root = sourceRoot();
  return root.empty() ? fs::path() : root / L"dist" / L"boards";
}

}  // namespace harness
