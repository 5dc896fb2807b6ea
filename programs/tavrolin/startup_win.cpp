// The start-up sequence of the main window, run before it is first shown:
// the splash, the search delays from main.ini, the editor handle from the
// command line, then the attachment to the editor.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "tavrolin/app_paths_win.h"
#include "tavrolin/command_line.h"
#include "tavrolin/layer_types.h"
#include "tavrolin/main_window_win.h"
#include "tavrolin/output_dir.h"
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
#include "layers/layer_model.h"
#include "layers/layer_table.h"

namespace app {
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

void MainWindow::showFirst(int showCmd) {
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

void MainWindow::runStartup() {
  // 1. the about box as splash, waited for until the operator presses "Ok"
  if (aboutBox_.hwnd()) pump_.waitWhileShown(aboutBox_.hwnd());
  // 2. the search delays; negative delays are no delays
  link_.editorWindow = 0;
  base::SettingsStore ini(mainIniPath());
  link_.windowDelayMs = base::readDelay(ini, base::kWindowDelay);
  link_.controlDelayMs = base::readDelay(ini, base::kControlDelay);
  // 3. the editor handle from the command line
  link_.editorWindow = scanEditorHandle(commandLineArgs(), link_.editorWindow);
  // 4. the attachment
  attachEditor();
}

void MainWindow::attachEditor() {
  // 5. the chooser, when no editor came on the command line
  if (!link_.attached() && (chooser_.hwnd() || chooser_.create())) {
    pump_.waitWhileShown(chooser_.hwnd(), [this] { chooser_.showListed(); });
  }
  // 6. no editor: detached
  if (!link_.attached()) {
    setDetached();
    return;
  }
  // What the editor does not give is noted while the values are read, and
  // named to the operator at the end, also when a step ends the sequence.
  cadlink::EditorMisses& misses = link_.misses;
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

void MainWindow::reportUnread(const cadlink::UnreadSteps& unread) {
  if (unread.empty()) return;
  MessageBoxW(hwnd(), unread.message().c_str(), L"Tavrolin", MB_OK | MB_ICONWARNING);
}

void MainWindow::readEditorValues(cadlink::UnreadSteps& unread) {
  base::SettingsStore ini(mainIniPath());
  // 7. the layer list into the layer table
  cadlink::readLayerList(link_, [this](const std::wstring& name, const std::wstring& typeText) {
    layers::addEditorLayer(model_.rows, name, typeText);
  });
  unread.after(L"список слоёв");
  // a main.ini without usable types: the table without them, and the operator told why
  const LayerTypes types = readLayerTypes(ini);
  layers::buildLayerTable(model_, types.keys, [&ini](const std::wstring& key) {
    return ini.readString(L"layers", key, L"");
  });
  if (!types.problem.empty()) {
    MessageBoxW(hwnd(), types.problem.c_str(), L"Tavrolin", MB_OK | MB_ICONWARNING);
  }
  // 8., 9. the configured swell values into the editor
  if (base::readSetting(ini, base::kAutoSms)) {
    cadlink::writeSolderMaskSwell(link_, base::readSetting(ini, base::kSolderMaskSwell));
    unread.after(L"установка SolderMaskSwell");
  }
  if (base::readSetting(ini, base::kAutoPs)) {
    cadlink::writePlaneSwell(link_, base::readSetting(ini, base::kPlaneSwell));
    unread.after(L"установка Plane Swell");
  }
  // 10., 11. where the design lives and where its files go
  readDesignValues(unread, base::readSetting(ini, base::kOutputDir));
  // 12. the swell values as the editor now holds them
  model_.solderMaskSwell.setText(cadlink::readSolderMaskSwell(link_));
  unread.after(L"SolderMaskSwell");
  model_.planeSwell.setText(cadlink::readPlaneSwell(link_));
  unread.after(L"Plane Swell");
  // 13. the offsets
  model_.offsetX.setText(L"0");
  model_.offsetY.setText(L"0");
  // 14. the editor's version and build
  readEditorIdentity(unread);
  // 15. the draw aperture size
  model_.drawApertureSize.setText(cadlink::readDrawApertureSize(link_));
  unread.after(L"Draw Aperture Size");
  // 16. the plot driver
  plotDriverPath_ = exeDir() + L"plotrelay.exe";
  // the choices kept from the last export of this design
  restoreChoices();
  // 17. the keyboard focus on the board type code
  focusPending_ = true;
}

void MainWindow::readDesignValues(cadlink::UnreadSteps& unread,
                                  const std::wstring& configuredOutputDir) {
  // 10. where the design lives, its directory read whole
  bool designDirWhole = false;
  const std::wstring designDir = cadlink::readDesignDir(link_, &designDirWhole);
  unread.after(L"папка проекта", !designDirWhole);
  designFileName_ = cadlink::readDesignFileName(link_);
  unread.after(L"имя файла проекта");
  // 11. the output directory; none when it would come from a directory
  // that was not read whole (the export run then refuses)
  DirectoryOps ops{[](const std::wstring& d) {
                     DWORD a = GetFileAttributesW(d.c_str());
                     return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
                   },
                   [](const std::wstring& d) { CreateDirectoryW(d.c_str(), nullptr); }};
  model_.outputDir.setText(resolveOutputDir(configuredOutputDir, designDir, designDirWhole, ops));
}

void MainWindow::readEditorIdentity(cadlink::UnreadSteps& unread) {
  // the version from the editor's title, the build from its build window
  const std::wstring title = cadlink::readEditorTitle(link_);
  unread.after(L"заголовок окна редактора");
  const int32_t version = cadlink::versionFromTitle(title);
  link_.editorVersion = std::to_wstring(version);
  try {
    link_.editorBuild = std::to_wstring(cadlink::readEditorBuild(link_, version));
  } catch (...) {
    unread.after(L"номер сборки");  // a build window that never came reads as no number
    throw;
  }
  unread.after(L"номер сборки");
}

HWND MainWindow::editorHandle() const { return cadlink::mainWindowOf(link_); }

void MainWindow::onBoardTypeCodeChar(WPARAM& ch) {
  wchar_t key = static_cast<wchar_t>(ch);
  if (widgets::windowText(c_.boardTypeCode) != model_.boardTypeCode.text()) {
    syncingEdit_ = true;
    model_.boardTypeCode.setText(widgets::windowText(c_.boardTypeCode));
    syncingEdit_ = false;
  }
  layers::onBoardTypeCodeKey(model_, key);
  ch = key;
}

}  // namespace app
