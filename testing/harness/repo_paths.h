// Where the source tree's data lies when seen from the Windows build tree:
// found by walking up from the test program's folder.
#pragma once

#include <filesystem>

namespace harness {

// The nearest folder at or above buildDir() that holds dist/boards, joined
// with dist/boards; empty when there is none.
std::filesystem::path boardsDir();
// The folder that holds dist/ (the source tree's root), or empty.
std::filesystem::path sourceRoot();

}  // namespace harness
