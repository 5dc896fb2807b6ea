// The start-up sequence of the main window, run before it is first shown:
// the splash, the search delays from main.ini, the editor handle from the
// command line, then the attachment to the editor.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/about_box_win.h"
#include "app/app_paths_win.h"
#include "app/command_line.h"
#include "app/main_window_win.h"
#include "app/message_loop_win.h"
#include "app/run_values.h"
#include "app/settings_store.h"
#include "layers/board_type_code.h"

namespace {

std::vector<std::wstring> commandLineArgs() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  LocalFree(argv);
  return args;
}

}  // namespace

void TForm9::showFirst(int showCmd) {
  if (!started_) {
    started_ = true;
    // An error ends the sequence; the window comes up in the state reached.
    widgets::guarded(hwnd(), [this] { runStartup(); });
  }
  ShowWindow(hwnd(), showCmd);
  UpdateWindow(hwnd());
  SetForegroundWindow(hwnd());
  if (focusPending_) focusBoardTypeCode();
}

void TForm9::runStartup() {
  // 1. the about box as splash, waited for until the operator presses "Ok"
  if (Form3) app::polledDialogWait(Form3->hwnd());
  // 2. the search delays; negative delays are no delays
  h = 0;
  SettingsStore ini(app::mainIniPath());
  dw = std::max(0, ini.readInteger(L"main", L"dw", 10));
  dc = std::max(0, ini.readInteger(L"main", L"dc", 10));
  // 3. the editor handle from the command line
  h = app::scanEditorHandle(commandLineArgs(), h);
  // 4. the attachment
  attachEditor();
}

void TForm9::attachEditor() {
  if (h == 0) {
    setDetached();
    return;
  }
  focusPending_ = true;
}

void TForm9::Edit1Char(WPARAM& ch) {
  wchar_t key = static_cast<wchar_t>(ch);
  if (widgets::windowText(c_.edit1) != model_.Edit1.text()) {
    syncingEdit_ = true;
    model_.Edit1.setText(widgets::windowText(c_.edit1));
    syncingEdit_ = false;
  }
  Edit1KeyPress(model_, key);
  ch = key;
}
