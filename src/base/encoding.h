// Conversions between the program's wide strings and the byte encodings it
// meets in files: UTF-8, UTF-16LE and the system's 8-bit (ANSI) code page.
// The ANSI table maps every byte to one character and back, so bytes that
// the program does not change come out exactly as they went in.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace base {

// Bytes that are not valid UTF-8 are read as U+DC80..U+DCFF and written back
// as the same bytes, so a file with stray bytes survives a rewrite.
std::wstring fromUtf8(std::string_view bytes);
std::string toUtf8(std::wstring_view text);

// UTF-16 little endian, no byte-order mark.
std::wstring fromUtf16Le(std::string_view bytes);
std::string toUtf16Le(std::wstring_view text);

// The system's 8-bit code page. The default table is Windows-1252; the
// Windows front end installs the table of the system's code page at start.
std::wstring fromAnsi(std::string_view bytes);
// Characters the code page cannot hold become '?'.
std::string toAnsi(std::wstring_view text);
// True when toAnsi keeps every character of `text`.
bool ansiCanHold(std::wstring_view text);
void setAnsiTable(const std::array<wchar_t, 256>& table);
// Windows-1251 (Cyrillic); for tests and for the Windows front end's fallback.
const std::array<wchar_t, 256>& cp1251Table();
const std::array<wchar_t, 256>& cp1252Table();

}  // namespace base
