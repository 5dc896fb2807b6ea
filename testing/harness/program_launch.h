// Starting the real tavrolin.exe from a copy of the program folder and
// reading its window as the operator sees it: main.ini of the copy, the
// splash and its "Ok", the main window, the check boxes of the layer table.
// Shared by the Wine tests and the demo driver.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "harness.h"

namespace harness {

// Window classes and control IDs of the program that the tests look for.
inline constexpr wchar_t kSplashClass[] = L"TForm3";
inline constexpr wchar_t kMainClass[] = L"TForm9";
inline constexpr int kBoardTypeCodeEditId = 1001;
inline constexpr int kExportColumn = 1;

// Rewrites main.ini of a copied program folder: [main] with `mainLines`,
// [pcad] with `pcadLines` (UTF-8, CR LF after each line), the shipped
// [layers] kept. False when the shipped file has no [layers].
bool writeMainIni(const std::filesystem::path& programDir, const std::string& pcadLines,
                  const std::string& mainLines);

struct Tavrolin {
  Process process;
  HWND splash = nullptr;  // null when it never showed
  HWND main = nullptr;    // null when it never showed
};

// Starts tavrolin.exe of `dir` with `args` and waits for the splash to be
// visible (splash stays null when it never is).
Tavrolin launchTavrolin(const std::filesystem::path& dir, const std::wstring& args,
                        DWORD ms = 60000);
// Presses the splash's "Ok" once it can take the click and waits for the
// main window to be visible (main stays null when it never is).
void pressSplashOk(Tavrolin& t, DWORD ms = 60000);
// Both: the program as the operator has it after the splash.
Tavrolin startTavrolin(const std::filesystem::path& dir, const std::wstring& args,
                       DWORD ms = 60000);

// The check boxes of one column of the layer table, top row first; empty
// until the table shows every change of its model and every box stands in
// its row (the grid marks both on its windows).
std::vector<HWND> tableBoxes(HWND main, int column);
// The same for the controls of window class `cls` (check boxes are
// "Button", the type column's drop-downs "ComboBox").
std::vector<HWND> tableControls(HWND main, int column, const wchar_t* cls);

// The layer table's grid window, or null.
HWND tableGrid(HWND main);
// Through the grid's own messages, for a table of any size: one value per
// row, top row first, of the cells of `column` (`query` is the grid's check
// state or selected item message); empty until the table shows every change
// of its model.
std::vector<int> tableValues(HWND main, UINT query, int column);

// True once the window's thread has answered a message sent after every
// message sent to it before: what it was sent is handled.
bool roundTrip(HWND w, DWORD ms = 10000);

}  // namespace harness
