// Streaming line reader and atomic line writer (see line_stream.h).
#include "export/line_stream.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <system_error>

#include "base/encoding.h"
#include "base/error.h"
#include "base/file_replace.h"
#include "base/path_text.h"

namespace exportcore {

namespace fs = std::filesystem;

namespace {

constexpr size_t kChunk = size_t{1} << 20;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

fs::path tempPathFor(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  fs::path name = target.filename();
  name += ".~" + std::to_string(static_cast<unsigned long long>(ticks) % 1000000007ULL) + "_" +
          std::to_string(counter++) + ".tmp";
  return target.parent_path() / name;
}

}  // namespace

LineReader::LineReader(const fs::path& path) : path_(path), buf_(kChunk) {
  std::error_code ec;
  if (!fs::is_directory(path, ec)) in_.open(path, std::ios::binary);
  if (!in_.is_open()) throw base::AppError(L"Cannot open file \"" + base::pathText(path) + L"\"");
  fill();
  const std::string_view head(buf_.data(), end_);
  if (head.substr(0, kUtf16LeBom.size()) == kUtf16LeBom) {
    encoding_ = base::Encoding::Utf16LeBom;
    unit_ = 2;
    pos_ = kUtf16LeBom.size();
  } else if (head.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    encoding_ = base::Encoding::Utf8Bom;
    pos_ = kUtf8Bom.size();
  }
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
  if (in_.bad()) throw base::AppError(L"Cannot read file \"" + base::pathText(path_) + L"\"");
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

bool LineReader::next(std::string_view& line) {
  if (skipLf_) {
    skipLf_ = false;
    if (end_ - pos_ < unit_) fill();
    if (end_ - pos_ >= unit_ && buf_[pos_] == '\n' && (unit_ == 1 || buf_[pos_ + 1] == 0)) {
      pos_ += unit_;
    }
  }
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

std::string encodeText(const std::wstring& text, base::Encoding encoding) {
  switch (encoding) {
    case base::Encoding::Utf16LeBom:
      return base::toUtf16Le(text);
    case base::Encoding::Utf8Bom:
      return base::toUtf8(text);
    case base::Encoding::Ansi:
      break;
  }
  return base::toAnsi(text);
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

LineWriter::LineWriter(const fs::path& target, base::Encoding encoding)
    : target_(target), temp_(tempPathFor(target)), buf_(kChunk) {
  out_.open(temp_, std::ios::binary | std::ios::trunc);
  if (!out_.is_open()) fail();
  if (encoding == base::Encoding::Utf16LeBom) {
    unit_ = 2;
    put(kUtf16LeBom);
  } else if (encoding == base::Encoding::Utf8Bom) {
    put(kUtf8Bom);
  }
}

LineWriter::~LineWriter() {
  if (committed_) return;
  out_.close();
  std::error_code ec;
  fs::remove(temp_, ec);
}

void LineWriter::fail() {
  throw base::AppError(L"Cannot create file \"" + base::pathText(target_) + L"\"");
}

void LineWriter::flush() {
  if (used_ == 0) return;
  out_.write(buf_.data(), static_cast<std::streamsize>(used_));
  used_ = 0;
  if (!out_.good()) fail();
}

void LineWriter::put(std::string_view bytes) {
  if (buf_.size() - used_ < bytes.size()) {
    flush();
    if (bytes.size() >= buf_.size()) {
      out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      if (!out_.good()) fail();
      return;
    }
  }
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

void LineWriter::commit() {
  flush();
  out_.close();
  if (out_.fail()) fail();
  base::replaceFile(temp_, target_);
  committed_ = true;
}

}  // namespace exportcore
