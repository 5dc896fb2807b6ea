// Big text files line by line without holding them whole: a reader that
// hands out the lines of a file as the file's own code units, and a writer
// that writes lines with CR LF into a temporary file in the target's
// directory and then replaces the target with it.
//
// A line is handed out as its raw bytes without its line break: single
// bytes for 8-bit and UTF-8 files, UTF-16LE byte pairs for UTF-16 files.
// Bytes that are not changed are thus written back exactly as they were;
// decodeText (text_file.h) turns a line into text. The encoding is the one
// readTextFile finds (byte-order mark, else the ANSI code page); lines end at
// CR, LF or CR LF; a final line break opens no empty line.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "base/text_file.h"

namespace base {

// The size of the reading and writing buffers: 1 MiB. The fuzz tree makes it
// small, so that its short inputs cross buffer ends too.
#ifndef TAVROLIN_LINE_BUFFER
#define TAVROLIN_LINE_BUFFER (size_t{1} << 20)
#endif
constexpr size_t kLineBuffer = TAVROLIN_LINE_BUFFER;

class LineReader {
 public:
  // Throws AppError when the file cannot be opened. `bufferSize` is the size
  // of the first read; the buffer grows for longer lines (small values are
  // for tests).
  explicit LineReader(const std::filesystem::path& path, size_t bufferSize = kLineBuffer);
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  Encoding encoding() const { return encoding_; }
  // Bytes per code unit: 2 for UTF-16 files, else 1.
  size_t unitSize() const { return unit_; }

  // The next line; the view stays valid until the next call. False at the
  // end of the file. Throws AppError when reading fails.
  bool next(std::string_view& line);
  // The buffered lines from the next one through the last line break read so
  // far, as raw bytes with their breaks, reading on when no break is buffered;
  // at the end of the file, a last line without a break. The view stays valid
  // until the next call, and next() goes on after these lines. An LF that
  // follows a CR ending the view belongs to that CR's line and is skipped.
  // For passing a whole file through in large pieces. False at the end of
  // the file. Throws AppError when reading fails.
  bool nextLines(std::string_view& lines);
  void close() { in_.close(); }

 private:
  bool fill();
  void skipLfAfterCr();
  size_t findBreak(size_t from) const;
  size_t findLastBreak(size_t limit) const;

  std::filesystem::path path_;
  std::ifstream in_;
  Encoding encoding_ = Encoding::Ansi;
  size_t unit_ = 1;
  std::vector<char> buf_;
  size_t pos_ = 0;  // start of the next line
  size_t end_ = 0;  // end of the bytes read
  bool eof_ = false;
  bool skipLf_ = false;  // the last line ended with CR: a following LF belongs to it
};

// True when the 8-bit bytes end with a line break and every break in them is
// CR LF: no lone CR, no lone LF.
bool breaksAreCrLf(std::string_view bytes);

// True when the line's first characters are exactly `ascii`.
bool lineStartsWith(std::string_view line, size_t unitSize, std::string_view ascii);
// True when the line is exactly `ascii`.
bool lineIs(std::string_view line, size_t unitSize, std::string_view ascii);

class LineWriter {
 public:
  // Opens a temporary file beside `target` and writes the encoding's
  // byte-order mark. Throws AppError naming the target when it cannot be
  // created.
  LineWriter(const std::filesystem::path& target, Encoding encoding);
  // Without commit(), the temporary file is removed and the target untouched.
  ~LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  // Writes the line's raw units (as LineReader hands them out, or as
  // encodeText makes them) and CR LF. Throws AppError when a write fails.
  void writeLine(std::string_view units);
  // Writes the bytes as they are, line breaks included.
  void writeBytes(std::string_view bytes) { put(bytes); }
  // Writes 8-bit bytes whose line breaks are all lone LFs with CR LF in their
  // place; a last line without a break gets CR LF too.
  void writeLfLines(std::string_view bytes);
  // Finishes the temporary file and replaces the target with it. Throws
  // AppError when that fails; the temporary file is then removed and the
  // target left as it was.
  void commit();

 private:
  void put(std::string_view bytes);
  void writeOut(const char* bytes, size_t size);
  void flush();
  [[noreturn]] void fail(FileAction action);

  std::filesystem::path target_;
  std::filesystem::path temp_;
  std::ofstream out_;
  size_t unit_ = 1;
  std::vector<char> buf_;
  size_t used_ = 0;
  bool finished_ = false;  // the temporary file has replaced the target or is removed
};

// Rewrites the file at `path` in place: `body(reader, writer)` reads the old
// lines and writes the new ones; then the reader is closed and the new file
// replaces the old one. An error leaves the old file as it was.
// `readBuffer` is the reader's first buffer size (small values are for tests).
template <typename Body>
void rewriteFile(const std::filesystem::path& path, Body body, size_t readBuffer = kLineBuffer) {
  LineReader reader(path, readBuffer);
  LineWriter writer(path, reader.encoding());
  body(reader, writer);
  reader.close();
  writer.commit();
}

}  // namespace base
