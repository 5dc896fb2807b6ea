// The streaming line reader: the same lines as reading the file whole,
// whatever the buffer size, every line break, raw code units kept exactly,
// lines longer than the buffer; the writer replaces its target only on
// commit and leaves no temporary file behind.
#include <gtest/gtest.h>

#include "base/error.h"
#include "base/line_stream.h"
#include "base/text_file.h"
#include "base_test_files.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> readAll(const fs::path& path) {
  base::LineReader reader(path);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.next(line)) lines.emplace_back(line);
  return lines;
}

TEST(LineReader, AgreesWithWholeFileReadAtEveryBufferSize) {
  testfiles::TempDir dir("linestream");
  const fs::path path = dir / "f.gbr";
  const std::string cases[] = {
      "",
      "one",
      "a\r\nb\rc\nd\r\n",
      "\r\n\r\r\n\n",
      "x\r",
      "caf\xE9\n\xFF\x00y\n",
      "\xEF\xBB\xBF\xD0\x96\xD0\xB6\r\n\xE2\x82\xAC\xFF",
      "\xEF\xBB",
      std::string("\xFF\xFE\x16\x04\r\0\n\0\r\0x\0\n\0\x3D\xD8\x00\xDE", 18),
      std::string("\xFF\xFE"
                  "a\0\r",
                  5),
      std::string("\xFF\xFE", 2),
      std::string("\xFF\xFE"
                  "a\0\r\0\n\0b\0\r\0\r\0\n\0",
                  16),
  };
  for (const auto& bytes : cases) {
    testfiles::writeBytes(path, bytes);
    const base::TextFile whole = base::textFromBytes(bytes);
    for (size_t size : {1u, 2u, 3u, 5u, 4096u}) {
      base::LineReader reader(path, size);
      EXPECT_EQ(reader.encoding(), whole.encoding);
      EXPECT_EQ(reader.unitSize(), whole.encoding == base::Encoding::Utf16LeBom ? 2u : 1u);
      std::vector<std::wstring> lines;
      std::string_view line;
      while (reader.next(line)) lines.push_back(base::decodeText(line, reader.encoding()));
      EXPECT_EQ(lines, whole.lines)
          << "buffer " << size << " case " << testing::PrintToString(bytes);
    }
  }
}

TEST(LineReader, SplitsAtEveryLineBreak) {
  testfiles::TempDir dir("export-lines");
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
      {"\r\n\r\n", {"", ""}},
      {"\n\r", {"", ""}},
      {"a\r\rb", {"a", "", "b"}},
      {"a\n\n", {"a", ""}},
      {"\xEF\xBB\xBFx\r\ny", {"x", "y"}},
      {"\xE0\xFF\x80\r\n", {"\xE0\xFF\x80"}},
  };
  for (const auto& [bytes, expected] : cases) {
    testfiles::writeBytes(dir / "f", bytes);
    EXPECT_EQ(readAll(dir / "f"), expected) << bytes;
  }
}

TEST(LineReader, Utf16LinesAreUnitPairs) {
  testfiles::TempDir dir("export-lines16");
  // "\x0D\x04" is one character (U+040D): its CR byte is no line break.
  const char bytes[] =
      "\xFF\xFE"
      "a\0\r\0\n\0\x0D\x04\n\0b\0\r\0"
      "c\0"
      "x";
  testfiles::writeBytes(dir / "f", std::string(bytes, sizeof bytes - 1));
  base::LineReader reader(dir / "f");
  EXPECT_EQ(reader.encoding(), base::Encoding::Utf16LeBom);
  EXPECT_EQ(reader.unitSize(), 2u);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.next(line)) lines.emplace_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{std::string("a\0", 2), std::string("\x0D\x04", 2),
                                             std::string("b\0", 2), std::string("c\0", 2)}));
}

TEST(LineReader, LinesAcrossBufferBoundaries) {
  testfiles::TempDir dir("export-lines-big");
  // Lines of varying length so that CR LF pairs and lines straddle the
  // reader's buffer ends; one line longer than the buffer.
  std::string bytes;
  std::vector<std::string> expected;
  for (int i = 0; i < 200000; ++i) {
    expected.push_back(std::string(static_cast<size_t>(i % 13), 'x') + std::to_string(i));
    bytes += expected.back() + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
  }
  expected.push_back(std::string(3u << 20, 'L'));
  bytes += expected.back();
  testfiles::writeBytes(dir / "f", bytes);
  EXPECT_EQ(readAll(dir / "f"), expected);
}

TEST(LineReader, MissingFileRaisesError) {
  testfiles::TempDir dir("linestream-missing");
  EXPECT_THROW(base::LineReader(dir / "none"), base::AppError);
  EXPECT_THROW(base::LineReader(dir.path()), base::AppError);
}

TEST(LineReader, LineTestsCompareCodeUnits) {
  EXPECT_TRUE(base::lineStartsWith("%LNTOP*%", 1, "%LN"));
  EXPECT_FALSE(base::lineStartsWith("%ln", 1, "%LN"));
  EXPECT_FALSE(base::lineStartsWith("%L", 1, "%LN"));
  EXPECT_TRUE(base::lineStartsWith(std::string("%\0L\0N\0x\0", 8), 2, "%LN"));
  EXPECT_FALSE(base::lineStartsWith(std::string("%LN\0", 4), 2, "%L"));
  EXPECT_TRUE(base::lineIs("%", 1, "%"));
  EXPECT_FALSE(base::lineIs("% ", 1, "%"));
  EXPECT_TRUE(base::lineIs(std::string("%\0", 2), 2, "%"));
  EXPECT_FALSE(base::lineIs(std::string("%\0 \0", 4), 2, "%"));
}

TEST(LineWriter, ReplacesTargetOnlyOnCommit) {
  testfiles::TempDir dir("linewriter");
  const fs::path path = dir / "out.gbr";
  testfiles::writeBytes(path, "old\n");
  {
    base::LineWriter writer(path, base::Encoding::Ansi);
    writer.writeLine("G04 new*");
  }  // abandoned
  EXPECT_EQ(testfiles::readBytes(path), "old\n");
  EXPECT_EQ(testfiles::entryCount(dir.path()), 1u);

  for (auto encoding :
       {base::Encoding::Ansi, base::Encoding::Utf8Bom, base::Encoding::Utf16LeBom}) {
    base::LineWriter writer(path, encoding);
    writer.writeLine(base::encodeText(L"G04 Ж*", encoding));
    writer.writeLine(base::encodeText(L"", encoding));
    writer.commit();
    EXPECT_EQ(testfiles::readBytes(path), base::bytesOfText({encoding, {L"G04 Ж*", L""}}));
  }
  EXPECT_EQ(testfiles::entryCount(dir.path()), 1u);
}

TEST(LineWriter, LinesLongerThanTheBuffer) {
  testfiles::TempDir dir("linewriter-long");
  const fs::path path = dir / "out.gbr";
  const std::string longLine(3u << 20, 'L');
  base::LineWriter writer(path, base::Encoding::Ansi);
  for (int i = 0; i < 3; ++i) {
    writer.writeLine("short");
    writer.writeLine(longLine);
  }
  writer.commit();
  const std::string once = "short\r\n" + longLine + "\r\n";
  EXPECT_EQ(testfiles::readBytes(path), once + once + once);
}

}  // namespace
