// "Экспорт": the export run, from the checks of the layer table through the
// job description, the plot driver and its error log to the post-processing
// of the files and the automatic close.
#include <windows.h>

#include <ctime>
#include <filesystem>
#include <optional>

#include "tavrolin/app_paths_win.h"
#include "tavrolin/input_block_win.h"
#include "tavrolin/main_window_win.h"
#include "base/error.h"
#include "base/settings_keys.h"
#include "base/settings_store.h"
#include "export/drill_check.h"
#include "export/error_log.h"
#include "export/exec_wait_win.h"
#include "export/export_paths.h"
#include "export/export_run.h"
#include "export/fab_package.h"
#include "export/job_writer.h"
#include "export/post_process.h"
#include "export/run_files.h"

namespace app {

void MainWindow::onExport() {
  // A click that reaches the button while a run is under way (through the
  // message loop of one of the run's message boxes) is ignored.
  if (exporting_) return;
  exporting_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{exporting_};
  if (!readyToExport()) return;
  // From here on the window takes no input until the run is over, and a
  // click that came in meanwhile is dropped: a second click would replay the
  // whole run.
  InputBlock block(hwnd());
  // the preview of an earlier run would show files as the driver rewrites them
  preview_.hide();
  // choices that could not be saved are told once the run is over, however
  // it ends
  struct ToldAfterRun {
    MainWindow& window;
    ~ToldAfterRun() { window.tellChoicesFault(); }
  } told{*this};
  exportcore::RunFiles run;
  if (!runDriver(model_.outputDir.text(), run)) return;
  std::vector<exportcore::KeptDrill> kept;
  if (!postProcess(run, kept)) return;
  offerPreview(kept);
  if (!writeFabPackage(kept, run)) return;
  tellChoicesFault();  // before a close is posted
  // 11. done; the preview of the files unless the program closes
  if (base::readSetting(base::SettingsStore(mainIniPath()), base::kAutoClose)) {
    PostMessageW(hwnd(), WM_CLOSE, 0, 0);
  } else {
    preview_.open();
  }
}

void MainWindow::offerPreview(const std::vector<exportcore::KeptDrill>& kept) {
  preview_.setLayers(previewLayers(model_, kept), designFileName_);
  EnableMenuItem(menu_, kCmdPreview, MF_BYCOMMAND | MF_ENABLED);
  DrawMenuBar(hwnd());
}

bool MainWindow::readyToExport() {
  // 1. signal layers left out
  if (exportcore::hasUnexportedSignalLayer(model_.rows) &&
      MessageBoxW(hwnd(),
                  L"Не все сигнальные слои экспортируются.\rПродолжить выполнение программы?",
                  L"Ошибка", MB_YESNO | MB_ICONERROR) != IDYES) {
    return false;
  }
  // 2. exported layers without a type
  if (exportcore::firstExportedWithoutType(model_.rows) >= 0) {
    MessageBoxW(hwnd(),
                L"Типы слоёв заполненны неполностью.\rЗаполните их и ещё раз нажмите на экспорт!",
                L"Tavrolin", MB_OK);
    return false;
  }
  // 3. nothing to export
  if (!exportcore::anyExported(model_.rows)) return false;
  // no output directory (the design's directory was not read whole at
  // start-up): nothing is written anywhere else
  if (model_.outputDir.text().empty()) {
    MessageBoxW(hwnd(),
                L"Папка вывода не определена: папку проекта не удалось прочитать из редактора "
                L"целиком.\rЭкспорт не выполнен.",
                L"Ошибка", MB_OK | MB_ICONERROR);
    return false;
  }
  return true;
}

bool MainWindow::runDriver(const std::wstring& d, exportcore::RunFiles& run) {
  // 4. the job description
  base::SettingsStore ini(mainIniPath());
  exportcore::writeJobDescription(
      model_, d + L"pcad.ini",
      {exeDir() + L"macros\\", link_.editorVersion, link_.editorBuild, designFileName_});
  saveChoices();
  // what the driver is asked for, as it stands before the driver runs
  run.noteBefore(exportcore::requestedOutputs(model_));
  // 5., 6. the editor in front, the old error log gone
  SetForegroundWindow(editorHandle());
  const std::filesystem::path errorLog = exportcore::toPath(d + L"error.log");
  DeleteFileW(errorLog.wstring().c_str());
  // 7. the plot driver, waited for
  exportcore::ErrorPolicy policy =
      exportcore::errorPolicyOf(base::readSetting(ini, base::kErrorChoice));
  std::wstring command = exportcore::driverCommandLine(
      plotDriverPath_, link_.editorWindow, d, exportcore::designBaseName(designFileName_),
      link_.windowDelayMs, link_.controlDelayMs, policy);
  exportcore::DriverEnd end;
  if (!exportcore::runAndWait(command, SW_SHOWNORMAL, &end.exitCode)) {
    // a driver that cannot be started is told, and nothing is post-processed
    MessageBoxW(
        hwnd(),
        (L"Не удалось запустить драйвер вывода:\r" + plotDriverPath_ + L"\rЭкспорт остановлен.")
            .c_str(),
        L"Ошибка", MB_OK | MB_ICONERROR);
    return false;
  }
  // 8., 9. the error policy, read again after the driver
  end.logFound = std::filesystem::exists(errorLog);
  if (end.logFound) end.logErrors = exportcore::countLoggedErrors(errorLog.wstring());
  policy = exportcore::errorPolicyOf(base::readSetting(ini, base::kErrorChoice));
  return acceptDriverEnd(end, policy, run);
}

bool MainWindow::acceptDriverEnd(const exportcore::DriverEnd& end, exportcore::ErrorPolicy policy,
                                 const exportcore::RunFiles& run) {
  // errors the log counts, and a driver that failed as a whole (no log, or
  // a non-zero exit with no error counted: crashed or killed)
  const exportcore::DriverVerdict verdict = exportcore::judgeDriver(end);
  if (verdict == exportcore::DriverVerdict::ErrorsCounted) {
    if (policy == exportcore::ErrorPolicy::Stop) return false;
    if (policy == exportcore::ErrorPolicy::Ask) {
      MessageBoxW(hwnd(), exportcore::errorCountText(end.logErrors).c_str(), L"Ошибка",
                  MB_OK | MB_ICONERROR);
    }
  } else if (verdict == exportcore::DriverVerdict::Failed &&
             policy != exportcore::ErrorPolicy::Continue) {
    MessageBoxW(hwnd(), exportcore::driverFailureText(end).c_str(), L"Ошибка",
                MB_OK | MB_ICONERROR);
    if (policy == exportcore::ErrorPolicy::Stop) return false;
  }
  // Files the driver did not write in this run (a failed block, an older
  // file under the same name) are left as they are; the operator is told
  // unless the policy is to go on regardless.
  const std::vector<std::wstring> notWritten = exportcore::outputsNotWritten(model_, run);
  if (!notWritten.empty() && policy != exportcore::ErrorPolicy::Continue) {
    MessageBoxW(hwnd(), exportcore::notWrittenText(notWritten).c_str(), L"Ошибка",
                MB_OK | MB_ICONERROR);
    if (policy == exportcore::ErrorPolicy::Stop) return false;
  }
  return true;
}

bool MainWindow::postProcess(exportcore::RunFiles& run, std::vector<exportcore::KeptDrill>& kept) {
  // 10. the files: one layer-name record (unless the settings turn the
  // clean-up off) and the header, with the file attributes when they are
  // switched on, in one pass over each Gerber file; drill files checked
  const base::SettingsStore ini(mainIniPath());
  std::optional<exportcore::X2Setup> x2;
  if (base::readSetting(ini, base::kX2Attributes))
    x2 = exportcore::readX2Setup(ini, std::time(nullptr));
  const std::vector<std::wstring> drillFailures = exportcore::finishExportFiles(
      model_, base::readSetting(ini, base::kCleanGrb), &run, x2 ? &*x2 : nullptr, &kept);
  if (x2) exportcore::stampDrillAttributes(model_, kept, *x2);
  if (!drillFailures.empty()) {
    MessageBoxW(hwnd(), exportcore::drillFailureText(drillFailures).c_str(), L"Ошибка",
                MB_OK | MB_ICONERROR);
    return false;
  }
  return true;
}

bool MainWindow::writeFabPackage(const std::vector<exportcore::KeptDrill>& kept,
                                 const exportcore::RunFiles& run) {
  if (!base::readSetting(base::SettingsStore(mainIniPath()), base::kFabArchive)) return true;
  exportcore::FabOutcome outcome;
  try {
    outcome = exportcore::writeFabArchive(
        model_, kept,
        {designFileName_, link_.editorVersion + L", сборка " + link_.editorBuild,
         std::time(nullptr)},
        &run);
  } catch (const base::AppError& error) {
    MessageBoxW(hwnd(), (error.text() + L"\rЭкспортированные файлы остались как были.").c_str(),
                L"Ошибка", MB_OK | MB_ICONERROR);
    return false;
  }
  if (!outcome.missing.empty()) {
    MessageBoxW(hwnd(), exportcore::missingGerberText(outcome.missing).c_str(), L"Ошибка",
                MB_OK | MB_ICONERROR);
  }
  return true;
}

}  // namespace app
