// Big text files line by line without holding them whole: a reader that
// decodes as readTextFile does (byte-order mark, else the ANSI code page) and
// splits at CR, LF and CR LF; and a writer that writes CR LF after every
// line into a temporary file that replaces the target only on commit().
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "base/text_file.h"

namespace base {

class LineReader {
 public:
  // Throws AppError when the file cannot be opened. `chunkSize` is the size
  // of each read (small values are for tests).
  explicit LineReader(const std::filesystem::path& path, size_t chunkSize = 1 << 16);
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  Encoding encoding() const { return encoding_; }
  // The next line, without its break; false at the end of the file.
  bool next(std::wstring& line);

 private:
  bool fill();
  std::wstring decode(std::string_view bytes) const;

  std::filesystem::path path_;
  std::ifstream file_;
  size_t chunkSize_;
  Encoding encoding_ = Encoding::Ansi;
  std::string pending_;  // bytes read but not yet returned
  size_t pos_ = 0;       // scan position in pending_
  bool eof_ = false;
  bool afterCr_ = false;  // the last line ended with CR: skip an LF that follows
};

class LineWriter {
 public:
  // Opens a temporary file next to `target`; throws AppError naming the target
  // when it cannot be created.
  LineWriter(const std::filesystem::path& target, Encoding encoding);
  // Without commit(), the temporary file is removed and the target untouched.
  ~LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  void writeLine(std::wstring_view line);
  // Closes the temporary file and replaces the target with it; throws
  // AppError when a write failed or the target cannot be replaced.
  void commit();

 private:
  std::filesystem::path target_;
  std::filesystem::path temp_;
  std::ofstream file_;
  Encoding encoding_;
  bool committed_ = false;
  bool failed_ = false;
};

}  // namespace base
