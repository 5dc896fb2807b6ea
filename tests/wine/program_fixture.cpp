// The Wine tests' way into the real program (see program_fixture.h).
#include "program_fixture.h"

#include <gtest/gtest.h>

namespace program_test {

void writePcadSettings(const std::filesystem::path& programDir, const std::string& pcadLines,
                       const std::string& mainLines) {
  ASSERT_TRUE(harness::writeMainIni(programDir, pcadLines, mainLines))
      << "the program folder's main.ini has no [layers]";
}

Program startProgram(const std::filesystem::path& dir, const std::wstring& args) {
  harness::Tavrolin t = harness::startTavrolin(dir, args);
  EXPECT_NE(t.splash, nullptr) << "the splash never showed";
  Program p;
  p.process = std::move(t.process);
  p.main = t.main;
  return p;
}

std::vector<HWND> exportBoxes(HWND main) { return harness::tableBoxes(main, kExportColumn); }

std::wstring handleArg(HWND w) {
  return std::to_wstring(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(w)));
}

}  // namespace program_test
