// Text files: line splitting, encoding detection, byte-exact round trips,
// CR LF on write, and the atomic rewrite that leaves the original untouched
// when it fails (every writer and failing step: file_fault_table.h).
#include <gtest/gtest.h>

#include "base/encoding.h"
#include "base/error.h"
#include "base/text_file.h"
#include "base_test_files.h"
#include "file_fault_table.h"

namespace fs = std::filesystem;
using testfiles::readBytes;
using testfiles::writeBytes;

TEST(SplitLines, BreaksAtCrLfAndCrLf) {
  struct Case {
    std::wstring text;
    std::vector<std::wstring> lines;
  };
  const Case cases[] = {
      {L"", {}},
      {L"a", {L"a"}},
      {L"a\r\n", {L"a"}},
      {L"a\nb", {L"a", L"b"}},
      {L"a\rb\r", {L"a", L"b"}},
      {L"a\r\nb\r\n", {L"a", L"b"}},
      {L"\n", {L""}},
      {L"\r\n\r\n", {L"", L""}},
      {L"a\n\rb", {L"a", L"", L"b"}},    // LF CR is two breaks
      {L"a\r\r\nb", {L"a", L"", L"b"}},  // CR then CR LF
      {L"a\n\nb\n", {L"a", L"", L"b"}},
      {std::wstring(L"x\0y\n", 4), {std::wstring(L"x\0y", 3)}},
  };
  for (const auto& c : cases) EXPECT_EQ(base::splitLines(c.text), c.lines);
}

TEST(TextBytes, DetectsEncodingByMark) {
  struct Case {
    std::string bytes;
    base::Encoding encoding;
    std::vector<std::wstring> lines;
  };
  const Case cases[] = {
      {"a=1\r\nb", base::Encoding::Ansi, {L"a=1", L"b"}},
      {"\xE9t\xE9", base::Encoding::Ansi, {L"\u00E9t\u00E9"}},
      {"\xEF\xBB\xBF\xD0\x96\n", base::Encoding::Utf8Bom, {L"Ж"}},
      {std::string("\xFF\xFE\x16\x04\r\0\n\0x\0", 10), base::Encoding::Utf16LeBom, {L"Ж", L"x"}},
      {"\xFF\xFE", base::Encoding::Utf16LeBom, {}},
      {"\xEF\xBB", base::Encoding::Ansi, {L"\u00EF\u00BB"}},  // half a mark is text
      {"", base::Encoding::Ansi, {}},
  };
  for (const auto& c : cases) {
    const base::TextFile file = base::textFromBytes(c.bytes);
    EXPECT_EQ(file.encoding, c.encoding);
    EXPECT_EQ(file.lines, c.lines);
  }
}

TEST(TextBytes, WritesCrLfAfterEveryLineWithTheMark) {
  EXPECT_EQ(base::bytesOfText({base::Encoding::Ansi, {L"a", L"", L"b"}}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(base::bytesOfText({base::Encoding::Ansi, {}}), "");
  EXPECT_EQ(base::bytesOfText({base::Encoding::Utf8Bom, {L"Ж"}}), "\xEF\xBB\xBF\xD0\x96\r\n");
  EXPECT_EQ(base::bytesOfText({base::Encoding::Utf16LeBom, {L"Ж"}}),
            std::string("\xFF\xFE\x16\x04\r\0\n\0", 8));
}

TEST(TextBytes, UnchangedFilesRoundTripByteExact) {
  // Every byte value in an ANSI file, stray bytes in a UTF-8 file, and
  // Cyrillic in UTF-16: decoded and written back, they are the same bytes.
  std::string ansi;
  for (int b = 0; b < 256; ++b) {
    if (b != '\r' && b != '\n') ansi.push_back(static_cast<char>(b));
  }
  ansi += "\r\n";
  const std::string cases[] = {
      ansi,
      "\xEF\xBB\xBFkey=\xD0\x96\xFF\xC0\r\n",
      std::string("\xFF\xFE[\0\x16\x04]\0\r\0\n\0", 12),
  };
  for (const auto& bytes : cases) EXPECT_EQ(base::bytesOfText(base::textFromBytes(bytes)), bytes);
}

TEST(TextFile, ReadWriteThroughDisk) {
  testfiles::TempDir dir("textfile");
  const fs::path path = dir / "a.txt";
  writeBytes(path, "one\ntwo\rthree");
  base::TextFile file = base::readTextFile(path);
  EXPECT_EQ(file.lines, (std::vector<std::wstring>{L"one", L"two", L"three"}));
  file.lines.push_back(L"four");
  base::writeTextFile(path, file);
  EXPECT_EQ(readBytes(path), "one\r\ntwo\r\nthree\r\nfour\r\n");
  EXPECT_EQ(testfiles::entryCount(dir.path()), 1u);  // no temporary file left
}

TEST(TextFile, MissingFileRaisesErrorNamingIt) {
  testfiles::TempDir dir("textfile-missing");
  for (const fs::path& path : {dir / "none.txt", dir.path()}) {
    try {
      base::readTextFile(path);
      FAIL() << "no error";
    } catch (const base::AppError& e) {
      EXPECT_NE(e.text().find(base::fromUtf8(path.string())), std::wstring::npos);
    }
  }
}

TEST(FileFaults, EveryWriterReportsEachFailedStepAndLeavesNothingBehind) {
  testfiles::TempDir dir("file-faults");
  filefaults::runFileFaultTable(dir.path());
}

TEST(TextFile, ReplaceKeepsThePermissionsOfTheOriginal) {
  testfiles::TempDir dir("textfile-perms");
  const fs::path path = dir / "a.txt";
  writeBytes(path, "x");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  base::writeTextFile(path, {base::Encoding::Ansi, {L"y"}});
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST(TextFile, NonAsciiFileNames) {
  testfiles::TempDir dir("textfile-names");
  const fs::path path = dir.path() / fs::u8path("Плата 1.txt");
  base::writeTextFile(path, {base::Encoding::Utf16LeBom, {L"Верх"}});
  EXPECT_EQ(base::readTextFile(path).lines, std::vector<std::wstring>{L"Верх"});
}
