// Starting the real program in the Wine tests (see program_fixture.h).
#include "program_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "base/encoding.h"

namespace program_test {

namespace fs = std::filesystem;


void writePcadSettings(const fs::path& programDir, const std::string& pcadLines,
                       const std::string& mainLines) {
  std::ifstream in(programDir / L"main.ini", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::wstring text = base::fromUtf16Le(std::string_view(bytes).substr(2));
  size_t layers = text.find(L"[layers]");
  ASSERT_NE(layers, std::wstring::npos);
  std::wstring fresh = L"[main]\r\n" + base::fromUtf8(mainLines) + L"[pcad]\r\n" +
                       base::fromUtf8(pcadLines) +
                       text.substr(layers);
  std::ofstream(programDir / L"main.ini", std::ios::binary)
      << std::string("\xFF\xFE", 2) << base::toUtf16Le(fresh);
}

Program startProgram(const fs::path& dir, const std::wstring& args) {
  Program p;
  p.process = harness::Process(L"\"" + (dir / L"tavrolin.exe").wstring() + L"\" " + args, dir);
  HWND about = harness::waitWindowOf(p.process.pid(), L"", 15000, L"TForm3");
  harness::waitFor([&] { return about && IsWindowVisible(about); }, 5000);
  if (!about) return p;
  SendMessageW(harness::findChild(about, L"Button", L"Ok"), BM_CLICK, 0, 0);
  p.main = harness::findWindowOf(p.process.pid(), L"", L"TForm9");
  harness::waitFor([&] { return p.main && IsWindowVisible(p.main); }, 30000);
  return p;
}

namespace {

struct Box {
  HWND hwnd;
  RECT rect;
};

BOOL CALLBACK collectBoxes(HWND w, LPARAM lp) {
  wchar_t cls[32];
  GetClassNameW(w, cls, 32);
  if (_wcsicmp(cls, L"Button") == 0 && GetWindowLongPtrW(w, GWLP_ID) == kExportColumn &&
      GetParent(GetParent(w)) != nullptr) {
    Box b{w, {}};
    GetWindowRect(w, &b.rect);
    reinterpret_cast<std::vector<Box>*>(lp)->push_back(b);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> exportBoxes(HWND main) {
  std::vector<Box> boxes;
  EnumChildWindows(main, collectBoxes, reinterpret_cast<LPARAM>(&boxes));
  for (const Box& b : boxes) {
    if (!IsWindowVisible(b.hwnd)) return {};
  }
  std::sort(boxes.begin(), boxes.end(),
            [](const Box& a, const Box& b) { return a.rect.top < b.rect.top; });
  std::vector<HWND> out;
  for (const Box& b : boxes) out.push_back(b.hwnd);
  return out;
}

std::wstring handleArg(HWND w) {
  return std::to_wstring(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(w)));
}

}  // namespace program_test
