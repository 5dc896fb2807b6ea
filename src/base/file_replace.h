// Replaces one file by another in a single step, so that a reader sees either
// the old or the new content, never a half-written file; and the plain delete
// and move of a file.
#pragma once

#include <filesystem>

namespace base {

// A file name next to `path`, in the same directory, for writing the new
// content before it replaces `path`; no other call returns the same name.
std::filesystem::path tempPathNextTo(const std::filesystem::path& path);

// Moves `from` over `to`, replacing `to` when it exists. Throws AppError
// naming `to` when that cannot be done (a read-only target, for example);
// both files are then left as they were.
void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Deletes the file at `path`; false when it cannot be deleted or is not there.
bool removeFile(const std::filesystem::path& path);
// Moves the file `from` to `to`; false when that cannot be done, `from` then
// stays where it was.
bool moveFile(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace base
