// The operator's choices kept beside the output of a design: put back onto
// the table at start-up, saved when "Экспорт" has written the job, and the
// menu command that gives the rules' table again.
#include <windows.h>

#include "tavrolin/main_window_win.h"
#include "base/error.h"
#include "export/export_paths.h"
#include "layers/board_choices_file.h"

namespace app {
namespace {

// The file's last write time as the operator reads it: "09.12.2026 13:45".
std::wstring writeTimeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  FILETIME local{};
  SYSTEMTIME t{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &t))
    return L"?";
  wchar_t text[32];
  swprintf(text, 32, L"%02u.%02u.%04u %02u:%02u", t.wDay, t.wMonth, t.wYear, t.wHour, t.wMinute);
  return text;
}

}  // namespace

std::wstring MainWindow::choicesPath() const {
  const std::wstring base = exportcore::designBaseName(designFileName_);
  const std::wstring& dir = model_.outputDir.text();
  if (base.empty() || dir.empty()) return L"";
  return dir + base + layers::kChoicesFileExtension;
}

void MainWindow::restoreChoices() {
  rulesChoices_ = layers::choicesOf(model_);
  rulesKnown_ = true;
  const std::wstring path = choicesPath();
  if (path.empty()) return;
  const layers::ChoicesFile file =
      layers::readChoicesFile(exportcore::toPath(path), designFileName_);
  if (file.state != layers::ChoicesFileState::Read) {
    const std::wstring name = path.substr(model_.outputDir.text().size());
    model_.choicesNote.setText(layers::passedOverLine(file, name));
    return;
  }
  const layers::RestoreNotes notes = layers::applyChoices(model_, file.choices);
  showRestoredChoices();
  model_.choicesNote.setText(layers::restoredLine(writeTimeOf(path), notes));
}

void MainWindow::showRestoredChoices() {
  SendMessageW(c_.unitsMm, BM_SETCHECK, model_.inch ? BST_UNCHECKED : BST_CHECKED, 0);
  SendMessageW(c_.unitsInch, BM_SETCHECK, model_.inch ? BST_CHECKED : BST_UNCHECKED, 0);
  offsetDialog_.setOffsets(model_.offsetX.text(), model_.offsetY.text());
}

void MainWindow::saveChoices() {
  choicesFault_.clear();
  const std::wstring path = choicesPath();
  if (path.empty()) return;
  try {
    layers::writeChoicesFile(exportcore::toPath(path), layers::choicesOf(model_), designFileName_);
  } catch (const base::AppError&) {
    choicesFault_ = layers::saveFailedText(path);
  }
}

void MainWindow::tellChoicesFault() {
  if (choicesFault_.empty()) return;
  MessageBoxW(hwnd(), choicesFault_.c_str(), L"Ошибка", MB_OK | MB_ICONERROR);
  choicesFault_.clear();
}

void MainWindow::resetChoices() {
  if (!rulesKnown_) return;
  layers::applyChoices(model_, rulesChoices_);
  showRestoredChoices();
  model_.choicesNote.setText(
      L"Выбор слоёв сброшен к правилам; сохранённый выбор заменит следующий экспорт.");
}

}  // namespace app
