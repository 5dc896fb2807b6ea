// Shared helpers of the fuzz targets: a private scratch folder per process,
// files written and read as bytes, and the check that stops a run with a
// finding when a property does not hold.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fuzz {

namespace fs = std::filesystem;

// A folder of this process's own, made empty on every call; it is removed
// when the process ends.
inline fs::path scratchDir() {
  static const fs::path dir = [] {
    const fs::path d = fs::temp_directory_path() / ("tavrolin-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(d);
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(fs::temp_directory_path() / ("tavrolin-fuzz-" + std::to_string(::getpid())),
                     ec);
    });
    return d;
  }();
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    std::error_code ec;
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(entry.path(), ec);
  }
  return dir;
}

inline void writeBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A property that does not hold: named on stderr, and the run stops with a
// finding (libFuzzer saves the input).
#define FUZZ_CHECK(condition)                                                                \
  do {                                                                                       \
    if (!(condition)) {                                                                      \
      std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                          \
    }                                                                                        \
  } while (0)

}  // namespace fuzz
