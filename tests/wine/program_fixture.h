// The Wine tests' way into the real tavrolin.exe: the shared launcher and
// table reader of program_launch.h, with test assertions where a step of the
// set-up fails.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "harness.h"
#include "program_launch.h"

namespace program_test {

constexpr int kIdBoardTypeCode = harness::kBoardTypeCodeEditId;
constexpr int kExportColumn = harness::kExportColumn;

// main.ini of the copied program: [main] with the search delays and the
// given lines, [pcad] with the given lines, the shipped [layers] kept.
void writePcadSettings(const std::filesystem::path& programDir, const std::string& pcadLines,
                       const std::string& mainLines = "dw=5\r\ndc=5\r\n");

struct Program {
  harness::Process process;
  HWND main = nullptr;
};

// Starts the copied program, presses the splash's "Ok" once the splash is
// up, and waits for the main window.
Program startProgram(const std::filesystem::path& dir, const std::wstring& args);

// The export boxes of the table, top row first, once the table shows its
// model completely (empty before).
std::vector<HWND> exportBoxes(HWND main);

// The editor handle as the command line takes it.
std::wstring handleArg(HWND w);

}  // namespace program_test
