// The plot driver's error log: lines "errors - N" whose counts are summed.
#pragma once

#include <cstdint>
#include <string>

namespace exportcore {

// The count of one log line: the whole decimal number after "errors - "
// (leading blanks allowed, nothing after the digits); 0 for any other line.
int64_t errorCountOf(const std::wstring& line);

// The error count of the log `filename`: the sum of the counts of its lines,
// at most the largest 32-bit value. Throws AppError when the file cannot be
// read.
int32_t countLoggedErrors(const std::wstring& filename);

}  // namespace exportcore
