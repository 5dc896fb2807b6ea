// Streaming line reader and writer (see line_stream.h). Line breaks are found
// in the encoded bytes: CR and LF are single bytes in ANSI and UTF-8 (never
// part of a multi-byte sequence) and 16-bit units in UTF-16.
#include "base/line_stream.h"

#include "base/encoding.h"
#include "base/error.h"
#include "base/file_replace.h"
#include "base/path_text.h"

namespace base {

namespace fs = std::filesystem;

LineReader::LineReader(const fs::path& path, size_t chunkSize)
    : path_(path), chunkSize_(chunkSize ? chunkSize : 1) {
  std::error_code ec;
  if (!fs::is_directory(path, ec)) file_.open(path, std::ios::binary);
  if (!file_.is_open()) throw AppError(L"Cannot open file \"" + pathText(path) + L"\"");
  // The mark decides the encoding; it is not part of the first line.
  while (pending_.size() < 3 && fill()) {
  }
  if (pending_.compare(0, 2, "\xFF\xFE") == 0) {
    encoding_ = Encoding::Utf16LeBom;
    pos_ = 2;
  } else if (pending_.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    encoding_ = Encoding::Utf8Bom;
    pos_ = 3;
  }
  pending_.erase(0, pos_);
  pos_ = 0;
}

bool LineReader::fill() {
  if (eof_) return false;
  std::string chunk(chunkSize_, '\0');
  file_.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
  const auto got = static_cast<size_t>(file_.gcount());
  if (file_.bad()) throw AppError(L"Cannot read file \"" + pathText(path_) + L"\"");
  if (got < chunk.size()) eof_ = true;
  pending_.append(chunk, 0, got);
  return got > 0;
}

std::wstring LineReader::decode(std::string_view bytes) const {
  switch (encoding_) {
    case Encoding::Utf16LeBom:
      return fromUtf16Le(bytes);
    case Encoding::Utf8Bom:
      return fromUtf8(bytes);
    case Encoding::Ansi:
      break;
  }
  return fromAnsi(bytes);
}

bool LineReader::next(std::wstring& line) {
  const size_t unit = encoding_ == Encoding::Utf16LeBom ? 2 : 1;
  auto unitAt = [&](size_t i) -> int {
    if (unit == 1) return static_cast<unsigned char>(pending_[i]);
    return static_cast<unsigned char>(pending_[i]) | (static_cast<unsigned char>(pending_[i + 1]) << 8);
  };
  for (;;) {
    // An LF right after a CR that ended the previous line belongs to it.
    if (afterCr_) {
      if (pending_.size() < unit && fill()) continue;
      if (pending_.size() >= unit && unitAt(0) == '\n') pending_.erase(0, unit);
      afterCr_ = false;
    }
    for (; pos_ + unit <= pending_.size(); pos_ += unit) {
      const int c = unitAt(pos_);
      if (c != '\r' && c != '\n') continue;
      line = decode(std::string_view(pending_).substr(0, pos_));
      pending_.erase(0, pos_ + unit);
      pos_ = 0;
      afterCr_ = c == '\r';
      return true;
    }
    if (fill()) continue;
    if (pending_.size() < unit) {
      pending_.clear();  // nothing, or an odd byte that is no UTF-16 unit
      return false;
    }
    // The last line, without a break.
    line = decode(pending_);
    pending_.clear();
    pos_ = 0;
    return true;
  }
}

LineWriter::LineWriter(const fs::path& target, Encoding encoding)
    : target_(target), temp_(tempPathNextTo(target)), encoding_(encoding) {
  file_.open(temp_, std::ios::binary | std::ios::trunc);
  if (!file_.is_open()) throw AppError(L"Cannot create file \"" + pathText(target) + L"\"");
  if (encoding_ == Encoding::Utf16LeBom) file_.write("\xFF\xFE", 2);
  if (encoding_ == Encoding::Utf8Bom) file_.write("\xEF\xBB\xBF", 3);
}

LineWriter::~LineWriter() {
  if (committed_) return;
  file_.close();
  std::error_code ec;
  fs::remove(temp_, ec);
}

void LineWriter::writeLine(std::wstring_view line) {
  std::wstring text(line);
  text += L"\r\n";
  std::string bytes;
  switch (encoding_) {
    case Encoding::Utf16LeBom:
      bytes = toUtf16Le(text);
      break;
    case Encoding::Utf8Bom:
      bytes = toUtf8(text);
      break;
    case Encoding::Ansi:
      bytes = toAnsi(text);
      break;
  }
  file_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file_.good()) failed_ = true;
}

void LineWriter::commit() {
  file_.flush();
  if (!file_.good()) failed_ = true;
  file_.close();
  std::error_code ec;
  if (failed_) {
    fs::remove(temp_, ec);
    committed_ = true;
    throw AppError(L"Cannot create file \"" + pathText(target_) + L"\"");
  }
  try {
    replaceFile(temp_, target_);
  } catch (...) {
    fs::remove(temp_, ec);
    committed_ = true;
    throw;
  }
  committed_ = true;
}

}  // namespace base
