// The streaming line reader gives the same lines as reading the file whole,
// whatever the chunk size, and the writer replaces its target only on commit.
#include <gtest/gtest.h>

#include "base/error.h"
#include "base/line_stream.h"
#include "base/text_file.h"
#include "base_test_files.h"

namespace fs = std::filesystem;

TEST(LineReader, AgreesWithWholeFileReadAtEveryChunkSize) {
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
      std::string("\xFF\xFE" "a\0\r", 5),
      std::string("\xFF\xFE", 2),
  };
  for (const auto& bytes : cases) {
    testfiles::writeBytes(path, bytes);
    const base::TextFile whole = base::textFromBytes(bytes);
    for (size_t chunk : {1u, 2u, 3u, 5u, 4096u}) {
      base::LineReader reader(path, chunk);
      EXPECT_EQ(reader.encoding(), whole.encoding);
      std::vector<std::wstring> lines;
      std::wstring line;
      while (reader.next(line)) lines.push_back(line);
      EXPECT_EQ(lines, whole.lines) << "chunk " << chunk << " case " << testing::PrintToString(bytes);
    }
  }
}

TEST(LineReader, MissingFileRaisesError) {
  testfiles::TempDir dir("linestream-missing");
  EXPECT_THROW(base::LineReader(dir / "none"), base::AppError);
}

TEST(LineWriter, ReplacesTargetOnlyOnCommit) {
  testfiles::TempDir dir("linewriter");
  const fs::path path = dir / "out.gbr";
  testfiles::writeBytes(path, "old\n");
  {
    base::LineWriter writer(path, base::Encoding::Ansi);
    writer.writeLine(L"G04 new*");
  }  // abandoned
  EXPECT_EQ(testfiles::readBytes(path), "old\n");
  EXPECT_EQ(testfiles::entryCount(dir.path()), 1u);

  for (auto encoding : {base::Encoding::Ansi, base::Encoding::Utf8Bom, base::Encoding::Utf16LeBom}) {
    base::LineWriter writer(path, encoding);
    writer.writeLine(L"G04 Ж*");
    writer.writeLine(L"");
    writer.commit();
    EXPECT_EQ(testfiles::readBytes(path),
              base::bytesOfText({encoding, {L"G04 Ж*", L""}}));
  }
  EXPECT_EQ(testfiles::entryCount(dir.path()), 1u);
}

TEST(LineWriter, ReadOnlyTargetFailsAndStays) {
  testfiles::TempDir dir("linewriter-ro");
  const fs::path path = dir / "out.gbr";
  testfiles::writeBytes(path, "old\n");
  fs::permissions(path, fs::perms::owner_read);
  base::LineWriter writer(path, base::Encoding::Ansi);
  writer.writeLine(L"new");
  EXPECT_THROW(writer.commit(), base::AppError);
  EXPECT_EQ(testfiles::readBytes(path), "old\n");
  EXPECT_EQ(testfiles::entryCount(dir.path()), 1u);
  EXPECT_THROW(base::LineWriter(dir / "no/dir/x", base::Encoding::Ansi), base::AppError);
}
