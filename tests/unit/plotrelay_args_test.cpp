// The plot driver's command line check: what is accepted, what is refused,
// and where a refused command line can still be reported.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plotrelay/plotrelay_args.h"

namespace {

using Args = std::vector<std::wstring>;

const std::wstring kJob = L"C:\\out\\pcad.ini";
const std::wstring kErr = L"C:\\out\\board.ERR";

TEST(PlotRelayArgs, WellFormedLineGivesItsValues) {
  const plotrelay::ArgsCheck c =
      plotrelay::checkDriverArgs({L"4294967295", kJob, kErr, L"10", L"25", L"1"});
  ASSERT_TRUE(c.ok) << std::string(c.error.begin(), c.error.end());
  EXPECT_EQ(c.args.editor, 4294967295u);
  EXPECT_EQ(c.args.jobPath, kJob);
  EXPECT_EQ(c.args.reportPath, kErr);
  EXPECT_EQ(c.args.windowDelay, 10);
  EXPECT_EQ(c.args.controlDelay, 25);
  EXPECT_TRUE(c.args.stopOnError);
  EXPECT_EQ(c.logDir, L"C:\\out\\");
  EXPECT_EQ(c.reportPath, kErr);
}

TEST(PlotRelayArgs, NegativeDelaysCountAsZeroAndZeroFlagMeansGoOn) {
  const plotrelay::ArgsCheck c = plotrelay::checkDriverArgs({L"0", kJob, kErr, L"-5", L"0", L"0"});
  ASSERT_TRUE(c.ok);
  EXPECT_EQ(c.args.windowDelay, 0);
  EXPECT_EQ(c.args.controlDelay, 0);
  EXPECT_FALSE(c.args.stopOnError);
}

TEST(PlotRelayArgs, MalformedLinesAreRefusedWithAReason) {
  struct Case {
    const char* why;
    Args args;
    const wchar_t* mentions;  // part of the error text
  };
  const Case cases[] = {
      {"no arguments", {}, L"получено 0"},
      {"one too few", {L"1", kJob, kErr, L"10", L"10"}, L"получено 5"},
      {"one too many", {L"1", kJob, kErr, L"10", L"10", L"0", L"x"}, L"получено 7"},
      {"handle not a number", {L"abc", kJob, kErr, L"10", L"10", L"0"}, L"\"abc\""},
      {"handle negative", {L"-1", kJob, kErr, L"10", L"10", L"0"}, L"\"-1\""},
      {"handle hexadecimal", {L"0x10", kJob, kErr, L"10", L"10", L"0"}, L"\"0x10\""},
      {"handle with a blank", {L" 12", kJob, kErr, L"10", L"10", L"0"}, L"\" 12\""},
      {"handle above 32 bits", {L"4294967296", kJob, kErr, L"10", L"10", L"0"}, L"4294967296"},
      {"empty job path", {L"1", L"", kErr, L"10", L"10", L"0"}, L"задания"},
      {"job path is a folder", {L"1", L"C:\\out\\", kErr, L"10", L"10", L"0"}, L"задания"},
      {"empty report path", {L"1", kJob, L"", L"10", L"10", L"0"}, L"отчёта"},
      {"window delay not a number", {L"1", kJob, kErr, L"1O", L"10", L"0"}, L"\"1O\""},
      {"control delay empty", {L"1", kJob, kErr, L"10", L"", L"0"}, L"\"\""},
      {"delay above 32 bits", {L"1", kJob, kErr, L"3000000000", L"10", L"0"}, L"3000000000"},
      {"stop flag 2", {L"1", kJob, kErr, L"10", L"10", L"2"}, L"\"2\""},
      {"stop flag word", {L"1", kJob, kErr, L"10", L"10", L"true"}, L"\"true\""},
  };
  for (const Case& c : cases) {
    const plotrelay::ArgsCheck check = plotrelay::checkDriverArgs(c.args);
    EXPECT_FALSE(check.ok) << c.why;
    EXPECT_NE(check.error.find(c.mentions), std::wstring::npos) << c.why;
  }
}

TEST(PlotRelayArgs, RefusedLineStillNamesTheSafePlacesToReport) {
  struct Case {
    const char* why;
    Args args;
    std::wstring logDir;
    std::wstring reportPath;
  };
  const Case cases[] = {
      {"all in place, bad handle", {L"x", kJob, kErr, L"10", L"10", L"0"}, L"C:\\out\\", kErr},
      {"in place, report not an .ERR file",
       {L"x", kJob, L"C:\\out\\main.ini", L"10", L"10", L"0"},
       L"C:\\out\\",
       L""},
      {"job without folder", {L"x", L"pcad.ini", kErr, L"10", L"10", L"0"}, L"", kErr},
      // A blank inside an unquoted path shifts everything: only names that
      // cannot be mistaken are trusted.
      {"shifted by a split path",
       {L"1", L"C:\\my", L"out\\pcad.ini", L"C:\\my", L"out\\b.ERR", L"10", L"10", L"0"},
       L"out\\",
       L"out\\b.ERR"},
      {"too few, no recognisable names", {L"1", L"C:\\out\\job.txt", L"10"}, L"", L""},
      {"bare .ERR is no report name", {L"1", L".ERR"}, L"", L""},
      {"nothing at all", {}, L"", L""},
  };
  for (const Case& c : cases) {
    const plotrelay::ArgsCheck check = plotrelay::checkDriverArgs(c.args);
    EXPECT_FALSE(check.ok) << c.why;
    EXPECT_EQ(check.logDir, c.logDir) << c.why;
    EXPECT_EQ(check.reportPath, c.reportPath) << c.why;
  }
}

TEST(PlotRelayArgs, PathParts) {
  EXPECT_EQ(plotrelay::directoryOf(L"C:\\out\\pcad.ini"), L"C:\\out\\");
  EXPECT_EQ(plotrelay::directoryOf(L"/tmp/x/pcad.ini"), L"/tmp/x/");
  EXPECT_EQ(plotrelay::directoryOf(L"pcad.ini"), L"");
  EXPECT_EQ(plotrelay::baseNameOf(L"C:\\out\\my.board.ERR"), L"my.board");
  EXPECT_EQ(plotrelay::baseNameOf(L"C:\\out\\.ERR"), L"");
  EXPECT_EQ(plotrelay::baseNameOf(L"C:\\out.d\\board"), L"board");
}

}  // namespace
