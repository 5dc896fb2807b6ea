// Figures, not assertions on time: for boards of 12, 50, 300 and 1,000
// layers, how long the program takes from the splash's "Ok" to the table's
// complete first paint (searches with no delay), how long one complete board
// type code takes through the real edit, how many child windows the main
// window has, and the program's peak working set.
#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cadlink_fixture.h"
#include "harness.h"
#include "program_launch.h"
#include "widgets/grid_window_win.h"

namespace {

namespace fs = std::filesystem;

constexpr UINT kGridRowCount = WM_USER + 100;

HWND gridOf(HWND main) { return harness::findChild(main, widgets::kGridClass, L""); }

// The table holds every row and shows every change of its model: the grid
// answers its row count, or (a grid that does not) every row's export box
// stands in its row.
bool tableFilled(HWND main, int layers) {
  HWND grid = gridOf(main);
  if (!grid || GetPropW(grid, widgets::kGridPendingProperty)) return false;
  DWORD_PTR rows = 0;
  SendMessageTimeoutW(grid, kGridRowCount, 0, 0, SMTO_NORMAL, 10000, &rows);
  return static_cast<int>(rows) == layers ||
         static_cast<int>(harness::tableBoxes(main, harness::kExportColumn).size()) == layers;
}

// Every paint the main window and its children still owe, done now (sent
// to the program's thread, so this returns once they are painted).
void paintNow(HWND main) { RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

double msBetween(const LARGE_INTEGER& a, const LARGE_INTEGER& b) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

void benchBoard(int layers) {
  const std::wstring name = L"bench-" + std::to_wstring(layers);
  cadlink_test::Standin editor(name, L"", harness::boardOfLayers(layers));
  ASSERT_NE(editor.main(), nullptr);

  fs::path dir = harness::copyProgram(name);
  ASSERT_TRUE(harness::writeMainIni(dir, "", "dw=0\r\ndc=0\r\n"));
  harness::Tavrolin program = harness::launchTavrolin(
      dir,
      L"-h " + std::to_wstring(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(editor.main()))));
  ASSERT_NE(program.splash, nullptr);

  const DWORD limitMs = 300000;
  // the clock starts when "Ok" can take the click
  HWND ok = harness::findChild(program.splash, L"Button", L"Ok");
  harness::waitFor([&] { return IsWindowVisible(ok) && IsWindowEnabled(ok); }, limitMs);
  DWORD start = GetTickCount();
  harness::pressSplashOk(program, limitMs);
  HWND main = program.main;
  ASSERT_NE(main, nullptr);
  if (!harness::waitFor([&] { return tableFilled(main, layers); }, limitMs)) {
    printf("layer table, %d layers: not filled within %lu s\n", layers, limitMs / 1000);
    program.process.kill();
    return;
  }
  paintNow(main);
  DWORD painted = GetTickCount() - start;

  HWND edit = GetDlgItem(main, harness::kBoardTypeCodeEditId);
  // "2 2 2", valid on every board; the last digit applies the complete code.
  // A board of ten or more conductive layers waits for a second digit of
  // the first field, so the blank ends it.
  SendMessageW(edit, WM_CHAR, L'2', 0);
  if (harness::textOf(edit) == L"2") SendMessageW(edit, WM_CHAR, L' ', 0);
  SendMessageW(edit, WM_CHAR, L'2', 0);
  LARGE_INTEGER t0, t1, t2;
  QueryPerformanceCounter(&t0);
  SendMessageW(edit, WM_CHAR, L'2', 0);
  QueryPerformanceCounter(&t1);
  harness::waitFor([&] { return tableFilled(main, layers); }, limitMs);
  paintNow(main);
  QueryPerformanceCounter(&t2);
  EXPECT_EQ(harness::textOf(edit), L"2 2 2");

  // the table's own share: the whole table painted again, and (where the
  // grid answers its messages) a scroll to the last row painted
  const int windows = harness::childWindowCount(main);
  HWND grid = gridOf(main);
  LARGE_INTEGER r0, r1, s1;
  QueryPerformanceCounter(&r0);
  RedrawWindow(grid, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  QueryPerformanceCounter(&r1);
  const bool scrolled =
      SendMessageW(grid, widgets::kGridMsgShowRow, static_cast<WPARAM>(layers - 1), 0) == 1;
  paintNow(main);
  QueryPerformanceCounter(&s1);
  char scroll[32] = "-";
  if (scrolled) snprintf(scroll, sizeof scroll, "%.2f ms", msBetween(r1, s1));

  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(program.process.handle(), &memory, sizeof memory);

  printf(
      "layer table, %4d layers: \"Ok\" to the complete first paint %6lu ms; "
      "board type code applied %8.2f ms, shown %8.2f ms; "
      "child windows of the main window %5d; peak working set %6.1f MB; "
      "table repainted %8.2f ms, scrolled to the end %s\n",
      layers, static_cast<unsigned long>(painted), msBetween(t0, t1), msBetween(t0, t2), windows,
      static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0), msBetween(r0, r1),
      scroll);
  fflush(stdout);
  PostMessageW(main, WM_CLOSE, 0, 0);
  program.process.wait(20000);
}

TEST(LayerTableBench, BoardsOfEverySize) {
  for (int layers : {12, 50, 300, 1000}) benchBoard(layers);
}

}  // namespace
