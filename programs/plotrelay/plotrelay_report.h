// What the plot driver leaves besides the output files: the error log
// D + "error.log" that the export run counts, and the driver's own readable
// report D + B + ".ERR".
#pragma once

#include <string>
#include <vector>

#include "plotrelay/plotrelay_runner.h"

namespace plotrelay {

// One line per failed block, "<section>: <error text>", then
// "errors - <number of failed blocks>". Line breaks inside a text become
// blanks, so no text can open a line of its own.
std::vector<std::wstring> errorLogLines(const RunResult& result);

// The error log of a run that could not start (a malformed command line, a
// job that cannot be read): "<where>: <text>" and "errors - 1".
std::vector<std::wstring> failureLogLines(const std::wstring& where, const std::wstring& text);

// The readable report: the header lines given, then one line per block with
// its file and what became of it, then a summary.
std::vector<std::wstring> reportLines(const std::vector<std::wstring>& header,
                                      const RunResult& result);

// Writes lines as a UTF-8 text file with byte-order mark and CR LF, through
// a temporary file. Throws AppError when it cannot be written.
void writeLines(const std::wstring& path, const std::vector<std::wstring>& lines);

}  // namespace plotrelay
