// The drill file check and the driver's error log.
#include <gtest/gtest.h>

#include "base/encoding.h"
#include "base/error.h"
#include "base_test_files.h"
#include "export/drill_check.h"
#include "export/error_log.h"
#include "layers/layer_model.h"

namespace {

namespace fs = std::filesystem;

const char* const kHoles = "M48\r\nT01C0.8\r\n%\r\nT01\r\nX1Y1\r\nM30\r\n";
const char* const kNoHoles = "M48\r\n%\r\nT01\r\nM30\r\n";

class DrillCheck : public ::testing::Test {
 protected:
  DrillCheck() : dir_("export-drill") {}
  std::wstring path(const std::string& name) const {
    return base::fromUtf8((dir_ / name).string());
  }
  void request(int from, int to, const std::string& name, const char* content) {
    drills_.push_back({from, to, path(name)});
    if (content) testfiles::writeBytes(dir_ / name, content);
  }
  std::string stamped(int from, int to, const std::string& content) const {
    const size_t first = content.find("\r\n") + 2;
    return content.substr(0, first) + ";Korvant TAVROLIN\r\n;From Layer " + std::to_string(from) +
           "\r\n;To Layer " + std::to_string(to) + "\r\n" + content.substr(first);
  }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (auto& e : fs::directory_iterator(dir_.path())) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }
  testfiles::TempDir dir_;
  std::vector<layers::DrillFile> drills_;
};

TEST_F(DrillCheck, SingleFileEndsAsTxt1) {
  request(-1, -1, "b.TXT", kHoles);
  EXPECT_TRUE(exportcore::finishDrillFiles(drills_).empty());
  EXPECT_EQ(names(), (std::vector<std::string>{"b.TXT1"}));
  EXPECT_EQ(testfiles::readBytes(dir_ / "b.TXT1"), stamped(-1, -1, kHoles));
}

TEST_F(DrillCheck, EmptyPairTakesNoNumber) {
  request(1, 2, "b.1_2", kNoHoles);
  request(1, 4, "b.1_4", kHoles);
  request(2, 4, "b.2_4", kHoles);
  EXPECT_TRUE(exportcore::finishDrillFiles(drills_).empty());
  EXPECT_EQ(names(), (std::vector<std::string>{"b.TXT", "b.TXT1"}));
  EXPECT_EQ(testfiles::readBytes(dir_ / "b.TXT"), stamped(1, 4, kHoles));
  EXPECT_EQ(testfiles::readBytes(dir_ / "b.TXT1"), stamped(2, 4, kHoles));
}

TEST_F(DrillCheck, EarlierFilesKeepTheirNames) {
  testfiles::writeBytes(dir_ / "b.TXT", "old");
  testfiles::writeBytes(dir_ / "b.TXT2", "old2");
  request(1, 2, "b.1_2", kHoles);
  request(1, 3, "b.1_3", kHoles);
  EXPECT_TRUE(exportcore::finishDrillFiles(drills_).empty());
  EXPECT_EQ(names(), (std::vector<std::string>{"b.TXT", "b.TXT1", "b.TXT2", "b.TXT3"}));
  EXPECT_EQ(testfiles::readBytes(dir_ / "b.TXT"), "old");
  EXPECT_EQ(testfiles::readBytes(dir_ / "b.TXT1"), stamped(1, 2, kHoles));
  EXPECT_EQ(testfiles::readBytes(dir_ / "b.TXT3"), stamped(1, 3, kHoles));
}

TEST(DrillFile, EmptyOnlyWhenThirdFromTheEndIsPercent) {
  testfiles::TempDir dir("export-drill-empty");
  const std::pair<std::string, bool> cases[] = {
      {"M48\n%\nM30\n", false},  // "%" second from the end
      {"%\nA\nB\nC\n", false},   // fourth from the end
      {"%\nA\nB", true},         // third from the end, no final break
      {"M48\r\n%\r\nT01\r\nM30", true},
      {"M48\n% \nA\nB\n", false},  // a blank after it
      {"M48\n %\nA\nB\n", false},
      {"\xEF\xBB\xBF%\nA\nB\n", true},
      {std::string("\xFF\xFE%\0\n\0A\0\n\0B\0", 12), true},
  };
  for (const auto& [bytes, empty] : cases) {
    testfiles::writeBytes(dir / "d", bytes);
    EXPECT_EQ(exportcore::drillFileIsEmpty(dir / "d"), empty) << bytes;
  }
}

TEST_F(DrillCheck, MissingOrShortFileStopsTheCheck) {
  request(1, 2, "b.1_2", "M48\r\nM30\r\n");
  request(1, 3, "b.1_3", kHoles);
  EXPECT_THROW(exportcore::finishDrillFiles(drills_), base::AppError);
  EXPECT_TRUE(fs::exists(dir_ / "b.1_3"));  // records after it are not looked at
  drills_.clear();
  request(1, 2, "b.1_2", nullptr);
  EXPECT_THROW(exportcore::finishDrillFiles(drills_), base::AppError);
}

TEST_F(DrillCheck, FailedRenameIsReportedAfterTheRest) {
  // The free name "stem.TXT1" is one character longer than a file name may
  // be, so the move fails; the check goes on with the next file.
  const std::string stem(251, 's');
  testfiles::writeBytes(dir_ / (stem + ".TXT"), "old");
  request(1, 2, stem + ".1_2", kHoles);
  request(1, 3, "b.1_3", kHoles);
  const auto failures = exportcore::finishDrillFiles(drills_);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find(base::fromUtf8(stem + ".1_2")), std::wstring::npos);
  EXPECT_TRUE(fs::exists(dir_ / (stem + ".1_2")));
  EXPECT_EQ(testfiles::readBytes(dir_ / "b.TXT"), stamped(1, 3, kHoles));
  const std::wstring text = exportcore::drillFailureText(failures);
  EXPECT_EQ(text.rfind(L"Не все файлы сверловки обработаны:\r", 0), 0u);
  EXPECT_NE(text.find(base::fromUtf8(stem + ".1_2")), std::wstring::npos);
}

TEST(ErrorLog, CountsTheErrorLines) {
  testfiles::TempDir dir("export-errlog");
  const std::pair<std::string, int32_t> cases[] = {
      {"errors - 0\r\nerrors - 0\r\n", 0},
      {"errors - 2\r\nsomething\r\nerrors - 3", 5},
      {"Errors - 4\nerrors -4\nerrors - 4x\nerrors - \nerrors - -1\n", 0},
      {"errors -    7\nerrors - \t1\n errors - 9\n", 8},
      {"errors - 2147483647\nerrors - 5\n", 2147483647},
      {"errors - 99999999999\nerrors - 1\n", 1},
      {"", 0},
  };
  for (const auto& [text, count] : cases) {
    testfiles::writeBytes(dir / "error.log", text);
    EXPECT_EQ(exportcore::countLoggedErrors(base::fromUtf8((dir / "error.log").string())), count)
        << text;
  }
  EXPECT_THROW(exportcore::countLoggedErrors(base::fromUtf8((dir / "none.log").string())),
               base::AppError);
}

}  // namespace
