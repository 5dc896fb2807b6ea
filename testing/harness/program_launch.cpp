// Starting and reading tavrolin.exe (see program_launch.h).
#include "program_launch.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "base/encoding.h"
#include "widgets/grid_window_win.h"

namespace harness {

namespace fs = std::filesystem;

bool writeMainIni(const fs::path& programDir, const std::string& pcadLines,
                  const std::string& mainLines) {
  std::ifstream in(programDir / L"main.ini", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  if (bytes.size() < 2) return false;
  const std::wstring text = base::fromUtf16Le(std::string_view(bytes).substr(2));
  const size_t layers = text.find(L"[layers]");
  if (layers == std::wstring::npos) return false;
  const std::wstring fresh = L"[main]\r\n" + base::fromUtf8(mainLines) + L"[pcad]\r\n" +
                             base::fromUtf8(pcadLines) + text.substr(layers);
  std::ofstream(programDir / L"main.ini", std::ios::binary)
      << std::string("\xFF\xFE", 2) << base::toUtf16Le(fresh);
  return true;
}

Tavrolin launchTavrolin(const fs::path& dir, const std::wstring& args, DWORD ms) {
  Tavrolin t;
  t.process = Process(L"\"" + (dir / L"tavrolin.exe").wstring() + L"\" " + args, dir);
  if (!t.process.started()) return t;
  HWND splash = nullptr;
  waitFor(
      [&] {
        splash = findWindowOf(t.process.pid(), L"", kSplashClass);
        return (splash && IsWindowVisible(splash)) || t.process.wait(0);
      },
      ms);
  if (splash && IsWindowVisible(splash)) t.splash = splash;
  return t;
}

void pressSplashOk(Tavrolin& t, DWORD ms) {
  if (!t.splash) return;
  // a click before the button can take it would be lost
  HWND ok = findChild(t.splash, L"Button", L"Ok");
  if (!ok || !waitFor([&] { return IsWindowVisible(ok) && IsWindowEnabled(ok); }, ms)) return;
  SendMessageW(ok, BM_CLICK, 0, 0);
  HWND main = nullptr;
  waitFor(
      [&] {
        main = findWindowOf(t.process.pid(), L"", kMainClass);
        return (main && IsWindowVisible(main)) || t.process.wait(0);
      },
      ms);
  if (main && IsWindowVisible(main)) t.main = main;
}

Tavrolin startTavrolin(const fs::path& dir, const std::wstring& args, DWORD ms) {
  Tavrolin t = launchTavrolin(dir, args, ms);
  pressSplashOk(t, ms);
  return t;
}

namespace {

struct ColumnSearch {
  int column;
  const wchar_t* cls;
  std::vector<std::pair<INT_PTR, HWND>> boxes;  // model row, box
  bool complete = true;
};

BOOL CALLBACK collectColumnBox(HWND w, LPARAM lp) {
  auto* f = reinterpret_cast<ColumnSearch*>(lp);
  wchar_t cls[32];
  GetClassNameW(w, cls, 32);
  if (_wcsicmp(cls, widgets::kGridClass) == 0 && GetPropW(w, widgets::kGridPendingProperty))
    f->complete = false;
  if (_wcsicmp(cls, f->cls) != 0 || GetWindowLongPtrW(w, GWLP_ID) != f->column) return TRUE;
  wchar_t parentCls[32];
  GetClassNameW(GetParent(w), parentCls, 32);
  if (_wcsicmp(parentCls, widgets::kGridBodyClass) != 0) return TRUE;
  const INT_PTR row = reinterpret_cast<INT_PTR>(GetPropW(w, widgets::kGridRowProperty));
  if (row <= 0 || !IsWindowVisible(w)) f->complete = false;
  f->boxes.emplace_back(row, w);
  return TRUE;
}

}  // namespace

std::vector<HWND> tableBoxes(HWND main, int column) {
  return tableControls(main, column, L"Button");
}

std::vector<HWND> tableControls(HWND main, int column, const wchar_t* cls) {
  ColumnSearch found{column, cls, {}};
  EnumChildWindows(main, collectColumnBox, reinterpret_cast<LPARAM>(&found));
  if (!found.complete) return {};
  std::sort(found.boxes.begin(), found.boxes.end());
  std::vector<HWND> out;
  for (size_t i = 0; i < found.boxes.size(); ++i) {
    if (i > 0 && found.boxes[i].first == found.boxes[i - 1].first) return {};  // one per row
    out.push_back(found.boxes[i].second);
  }
  return out;
}

HWND tableGrid(HWND main) { return findChild(main, widgets::kGridClass, L""); }

std::vector<int> tableValues(HWND main, UINT query, int column) {
  HWND grid = tableGrid(main);
  if (!grid || GetPropW(grid, widgets::kGridPendingProperty)) return {};
  const int rows = static_cast<int>(SendMessageW(grid, widgets::kGridMsgRowCount, 0, 0));
  std::vector<int> values;
  for (int r = 0; r < rows; ++r) {
    values.push_back(static_cast<int>(SendMessageW(grid, query, static_cast<WPARAM>(r), column)));
  }
  return values;
}

bool roundTrip(HWND w, DWORD ms) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, ms, &result) != 0;
}

}  // namespace harness
