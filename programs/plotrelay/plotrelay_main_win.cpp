// The plot driver plotrelay.exe: started by the export run with the editor's
// main window, the job pcad.ini, the path of its own report, the two search
// delays and the stop flag. It works the editor's output dialogs as the job
// tells it, shows its progress, and leaves D + "error.log" ("errors - N")
// and its readable report. It never shows a message box: a problem it
// cannot work around goes into those two files, and the exit code tells it
// too (0 all written, 1 some blocks failed, 2 bad command line or job,
// 3 the logs could not be written).
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/ansi_page.h"
#include "base/error.h"
#include "export/export_paths.h"
#include "plotrelay/plotrelay_args.h"
#include "plotrelay/plotrelay_job.h"
#include "plotrelay/plotrelay_report.h"
#include "plotrelay/plotrelay_runner.h"
#include "progress_window_win.h"
#include "editor_port_win.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitBlocksFailed = 1;
constexpr int kExitBadStart = 2;
constexpr int kExitNoLog = 3;

std::vector<std::wstring> driverArgs() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> args;
  if (argv) {
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
  }
  return args;
}

std::wstring now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  wchar_t buf[40];
  swprintf(buf, 40, L"%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
           t.wSecond);
  return buf;
}

int startShowState() {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  GetStartupInfoW(&si);
  return (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : SW_SHOWDEFAULT;
}

// Writes both logs where their paths are known; false when one could not be written.
bool writeLogs(const std::wstring& logDir, const std::wstring& reportPath,
               const std::vector<std::wstring>& log, const std::vector<std::wstring>& report) {
  bool ok = true;
  if (!logDir.empty()) {
    try {
      plotrelay::writeLines(logDir + L"error.log", log);
    } catch (const base::AppError&) {
      ok = false;
    }
  }
  if (!reportPath.empty()) {
    try {
      plotrelay::writeLines(reportPath, report);
    } catch (const base::AppError&) {
      ok = false;
    }
  }
  return ok;
}

int reportBadStart(const std::wstring& logDir, const std::wstring& reportPath,
                   const std::wstring& where, const std::wstring& text) {
  const std::vector<std::wstring> log = plotrelay::failureLogLines(where, text);
  const std::vector<std::wstring> report{L"Tavrolin: драйвер вывода, " + now(),
                                         L"Командная строка: " + std::wstring(GetCommandLineW()),
                                         L"", where + L": " + text, L"Задание не выполнено."};
  return writeLogs(logDir, reportPath, log, report) ? kExitBadStart : kExitNoLog;
}

int run() {
  base::installSystemAnsiTable();
  const plotrelay::ArgsCheck check = plotrelay::checkDriverArgs(driverArgs());
  if (!check.ok)
    return reportBadStart(check.logDir, check.reportPath, L"Командная строка", check.error);
  const plotrelay::DriverArgs& args = check.args;
  const std::wstring logDir = plotrelay::directoryOf(args.jobPath);

  plotrelay::ProgressWindow window;
  window.create(startShowState());

  plotrelay::Job job;
  try {
    job = plotrelay::Job::read(exportcore::toPath(args.jobPath));
  } catch (const base::AppError& e) {
    return reportBadStart(logDir, args.reportPath, L"Задание", e.text());
  }

  HWND editor = reinterpret_cast<HWND>(static_cast<uintptr_t>(args.editor));
  plotrelay::WinEditorPort port(editor);
  plotrelay::RunOptions options;
  options.windowDelay = args.windowDelay;
  options.controlDelay = args.controlDelay;
  options.stopOnError = args.stopOnError;
  options.base = plotrelay::baseNameOf(args.reportPath);
  options.stopRequested = [&window] { return window.closeRequested(); };

  const std::wstring started = now();
  const plotrelay::RunResult result = plotrelay::runJob(
      job, port, options, [&](size_t index, size_t count, const plotrelay::BlockOutcome& block) {
        std::wstring text = block.ref.label.empty() ? block.ref.section : block.ref.label;
        if (!block.file.empty()) text += L" — " + block.file;
        window.showBlock(index, count, text);
      });
  window.showDone(L"Готово, ошибок: " + std::to_wstring(result.failedCount()));

  const plotrelay::JobSettings settings = job.settings();
  const std::vector<std::wstring> header{
      L"Tavrolin: драйвер вывода",
      L"Начало: " + started + L", конец: " + now(),
      L"Задание: " + args.jobPath,
      L"Окно редактора: " + std::to_wstring(args.editor) +
          (port.editorAlive() ? L"" : L" (не существует)"),
      L"Задержки: окно " + std::to_wstring(args.windowDelay) + L" мс, элемент " +
          std::to_wstring(args.controlDelay) + L" мс; попыток: окно " +
          std::to_wstring(settings.windowTries) + L", элемент " +
          std::to_wstring(settings.controlTries),
      std::wstring(L"Остановка на первой ошибке: ") + (args.stopOnError ? L"да" : L"нет"),
  };
  if (!writeLogs(logDir, args.reportPath, plotrelay::errorLogLines(result),
                 plotrelay::reportLines(header, result))) {
    return kExitNoLog;
  }
  return result.failedCount() == 0 ? kExitOk : kExitBlocksFailed;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    return run();
  } catch (const std::exception&) {
    return kExitNoLog;
  }
}
