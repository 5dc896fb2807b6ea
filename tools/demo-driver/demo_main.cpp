// The demo driver: starts the editor stand-in on the four-layer sample
// board and Tavrolin attached to it, types a board type code, presses
// "Экспорт", answers the messages, and saves screen shots on the way.
// Usage: demo-driver.exe <output folder> [--keep]  (--keep leaves the windows open)
// The folder receives program\ (a copy of the program folder), board\ (the
// design's directory, where the export writes), shots\*.bmp and demo.log.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "harness.h"
#include "repo_paths.h"
#include "screen_shot.h"

namespace fs = std::filesystem;

namespace {

std::wofstream gLog;

void say(const std::wstring& text) {
  gLog << text << L"\n";
  gLog.flush();
}

void shot(const fs::path& dir, const std::wstring& name) {
  Sleep(400);
  bool ok = saveScreenShot((dir / (name + L".bmp")).wstring());
  say(L"screen shot " + name + (ok ? L"" : L" failed"));
}

// Presses OK or "Да" in the message boxes of the process, each once; true
// when there was one.
bool answerMessageBox(DWORD pid, const fs::path& shots, int& count) {
  HWND box = harness::findWindowOf(pid, L"", L"#32770");
  if (!box || !IsWindowVisible(box)) return false;
  shot(shots, L"05-message-" + std::to_wstring(++count));
  HWND yes = GetDlgItem(box, IDYES);
  HWND ok = GetDlgItem(box, IDOK);
  PostMessageW(box, WM_COMMAND, yes ? IDYES : IDOK, reinterpret_cast<LPARAM>(yes ? yes : ok));
  Sleep(300);
  return true;
}

struct ColumnBoxes {
  int column;
  std::vector<std::pair<LONG, HWND>> boxes;
};

BOOL CALLBACK collectColumnBox(HWND w, LPARAM lp) {
  auto* f = reinterpret_cast<ColumnBoxes*>(lp);
  wchar_t cls[32];
  GetClassNameW(w, cls, 32);
  if (_wcsicmp(cls, L"Button") == 0 && GetWindowLongPtrW(w, GWLP_ID) == f->column &&
      GetParent(GetParent(w)) != nullptr) {
    RECT r;
    GetWindowRect(w, &r);
    f->boxes.emplace_back(r.top, w);
  }
  return TRUE;
}

// The check boxes of one column of the layer table, top row first.
std::vector<HWND> columnBoxes(HWND main, int column) {
  ColumnBoxes found{column, {}};
  EnumChildWindows(main, collectColumnBox, reinterpret_cast<LPARAM>(&found));
  std::sort(found.boxes.begin(), found.boxes.end());
  std::vector<HWND> out;
  for (const auto& b : found.boxes) out.push_back(b.second);
  return out;
}

int run(const fs::path& out, bool keep) {
  fs::create_directories(out);
  gLog.open(out / L"demo.log");
  fs::path program = out / L"program";
  fs::path board = out / L"board";
  fs::path shots = out / L"shots";
  fs::create_directories(board);
  fs::create_directories(shots);
  harness::copyFolder(harness::programDir(), program);

  // the editor with the four-layer board, its design in the board folder
  std::wstring standin = L"\"" + (harness::buildDir() / L"editor-standin.exe").wstring() +
                         L"\" --board \"" + (harness::boardsDir() / L"four-layer.brd").wstring() +
                         L"\" --design-dir \"" + board.wstring() + L"\\\\\"";
  say(L"editor: " + standin);
  harness::Process editor(standin);
  HWND editorWindow = harness::waitWindowOf(editor.pid(), L"", 60000, L"ACCEL PCB");
  say(editorWindow ? L"editor started" : L"editor did not start");
  if (!editorWindow) return 1;

  harness::Process tavrolin(L"\"" + (program / L"tavrolin.exe").wstring() + L"\"", program);
  HWND about = harness::waitWindowOf(tavrolin.pid(), L"", 60000, L"TForm3");
  harness::waitFor([&] { return about && IsWindowVisible(about); }, 10000);
  shot(shots, L"01-splash");
  SendMessageW(harness::findChild(about, L"Button", L"Ok"), BM_CLICK, 0, 0);

  HWND main = harness::findWindowOf(tavrolin.pid(), L"", L"TForm9");
  if (!harness::waitFor([&] { return main && IsWindowVisible(main); }, 60000)) {
    say(L"the main window did not come up");
    return 1;
  }
  say(L"attached: " + harness::textOf(main));
  shot(shots, L"02-main-window");

  HWND edit = GetDlgItem(main, 1001);
  for (wchar_t ch : std::wstring(L"422")) SendMessageW(edit, WM_CHAR, ch, 0);
  say(L"board type code: " + harness::textOf(edit));
  // titles on the top silk screen: not what its type expects, so the cell
  // turns red
  std::vector<HWND> titles = columnBoxes(main, 14);
  if (titles.size() > 6) {
    SendMessageW(titles[6], BM_CLICK, 0, 0);
    say(L"titles checked on the top silk screen row: its cell is marked");
  }
  shot(shots, L"03-board-type-code");

  HWND exportButton = harness::findChild(main, L"Button", L"Экспорт");
  PostMessageW(exportButton, BM_CLICK, 0, 0);
  // the driver's progress window while it works
  HWND progress = nullptr;
  harness::waitFor(
      [&] {
        progress = FindWindowW(nullptr, L"Tavrolin \x2014 вывод файлов");
        return progress != nullptr;
      },
      20000);
  if (progress) shot(shots, L"04-plot-driver");
  // the run ends when the program answers again; answer its messages
  int boxes = 0;
  DWORD_PTR result = 0;
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 180000) {
    answerMessageBox(tavrolin.pid(), shots, boxes);
    if (!FindWindowW(nullptr, L"Tavrolin \x2014 вывод файлов") &&
        SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, &result) &&
        !harness::findWindowOf(tavrolin.pid(), L"", L"#32770")) {
      Sleep(500);
      if (!answerMessageBox(tavrolin.pid(), shots, boxes)) break;
    }
    Sleep(200);
  }
  say(L"export finished");
  shot(shots, L"06-after-export");
  for (const auto& entry : fs::directory_iterator(board)) {
    say(L"  " + entry.path().filename().wstring() + L"  " +
        std::to_wstring(entry.is_regular_file() ? entry.file_size() : 0));
  }
  if (keep) {
    // a person goes on with the windows; the driver leaves them running
    tavrolin.detach();
    editor.detach();
    return 0;
  }
  PostMessageW(main, WM_CLOSE, 0, 0);
  tavrolin.wait(10000);
  PostMessageW(editorWindow, WM_CLOSE, 0, 0);
  editor.wait(5000);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  fs::path out = argc > 1 ? fs::path(argv[1]) : fs::current_path() / L"demo-out";
  bool keep = argc > 2 && std::wstring(argv[2]) == L"--keep";
  LocalFree(argv);
  return run(out, keep);
}
