// The demo driver: starts the editor stand-in on the four-layer sample
// board and Tavrolin attached to it, types a board type code, presses
// "Экспорт", answers the messages, and saves screen shots on the way.
// Usage: demo-driver.exe <output folder> [--keep]  (--keep leaves the windows open)
// The folder receives program\ (a copy of the program folder), board\ (the
// design's directory, where the export writes), shots\*.bmp and demo.log.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "editor_standin.h"
#include "harness.h"
#include "program_launch.h"
#include "repo_paths.h"
#include "screen_shot.h"

namespace fs = std::filesystem;

namespace {

std::wofstream gLog;

void say(const std::wstring& text) {
  gLog << text << L"\n";
  gLog.flush();
}

// Makes every visible top-level window paint now (a window that does not
// answer is left as it is), so that a screen shot shows what is there.
BOOL CALLBACK paintNow(HWND w, LPARAM) {
  DWORD_PTR r = 0;
  if (IsWindowVisible(w) && SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &r)) {
    RedrawWindow(w, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  return TRUE;
}

void shot(const fs::path& dir, const std::wstring& name) {
  EnumWindows(paintNow, 0);
  bool ok = saveScreenShot((dir / (name + L".bmp")).wstring());
  say(L"screen shot " + name + (ok ? L"" : L" failed"));
}

// Presses OK or "Да" in a message box of the process, if one is up, and
// waits for it to go; true when there was one.
bool answerMessageBox(DWORD pid, const fs::path& shots, int& count) {
  HWND box = harness::findWindowOf(pid, L"", L"#32770");
  if (!box || !IsWindowVisible(box)) return false;
  shot(shots, L"05-message-" + std::to_wstring(++count));
  HWND yes = GetDlgItem(box, IDYES);
  HWND ok = GetDlgItem(box, IDOK);
  PostMessageW(box, WM_COMMAND, yes ? IDYES : IDOK, reinterpret_cast<LPARAM>(yes ? yes : ok));
  harness::waitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 10000);
  return true;
}

// Types the board type code "4 2 2" and ticks the titles of the top silk
// screen, which its type does not expect, so that the cell turns red.
void typeCodeAndMarkACell(HWND main, const fs::path& shots) {
  HWND edit = GetDlgItem(main, harness::kBoardTypeCodeEditId);
  for (wchar_t ch : std::wstring(L"422")) SendMessageW(edit, WM_CHAR, ch, 0);
  say(L"board type code: " + harness::textOf(edit));
  std::vector<HWND> titles = harness::tableBoxes(main, 14);
  if (titles.size() > 6) {
    SendMessageW(titles[6], BM_CLICK, 0, 0);
    say(L"titles checked on the top silk screen row: its cell is marked");
  }
  shot(shots, L"03-board-type-code");
}

// Presses "Экспорт" from a thread of its own (the call returns when the run
// is over) and answers the run's message boxes meanwhile.
void exportAnsweringBoxes(HWND main, DWORD pid, const fs::path& shots) {
  HWND exportButton = harness::findChild(main, L"Button", L"Экспорт");
  std::atomic<bool> done{false};
  std::thread press([&] {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(exportButton, BM_CLICK, 0, 0, SMTO_NORMAL, 600000, &r);
    done = true;
  });
  // the driver's progress window while it works
  HWND progress = nullptr;
  harness::waitFor(
      [&] {
        progress = FindWindowW(nullptr, L"Tavrolin \x2014 вывод файлов");
        return progress != nullptr || done;
      },
      60000);
  if (progress) shot(shots, L"04-plot-driver");
  int boxes = 0;
  harness::waitFor(
      [&] {
        answerMessageBox(pid, shots, boxes);
        return done.load();
      },
      600000);
  press.join();
}

// "Настройки" from the menu, both its pages shot, and closed again.
void shotSettings(HWND main, DWORD pid, const fs::path& shots) {
  constexpr int kCmdSettings = 106;
  PostMessageW(main, WM_COMMAND, kCmdSettings, 0);
  HWND dialog = nullptr;
  if (harness::waitFor(
          [&] {
            dialog = harness::findWindowOf(pid, L"Настройки", L"TForm11");
            return dialog && IsWindowVisible(dialog);
          },
          10000)) {
    shot(shots, L"02-settings");
    // the second page, as the arrow key on the tabs picks it
    HWND tabs = FindWindowExW(dialog, nullptr, WC_TABCONTROLW, nullptr);
    PostMessageW(tabs, WM_KEYDOWN, VK_RIGHT, 0);
    if (harness::waitFor([&] { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == 1; }, 5000)) {
      shot(shots, L"02-settings-pcad");
    }
  }
  if (dialog) PostMessageW(dialog, WM_CLOSE, 0, 0);
  harness::waitFor([&] { return !IsWindowVisible(dialog); }, 10000);
}

// The preview that a finished export opens: shot from the top, then from
// the bottom, and closed again.
void shotPreview(DWORD pid, const fs::path& shots) {
  HWND preview = nullptr;
  if (!harness::waitFor(
          [&] {
            preview = harness::findWindowOf(pid, L"", L"TavrolinPreview");
            return preview && IsWindowVisible(preview);
          },
          10000)) {
    say(L"the preview did not come up");
    return;
  }
  // (the log is written in the C locale: the Russian title would stop it)
  say(L"preview opened after the export");
  shot(shots, L"07-preview");
  constexpr UINT kFromBottom = WM_USER + 204;
  SendMessageW(harness::findChild(preview, L"Button", L"Снизу"), BM_CLICK, 0, 0);
  if (harness::waitFor([&] { return SendMessageW(preview, kFromBottom, 0, 0) == 1; }, 5000)) {
    shot(shots, L"07-preview-bottom");
  }
  PostMessageW(preview, WM_CLOSE, 0, 0);
  harness::waitFor([&] { return !IsWindowVisible(preview); }, 5000);
}

void listFolder(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    say(L"  " + entry.path().filename().wstring() + L"  " +
        std::to_wstring(entry.is_regular_file() ? entry.file_size() : 0));
  }
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
  harness::Standin editor(L"four-layer.brd", L"demo",
                          L"--design-dir \"" + board.wstring() + L"\\\\\"");
  HWND editorWindow = editor.main();
  say(editorWindow ? L"editor started" : L"editor did not start");
  if (!editorWindow) return 1;

  harness::Tavrolin tavrolin = harness::launchTavrolin(program, L"");
  if (!tavrolin.splash) {
    say(L"the splash did not come up");
    return 1;
  }
  shot(shots, L"01-splash");
  harness::pressSplashOk(tavrolin);
  HWND main = tavrolin.main;
  if (!main) {
    say(L"the main window did not come up");
    return 1;
  }
  // the layer table as the editor's layers fill it
  harness::waitFor([&] { return !harness::tableBoxes(main, harness::kExportColumn).empty(); },
                   60000);
  say(L"attached: " + harness::textOf(main));
  shot(shots, L"02-main-window");
  shotSettings(main, tavrolin.process.pid(), shots);

  typeCodeAndMarkACell(main, shots);
  exportAnsweringBoxes(main, tavrolin.process.pid(), shots);
  say(L"export finished");
  shotPreview(tavrolin.process.pid(), shots);
  shot(shots, L"06-after-export");
  listFolder(board);
  if (keep) {
    // a person goes on with the windows; the driver leaves them running
    tavrolin.process.detach();
    editor.process().detach();
    return 0;
  }
  PostMessageW(main, WM_CLOSE, 0, 0);
  tavrolin.process.wait(10000);
  PostMessageW(editorWindow, WM_CLOSE, 0, 0);
  editor.process().wait(5000);
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
