// Figures, not assertions on time: how long the program takes from the
// splash's "Ok" to a table of 300 layers placed on the screen (searches with
// no delay), and how long one complete board type code takes to apply.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "cadlink_fixture.h"
#include "harness.h"

namespace {

namespace fs = std::filesystem;

BOOL CALLBACK countExportBoxes(HWND w, LPARAM lp) {
  wchar_t cls[32];
  GetClassNameW(w, cls, 32);
  if (_wcsicmp(cls, L"Button") == 0 && GetWindowLongPtrW(w, GWLP_ID) == 1 && IsWindowVisible(w) &&
      GetParent(GetParent(w)) != nullptr) {
    ++*reinterpret_cast<int*>(lp);
  }
  return TRUE;
}

int exportBoxes(HWND main) {
  int n = 0;
  EnumChildWindows(main, countExportBoxes, reinterpret_cast<LPARAM>(&n));
  return n;
}

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
  {
    std::ifstream in(dir / L"main.ini", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::wstring text = base::fromUtf16Le(std::string_view(bytes).substr(2));
    text = L"[main]\r\ndw=0\r\ndc=0\r\n" + text.substr(text.find(L"[pcad]"));
    std::ofstream(dir / L"main.ini", std::ios::binary)
        << std::string("\xFF\xFE", 2) << base::toUtf16Le(text);
  }
  std::wstring handle =
      std::to_wstring(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(editor.main())));
  harness::Process program(L"\"" + (dir / L"tavrolin.exe").wstring() + L"\" -h " + handle, dir);
  HWND about = harness::waitWindowOf(program.pid(), L"", 30000, L"TForm3");
  ASSERT_TRUE(harness::waitFor([&] { return about && IsWindowVisible(about); }, 10000));
  HWND main = harness::findWindowOf(program.pid(), L"", L"TForm9");

  DWORD start = GetTickCount();
  SendMessageW(harness::findChild(about, L"Button", L"Ok"), BM_CLICK, 0, 0);
  ASSERT_TRUE(harness::waitFor([&] { return exportBoxes(main) == 300; }, 120000));
  DWORD filled = GetTickCount() - start;

  HWND edit = GetDlgItem(main, 1001);
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
  double applyMs = 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) /
                   static_cast<double>(f.QuadPart);
  EXPECT_EQ(harness::textOf(edit), L"99 2 2");

  printf("layer table, 300 layers: from \"Ok\" to the filled table on the screen %lu ms\n",
         static_cast<unsigned long>(filled));
  printf("layer table, 300 layers: one complete board type code applied in %.2f ms\n", applyMs);
  PostMessageW(main, WM_CLOSE, 0, 0);
  program.wait(20000);
}

}  // namespace
