// Streaming line reader and atomic line writer (see line_stream.h). Line
// breaks are found in the encoded bytes: CR and LF are single bytes in ANSI
// and UTF-8 (never part of a multi-byte sequence) and 16-bit units in UTF-16.
#include "base/line_stream.h"

#include <cstdint>
#include <cstring>
#include <system_error>

#include "base/error.h"
#include "base/file_faults.h"
#include "base/file_replace.h"
#include "base/path_text.h"

namespace base {

namespace fs = std::filesystem;

namespace {

constexpr size_t kLongestMark = 3;

}  // namespace

LineReader::LineReader(const fs::path& path, size_t bufferSize)
    : path_(path), buf_(bufferSize ? bufferSize : 1) {
  std::error_code ec;
  if (!fs::is_directory(path, ec)) in_.open(path, std::ios::binary);
  if (!in_.is_open()) throw AppError(fileErrorText(FileAction::Open, pathText(path)));
  // The mark decides the encoding; it is not part of the first line.
  while (end_ < kLongestMark && fill()) {
  }
  encoding_ = encodingOfMark(std::string_view(buf_.data(), end_));
  unit_ = encoding_ == Encoding::Utf16LeBom ? 2 : 1;
  pos_ = byteOrderMark(encoding_).size();
}

bool LineReader::fill() {
  if (eof_) return false;
  if (pos_ > 0) {
    std::memmove(buf_.data(), buf_.data() + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
  }
  if (end_ == buf_.size()) buf_.resize(buf_.size() * 2);
  in_.read(buf_.data() + end_, static_cast<std::streamsize>(buf_.size() - end_));
  const size_t got = static_cast<size_t>(in_.gcount());
  if (in_.bad() || fileStepFails(FileStep::Read))
    throw AppError(fileErrorText(FileAction::Read, pathText(path_)));
  end_ += got;
  if (in_.eof()) eof_ = true;
  return got > 0;
}

size_t LineReader::findBreak(size_t from) const {
  const char* const data = buf_.data();
  const size_t limit = pos_ + (end_ - pos_) / unit_ * unit_;
  if (unit_ == 1) {
    const char* p = data + from;
    const char* const stop = data + limit;
    while (p != stop && *p != '\n' && *p != '\r') ++p;
    return static_cast<size_t>(p - data);
  }
  for (size_t i = from; i < limit; i += 2) {
    if (data[i + 1] == 0 && (data[i] == '\n' || data[i] == '\r')) return i;
  }
  return limit;
}

size_t LineReader::findLastBreak(size_t limit) const {
  const char* const data = buf_.data();
  for (size_t i = limit; i >= pos_ + unit_;) {
    i -= unit_;
    if ((data[i] == '\n' || data[i] == '\r') && (unit_ == 1 || data[i + 1] == 0)) return i;
  }
  return limit;
}

void LineReader::skipLfAfterCr() {
  if (!skipLf_) return;
  skipLf_ = false;
  while (end_ - pos_ < unit_ && fill()) {
  }
  if (end_ - pos_ >= unit_ && buf_[pos_] == '\n' && (unit_ == 1 || buf_[pos_ + 1] == 0)) {
    pos_ += unit_;
  }
}

bool LineReader::nextLines(std::string_view& lines) {
  skipLfAfterCr();
  for (;;) {
    const size_t limit = pos_ + (end_ - pos_) / unit_ * unit_;
    const size_t brk = findLastBreak(limit);
    if (brk < limit) {
      lines = std::string_view(buf_.data() + pos_, brk + unit_ - pos_);
      skipLf_ = buf_[brk] == '\r';
      pos_ = brk + unit_;
      return true;
    }
    if (eof_) {
      const bool any = limit > pos_;
      lines = std::string_view(buf_.data() + pos_, limit - pos_);
      pos_ = end_;
      return any;
    }
    fill();
  }
}

bool LineReader::next(std::string_view& line) {
  skipLfAfterCr();
  size_t scanned = 0;  // bytes after pos_ known to hold no line break
  for (;;) {
    const size_t limit = pos_ + (end_ - pos_) / unit_ * unit_;
    const size_t brk = findBreak(pos_ + scanned);
    if (brk < limit) {
      line = std::string_view(buf_.data() + pos_, brk - pos_);
      skipLf_ = buf_[brk] == '\r';
      pos_ = brk + unit_;
      return true;
    }
    if (eof_) {
      // A UTF-16 file of an odd length: its last lone byte is no character.
      const bool any = limit > pos_;
      line = std::string_view(buf_.data() + pos_, limit - pos_);
      pos_ = end_;
      return any;
    }
    scanned = limit - pos_;
    fill();
  }
}

bool breaksAreCrLf(std::string_view bytes) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  if (n < 2 || b[0] == '\n' || b[n - 1] != '\n') return false;
  // An LF must follow each CR and a CR precede each LF: compared byte by
  // byte in fixed strides, which the compiler turns into vector code.
  constexpr size_t kStride = 64;
  unsigned lone = 0;
  size_t i = 1;
  for (; i + kStride <= n; i += kStride) {
    for (size_t k = 0; k < kStride; ++k) lone |= (b[i + k] == '\n') ^ (b[i + k - 1] == '\r');
    if (lone) return false;
  }
  for (; i < n; ++i) lone |= (b[i] == '\n') ^ (b[i - 1] == '\r');
  return !lone;
}

bool lineStartsWith(std::string_view line, size_t unitSize, std::string_view ascii) {
  if (line.size() < ascii.size() * unitSize) return false;
  if (unitSize == 1) return line.substr(0, ascii.size()) == ascii;
  for (size_t i = 0; i < ascii.size(); ++i) {
    if (line[2 * i] != ascii[i] || line[2 * i + 1] != 0) return false;
  }
  return true;
}

bool lineIs(std::string_view line, size_t unitSize, std::string_view ascii) {
  return line.size() == ascii.size() * unitSize && lineStartsWith(line, unitSize, ascii);
}

LineWriter::LineWriter(const fs::path& target, Encoding encoding)
    : target_(target), temp_(tempPathNextTo(target)), buf_(kLineBuffer) {
  if (!fileStepFails(FileStep::TempCreate)) out_.open(temp_, std::ios::binary | std::ios::trunc);
  if (!out_.is_open()) fail(FileAction::Create);
  unit_ = encoding == Encoding::Utf16LeBom ? 2 : 1;
  const std::string_view mark = byteOrderMark(encoding);
  if (!mark.empty()) put(mark);
}

LineWriter::~LineWriter() {
  if (finished_) return;
  out_.close();
  std::error_code ec;
  fs::remove(temp_, ec);
}

void LineWriter::fail(FileAction action) {
  throw AppError(fileErrorText(action, pathText(target_)));
}

void LineWriter::writeOut(const char* bytes, size_t size) {
  out_.write(bytes, static_cast<std::streamsize>(size));
  if (fileStepFails(FileStep::Write)) out_.setstate(std::ios::badbit);
  if (!out_.good()) fail(FileAction::Write);
}

void LineWriter::flush() {
  if (used_ == 0) return;
  const size_t size = used_;
  used_ = 0;
  writeOut(buf_.data(), size);
}

void LineWriter::put(std::string_view bytes) {
  // A large piece goes out at once rather than through the buffer.
  if (bytes.size() >= buf_.size() / 16) {
    flush();
    writeOut(bytes.data(), bytes.size());
    return;
  }
  if (buf_.size() - used_ < bytes.size()) flush();
  std::memcpy(buf_.data() + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
}

void LineWriter::writeLine(std::string_view units) {
  static constexpr char kCrLf16[] = {'\r', 0, '\n', 0};
  const size_t breakSize = 2 * unit_;
  if (buf_.size() - used_ >= units.size() + breakSize) {
    char* p = buf_.data() + used_;
    std::memcpy(p, units.data(), units.size());
    p += units.size();
    if (unit_ == 1) {
      p[0] = '\r';
      p[1] = '\n';
    } else {
      std::memcpy(p, kCrLf16, 4);
    }
    used_ += units.size() + breakSize;
    return;
  }
  put(units);
  put(unit_ == 1 ? std::string_view("\r\n") : std::string_view(kCrLf16, 4));
}

void LineWriter::writeLfLines(std::string_view bytes) {
  // Eight bytes at a time are copied whole; where one of them is an LF, the
  // copy stops after it and the LF is written over with CR LF.
  constexpr uint64_t kOnes = 0x0101010101010101u, kHighBits = 0x8080808080808080u;
  constexpr uint64_t kLfs = 0x0a0a0a0a0a0a0a0au;
  constexpr size_t kSlack = 16;  // the most one step writes past its last byte
  static_assert(kLineBuffer >= 4 * kSlack, "the buffer holds a few steps");
  const char* s = bytes.data();
  const char* const end = s + bytes.size();
  while (s != end) {
    if (buf_.size() - used_ < 4 * kSlack) flush();
    char* o = buf_.data() + used_;
    char* const stop = buf_.data() + buf_.size() - kSlack;
    while (o < stop && end - s >= 8) {
      uint64_t word;
      std::memcpy(&word, s, 8);
      std::memcpy(o, s, 8);
      const uint64_t x = word ^ kLfs;
      // the lowest high bit marks the first LF exactly (bits above it may not)
      const uint64_t lf = (x - kOnes) & ~x & kHighBits;
      if (lf == 0) {
        o += 8;
        s += 8;
        continue;
      }
      const size_t at = static_cast<size_t>(__builtin_ctzll(lf)) / 8;
      o[at] = '\r';
      o[at + 1] = '\n';
      o += at + 2;
      s += at + 1;
    }
    while (o < stop && s != end) {
      if (*s == '\n') *o++ = '\r';
      *o++ = *s++;
    }
    used_ = static_cast<size_t>(o - buf_.data());
  }
  if (!bytes.empty() && bytes.back() != '\n') put("\r\n");
}

void LineWriter::commit() {
  try {
    flush();
    out_.close();
    if (fileStepFails(FileStep::Flush)) out_.setstate(std::ios::failbit);
    if (out_.fail()) fail(FileAction::Write);
    replaceFile(temp_, target_);
  } catch (...) {
    out_.close();
    std::error_code ec;
    fs::remove(temp_, ec);
    finished_ = true;
    throw;
  }
  finished_ = true;
}

}  // namespace base
