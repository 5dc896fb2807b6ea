// Starting the real tavrolin.exe from a copy of the program folder and
// finding its way through it by window messages: main.ini of the copy, the
// splash, the export boxes of the layer table.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "harness.h"

namespace program_test {

constexpr int kIdEdit1 = 1001;
constexpr int kExportColumn = 1;

// main.ini of the copied program: [main] with the search delays and the
// given lines, [pcad] with the given lines, the shipped [layers] kept.
void writePcadSettings(const std::filesystem::path& programDir, const std::string& pcadLines,
                       const std::string& mainLines = "dw=5\r\ndc=5\r\n");

struct Program {
  harness::Process process;
  HWND main = nullptr;
};

// Starts the copied program, presses the splash's "Ok" and waits for the
// main window.
Program startProgram(const std::filesystem::path& dir, const std::wstring& args);

// The export boxes of the table, top row first, once the table has placed
// all of them (the program places them right after it creates them).
std::vector<HWND> exportBoxes(HWND main);

// The editor handle as the command line takes it.
std::wstring handleArg(HWND w);

}  // namespace program_test
