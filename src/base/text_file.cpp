// Text files that keep their encoding: read whole, split into lines, written
// back with CR LF through a temporary file and an atomic replace.
#include "base/text_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "base/encoding.h"
#include "base/error.h"
#include "base/file_faults.h"
#include "base/file_replace.h"
#include "base/path_text.h"

namespace base {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool startsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::vector<std::wstring> splitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const wchar_t c = text[i];
    if (c != L'\r' && c != L'\n') continue;
    lines.emplace_back(text, start, i - start);
    if (c == L'\r' && i + 1 < n && text[i + 1] == L'\n') ++i;
    start = i + 1;
  }
  if (start < n) lines.emplace_back(text, start, n - start);
  return lines;
}

std::string encodeText(std::wstring_view text, Encoding encoding) {
  switch (encoding) {
    case Encoding::Utf16LeBom:
      return toUtf16Le(text);
    case Encoding::Utf8Bom:
      return toUtf8(text);
    case Encoding::Ansi:
      break;
  }
  return toAnsi(text);
}

std::wstring decodeText(std::string_view units, Encoding encoding) {
  switch (encoding) {
    case Encoding::Utf16LeBom:
      return fromUtf16Le(units);
    case Encoding::Utf8Bom:
      return fromUtf8(units);
    case Encoding::Ansi:
      break;
  }
  return fromAnsi(units);
}

std::string_view byteOrderMark(Encoding encoding) {
  switch (encoding) {
    case Encoding::Utf16LeBom:
      return kUtf16LeBom;
    case Encoding::Utf8Bom:
      return kUtf8Bom;
    case Encoding::Ansi:
      break;
  }
  return {};
}

Encoding encodingOfMark(std::string_view head) {
  if (startsWith(head, kUtf16LeBom)) return Encoding::Utf16LeBom;
  if (startsWith(head, kUtf8Bom)) return Encoding::Utf8Bom;
  return Encoding::Ansi;
}

TextFile textFromBytes(std::string_view bytes) {
  TextFile file;
  file.encoding = encodingOfMark(bytes);
  bytes.remove_prefix(byteOrderMark(file.encoding).size());
  file.lines = splitLines(decodeText(bytes, file.encoding));
  return file;
}

std::string bytesOfText(const TextFile& file) {
  std::wstring text;
  for (const auto& line : file.lines) {
    text += line;
    text += L"\r\n";
  }
  return std::string(byteOrderMark(file.encoding)) + encodeText(text, file.encoding);
}

TextFile readTextFile(const fs::path& path) {
  std::error_code ec;
  std::ifstream in;
  if (!fs::is_directory(path, ec)) in.open(path, std::ios::binary);
  if (!in.is_open()) throw AppError(fileErrorText(FileAction::Open, pathText(path)));
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw AppError(fileErrorText(FileAction::Read, pathText(path)));
  return textFromBytes(bytes);
}

void writeTextFile(const fs::path& path, const TextFile& file) {
  const std::string bytes = bytesOfText(file);
  const fs::path temp = tempPathNextTo(path);
  std::error_code ec;
  {
    std::ofstream out;
    if (!fileStepFails(FileStep::TempCreate)) out.open(temp, std::ios::binary | std::ios::trunc);
    const bool created = out.is_open();
    if (created) {
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      if (fileStepFails(FileStep::Write)) out.setstate(std::ios::badbit);
      if (out.good()) out.flush();
      // A close that fails may have lost the last bytes: that is a failed write too.
      out.close();
      if (fileStepFails(FileStep::Flush)) out.setstate(std::ios::failbit);
    }
    if (!created || out.fail()) {
      fs::remove(temp, ec);
      throw AppError(
          fileErrorText(created ? FileAction::Write : FileAction::Create, pathText(path)));
    }
  }
  try {
    replaceFile(temp, path);
  } catch (...) {
    fs::remove(temp, ec);
    throw;
  }
}

}  // namespace base
