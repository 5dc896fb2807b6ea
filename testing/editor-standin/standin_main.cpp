// Entry of the editor stand-in: reads the command line and the board,
// opens the journal, shows the main window and runs the message loop.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "board_faults.h"
#include "board_file.h"
#include "main_window.h"
#include "message_loop.h"
#include "standin_app.h"

namespace {

constexpr int kExitBadStart = 2;

std::vector<std::wstring> arguments() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  LocalFree(argv);
  return args;
}

std::wstring widen(const char* text) {
  int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring out(static_cast<size_t>(n > 0 ? n - 1 : 0), L'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
  return out;
}

// Start-up failure: told in a box when a person runs the stand-in, only by
// the exit code when a test does (it gives a journal).
int failStart(const standin::Options* options, const std::wstring& text) {
  if (!options || options->journalFile.empty()) {
    MessageBoxW(nullptr, text.c_str(), L"editor-standin", MB_OK | MB_ICONERROR);
  }
  return kExitBadStart;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  standin::StandinApp app;
  app.instance = instance;
  try {
    app.options = standin::parseOptions(arguments());
  } catch (const std::exception& e) {
    return failStart(nullptr, widen(e.what()));
  }
  if (app.options.boardFile.empty()) {
    app.board.fileName = L"noname.pcb";
  } else {
    try {
      app.board = standin::loadBoardFile(app.options.boardFile);
    } catch (const std::exception& e) {
      return failStart(&app.options, app.options.boardFile + L": " + widen(e.what()));
    }
  }
  standin::applyBoardOptions(app.options, app.board);
  if (!app.options.journalFile.empty() && !app.journal.open(app.options.journalFile)) {
    return failStart(&app.options, L"cannot create the journal " + app.options.journalFile);
  }

  standin::MainWindow mainWindow(app);
  if (!mainWindow.create()) return failStart(&app.options, L"cannot create the main window");
  return standin::runMessageLoop(app.origin);
}
