// Text files as the program reads and writes them: read whole, split into
// lines at CR, LF or CR LF, written back with CR LF after every line in the
// encoding they were read in, through a temporary file and an atomic replace.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace base {

enum class Encoding { Ansi, Utf8Bom, Utf16LeBom };

struct TextFile {
  Encoding encoding = Encoding::Ansi;
  std::vector<std::wstring> lines;
};

// Throws AppError when the file cannot be read.
TextFile readTextFile(const std::filesystem::path& path);
// Writes every line followed by CR LF, in file.encoding, to a temporary file
// in the same directory and then replaces `path` with it. Throws AppError
// when the file cannot be written; `path` is then left as it was.
void writeTextFile(const std::filesystem::path& path, const TextFile& file);

// The same two steps on bytes in memory: decoding by byte-order mark (UTF-16LE,
// UTF-8, else the ANSI code page) and splitting; and the reverse.
TextFile textFromBytes(std::string_view bytes);
std::string bytesOfText(const TextFile& file);

// The byte-order mark that opens a file of this encoding (none for ANSI),
// and the encoding that the first bytes of a file announce by their mark.
std::string_view byteOrderMark(Encoding encoding);
Encoding encodingOfMark(std::string_view head);

// A text as the code units of a file of the given encoding, and back; no
// byte-order mark.
std::string encodeText(std::wstring_view text, Encoding encoding);
std::wstring decodeText(std::string_view units, Encoding encoding);

// Splits decoded text into lines at CR, LF and CR LF. A final line break does
// not open an empty last line.
std::vector<std::wstring> splitLines(const std::wstring& text);

}  // namespace base
