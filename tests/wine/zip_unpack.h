// Unpacking a zip archive as an operator's unzip tool would, for the test of
// the release archive: stored and deflated entries, names in UTF-8 or the
// ANSI code page, every entry's checksum checked; zlib inflates.
#pragma once

#include <filesystem>
#include <string>

namespace zip_test {

// Unpacks every entry of `archive` into `into`; returns a description of the
// first problem, or "" when all went well.
std::string unpack(const std::filesystem::path& archive, const std::filesystem::path& into);

// Inflates a raw deflate stream; false when the stream is broken or cut short.
bool inflate(const std::string& packed, std::string& out);

}  // namespace zip_test
