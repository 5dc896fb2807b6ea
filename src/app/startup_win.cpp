// The start-up sequence of the main window, run before it is first shown:
// the splash, the search delays from main.ini, the editor handle from the
// command line, then the attachment to the editor.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/about_box_win.h"
#include "app/app_paths_win.h"
#include "app/command_line.h"
#include "app/main_window_win.h"
#include "app/message_loop_win.h"
#include "app/run_values.h"
#include "app/output_dir.h"
#include "base/settings_keys.h"
#include "base/settings_store.h"
#include "cadlink/board_params_win.h"
#include "cadlink/chooser_win.h"
#include "cadlink/design_info_win.h"
#include "cadlink/editor_access_win.h"
#include "cadlink/editor_misses.h"
#include "cadlink/editor_protocol.h"
#include "cadlink/editor_version_win.h"
#include "cadlink/layer_readout_win.h"
#include "layers/board_type_code.h"
#include "layers/layer_table.h"

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
  base::SettingsStore ini(app::mainIniPath());
  dw = base::readDelay(ini, base::kWindowDelay);
  dc = base::readDelay(ini, base::kControlDelay);
  // 3. the editor handle from the command line
  h = app::scanEditorHandle(commandLineArgs(), h);
  // 4. the attachment
  attachEditor();
}

void TForm9::attachEditor() {
  // 5. the chooser, when no editor came on the command line
  if (h == 0 && Form10) app::polledDialogWait(Form10->hwnd(), [] { Form10->show(); });
  // 6. no editor: detached
  if (h == 0) {
    setDetached();
    return;
  }
  // What the editor does not give is noted while the values are read, and
  // named to the operator at the end, also when a step ends the sequence.
  cadlink::EditorMisses& misses = cadlink::editorMisses();
  misses.start();
  cadlink::UnreadSteps unread(misses);
  try {
    readEditorValues(unread);
  } catch (...) {
    misses.stop();
    reportUnread(unread);
    throw;
  }
  misses.stop();
  reportUnread(unread);
}

void TForm9::reportUnread(const cadlink::UnreadSteps& unread) {
  if (unread.empty()) return;
  MessageBoxW(hwnd(), unread.message().c_str(), L"Tavrolin", MB_OK | MB_ICONWARNING);
}

void TForm9::readEditorValues(cadlink::UnreadSteps& unread) {
  HWND editor = editorHandle();
  base::SettingsStore ini(app::mainIniPath());
  // 7. the layer list into the layer table
  cadlink::filllayertable(model_.rows);
  unread.after(L"список слоёв");
  layers::buildLayerTable(model_, ini.readSectionKeys(L"layers"),
                          [&ini](const std::wstring& key) { return ini.readString(L"layers", key, L""); });
  // 8., 9. the configured swell values into the editor
  if (base::readSetting(ini, base::kAutoSms)) {
    cadlink::SetSolderMaskSwell(editor, base::readSetting(ini, base::kSolderMaskSwell));
    unread.after(L"установка SolderMaskSwell");
  }
  if (base::readSetting(ini, base::kAutoPs)) {
    cadlink::SetPlaneSwell(editor, base::readSetting(ini, base::kPlaneSwell));
    unread.after(L"установка Plane Swell");
  }
  // 10. where the design lives, its directory read whole
  bool pcbdirWhole = false;
  pcbdir = cadlink::getcadput(editor, &pcbdirWhole);
  unread.after(L"папка проекта", !pcbdirWhole);
  pcbname = cadlink::getcadname(editor);
  unread.after(L"имя файла проекта");
  // 11. the output directory; none when it would come from a directory
  // that was not read whole (the export run then refuses)
  app::DirectoryOps ops{
      [](const std::wstring& d) {
        DWORD a = GetFileAttributesW(d.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
      },
      [](const std::wstring& d) { CreateDirectoryW(d.c_str(), nullptr); }};
  model_.outputDir.setText(
      app::resolveOutputDir(base::readSetting(ini, base::kOutputDir), pcbdir, pcbdirWhole, ops));
  // 12. the swell values as the editor now holds them
  model_.solderMaskSwell.setText(cadlink::getSolderMaskSwell(editor));
  unread.after(L"SolderMaskSwell");
  model_.planeSwell.setText(cadlink::getPlaneSwell(editor));
  unread.after(L"Plane Swell");
  // 13. the offsets
  model_.offsetX.setText(L"0");
  model_.offsetY.setText(L"0");
  // 14. the editor's version and build
  const std::wstring title = cadlink::gettext(editor);
  unread.after(L"заголовок окна редактора");
  int32_t v = cadlink::getversion(title);
  version = std::to_wstring(v);
  try {
    bild = std::to_wstring(cadlink::getbild(editor, v));
  } catch (...) {
    unread.after(L"номер сборки");  // a build window that never came reads as no number
    throw;
  }
  unread.after(L"номер сборки");
  // 15. the draw aperture size
  model_.drawApertureSize.setText(cadlink::getDrawApertureSize(editor));
  unread.after(L"Draw Aperture Size");
  // 16. the plot driver
  autopcad = app::exeDir() + L"plotrelay.exe";
  // 17. the keyboard focus on the board type code
  focusPending_ = true;
}

HWND TForm9::editorHandle() const {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(h));
}

void TForm9::Edit1Char(WPARAM& ch) {
  wchar_t key = static_cast<wchar_t>(ch);
  if (widgets::windowText(c_.edit1) != model_.boardTypeCode.text()) {
    syncingEdit_ = true;
    model_.boardTypeCode.setText(widgets::windowText(c_.edit1));
    syncingEdit_ = false;
  }
  layers::onBoardTypeCodeKey(model_, key);
  ch = key;
}
