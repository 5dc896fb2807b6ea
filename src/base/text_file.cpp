// Text files that keep their encoding: read whole, split into lines, written
// back with CR LF through a temporary file and an atomic replace.
#include "base/text_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "base/encoding.h"
#include "base/error.h"
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

TextFile textFromBytes(std::string_view bytes) {
  TextFile file;
  if (startsWith(bytes, kUtf16LeBom)) {
    file.encoding = Encoding::Utf16LeBom;
    file.lines = splitLines(fromUtf16Le(bytes.substr(kUtf16LeBom.size())));
  } else if (startsWith(bytes, kUtf8Bom)) {
    file.encoding = Encoding::Utf8Bom;
    file.lines = splitLines(fromUtf8(bytes.substr(kUtf8Bom.size())));
  } else {
    file.encoding = Encoding::Ansi;
    file.lines = splitLines(fromAnsi(bytes));
  }
  return file;
}

std::string bytesOfText(const TextFile& file) {
  std::wstring text;
  for (const auto& line : file.lines) {
    text += line;
    text += L"\r\n";
  }
  switch (file.encoding) {
    case Encoding::Utf16LeBom:
      return std::string(kUtf16LeBom) + toUtf16Le(text);
    case Encoding::Utf8Bom:
      return std::string(kUtf8Bom) + toUtf8(text);
    case Encoding::Ansi:
      break;
  }
  return toAnsi(text);
}

TextFile readTextFile(const fs::path& path) {
  std::error_code ec;
  std::ifstream in;
  if (!fs::is_directory(path, ec)) in.open(path, std::ios::binary);
  if (!in.is_open()) throw AppError(L"Cannot open file \"" + pathText(path) + L"\"");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw AppError(L"Cannot read file \"" + pathText(path) + L"\"");
  return textFromBytes(bytes);
}

void writeTextFile(const fs::path& path, const TextFile& file) {
  const std::string bytes = bytesOfText(file);
  const fs::path temp = tempPathNextTo(path);
  std::error_code ec;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (out.is_open()) {
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      out.flush();
    }
    if (!out.is_open() || !out.good()) {
      out.close();
      fs::remove(temp, ec);
      throw AppError(L"Cannot create file \"" + pathText(path) + L"\"");
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
