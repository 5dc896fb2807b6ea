// A small zip archive writer: each member deflated with zlib, a local header
// before it, the central directory at the end, names stored as UTF-8 and
// flagged so. The archive is written to a temporary file next to the target
// and then replaces the target, so an older archive is never left half
// written. Members and the archive stay below 4 GiB (no zip64).
#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace exportcore {

// One member: its name inside the archive (UTF-8) and where its bytes come
// from: a file, or `bytes` when `source` is empty.
struct ZipMember {
  std::string name;
  std::filesystem::path source;
  std::string bytes;
};

// Writes `members` in order into the archive `target`, each stamped with the
// local time `when`. Throws AppError (Russian text naming the file) when a
// source cannot be read or the archive cannot be written; `target` is then
// left as it was and no temporary file stays behind.
void writeZip(const std::filesystem::path& target, const std::vector<ZipMember>& members,
              std::time_t when);

}  // namespace exportcore
