// The editor handle on the command line.
#include "tavrolin/command_line.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* what;
  std::vector<std::wstring> args;
  uint32_t expected;
};

TEST(CommandLine, EditorHandle) {
  const Case cases[] = {
      {"no arguments", {}, 0},
      {"handle", {L"-h", L"1234"}, 1234},
      {"word after -h is ignored", {L"-h", L"abc"}, 0},
      {"last readable -h wins", {L"-h", L"100", L"-h", L"200"}, 200},
      {"unreadable later -h keeps the value", {L"-h", L"100", L"-h", L"x"}, 100},
      {"empty argument ends the scan", {L"", L"-h", L"5"}, 0},
      {"empty argument after the handle", {L"-h", L"7", L"", L"-h", L"9"}, 7},
      {"-h as last argument", {L"-h"}, 0},
      {"empty value after -h ends the scan", {L"-h", L"", L"-h", L"3"}, 0},
      {"other arguments are ignored", {L"/x", L"-H", L"4", L"-h", L"8", L"tail"}, 8},
      {"negative handle keeps its 32 bits", {L"-h", L"-1"}, 0xFFFFFFFFu},
      {"value after -h looked at as option", {L"-h", L"-h", L"-h", L"12"}, 12},
      {"out of 32-bit range", {L"-h", L"4294967296"}, 0},
      {"hexadecimal is no decimal", {L"-h", L"0x10"}, 0},
      {"trailing text", {L"-h", L"12a"}, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(app::scanEditorHandle(c.args, 0), c.expected) << c.what;
  }
}

}  // namespace
