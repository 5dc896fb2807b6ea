// The plot driver's error log and report (see plotrelay_report.h).
#include "plotrelay/plotrelay_report.h"

#include "base/text_file.h"
#include "export/export_paths.h"

namespace plotrelay {

namespace {

std::wstring oneLine(std::wstring text) {
  for (wchar_t& c : text) {
    if (c == L'\r' || c == L'\n') c = L' ';
  }
  return text;
}

}  // namespace

std::vector<std::wstring> errorLogLines(const RunResult& result) {
  std::vector<std::wstring> lines;
  for (const BlockOutcome& b : result.blocks) {
    if (b.failed) lines.push_back(oneLine(b.ref.section + L": " + b.error));
  }
  lines.push_back(L"errors - " + std::to_wstring(result.failedCount()));
  return lines;
}

std::vector<std::wstring> failureLogLines(const std::wstring& where, const std::wstring& text) {
  return {oneLine(where + L": " + text), L"errors - 1"};
}

std::vector<std::wstring> reportLines(const std::vector<std::wstring>& header,
                                      const RunResult& result) {
  std::vector<std::wstring> lines;
  for (const std::wstring& h : header) lines.push_back(oneLine(h));
  lines.push_back(L"");
  for (const BlockOutcome& b : result.blocks) {
    std::wstring line = L"[" + b.ref.section + L"]";
    if (!b.file.empty()) line += L" " + b.file;
    if (!b.ran && !b.failed) {
      line += L" - не выполнялся";
    } else if (!b.ran) {
      line += L" - не выполнен: " + b.error;
    } else if (b.failed) {
      line += L" - ошибка на шаге " + std::to_wstring(b.stepsDone + 1) + L" из " +
              std::to_wstring(b.stepCount) + L": " + b.error;
    } else {
      line += L" - готово (шагов: " + std::to_wstring(b.stepsDone) + L")";
    }
    lines.push_back(oneLine(line));
  }
  lines.push_back(L"");
  lines.push_back(L"Блоков: " + std::to_wstring(result.blocks.size()) + L", с ошибками: " +
                  std::to_wstring(result.failedCount()));
  if (result.editorLost) lines.push_back(L"Окно редактора закрылось во время работы.");
  if (result.stopped) lines.push_back(L"Работа остановлена на первом блоке с ошибкой.");
  if (result.cancelled) lines.push_back(L"Работа остановлена: окно драйвера закрыто.");
  return lines;
}

void writeLines(const std::wstring& path, const std::vector<std::wstring>& lines) {
  base::TextFile file;
  file.encoding = base::Encoding::Utf8Bom;
  file.lines = lines;
  base::writeTextFile(exportcore::toPath(path), file);
}

}  // namespace plotrelay
