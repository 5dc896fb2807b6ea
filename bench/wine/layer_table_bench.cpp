// Figures, not assertions on time: how long the program takes from the
// splash's "Ok" to a table of 300 layers placed on the screen (searches with
// no delay), and how long one complete board type code takes to apply.
#include <gtest/gtest.h>

#include <cstdio>

#include "cadlink_fixture.h"
#include "harness.h"
#include "program_launch.h"

namespace {

namespace fs = std::filesystem;

TEST(LayerTableBench, ThreeHundredLayers) {
  std::string board = "design-dir \"C:\\\\boards\\\\\"\nfile-name \"big.pcb\"\n";
  board += "layer \"Top\" \"SEA\"\n";
  for (int i = 2; i < 290; ++i) board += "layer \"Inner " + std::to_string(i) + "\" \"SEA\"\n";
  board += "layer \"Bottom\" \"SEA\"\n";
  for (const char* n : {"Top Mask", "Bot Mask", "Top Silk", "Bot Silk", "Board"}) {
    board += std::string("layer \"") + n + "\" \"NE \"\n";
  }
  for (int i = 0; i < 5; ++i) board += "layer \"Doc " + std::to_string(i) + "\" \"NE \"\n";
  board += "outline 0 0 10 0 10 10 0 10\n";
  cadlink_test::Standin editor(L"bench-300", L"", board);
  ASSERT_NE(editor.main(), nullptr);

  fs::path dir = harness::copyProgram(L"bench-300");
  ASSERT_TRUE(harness::writeMainIni(dir, "", "dw=0\r\ndc=0\r\n"));
  harness::Tavrolin program = harness::launchTavrolin(
      dir,
      L"-h " + std::to_wstring(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(editor.main()))));
  ASSERT_NE(program.splash, nullptr);

  DWORD start = GetTickCount();
  harness::pressSplashOk(program, 120000);
  HWND main = program.main;
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(harness::waitFor(
      [&] { return harness::tableBoxes(main, harness::kExportColumn).size() == 300; }, 120000));
  DWORD filled = GetTickCount() - start;

  HWND edit = GetDlgItem(main, harness::kBoardTypeCodeEditId);
  // "99 2 2": the last digit applies the complete code
  for (wchar_t ch : std::wstring(L"9922")) {
    if (ch == L'2') break;
    SendMessageW(edit, WM_CHAR, ch, 0);
  }
  SendMessageW(edit, WM_CHAR, L'2', 0);
  LARGE_INTEGER f, t0, t1;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t0);
  SendMessageW(edit, WM_CHAR, L'2', 0);
  QueryPerformanceCounter(&t1);
  double applyMs =
      1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(f.QuadPart);
  EXPECT_EQ(harness::textOf(edit), L"99 2 2");

  printf("layer table, 300 layers: from \"Ok\" to the filled table on the screen %lu ms\n",
         static_cast<unsigned long>(filled));
  printf("layer table, 300 layers: one complete board type code applied in %.2f ms\n", applyMs);
  PostMessageW(main, WM_CLOSE, 0, 0);
  program.process.wait(20000);
}

}  // namespace
