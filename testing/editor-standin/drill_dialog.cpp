// The N/C drill dialog's controls and its Generate.
#include "drill_dialog.h"

#include "drill_writer.h"
#include "editor_ids.h"
#include "output_file.h"

namespace standin {

DrillDialog::DrillDialog(StandinApp& app)
    : DialogWindow(app, kTitleDrill, L"\"" + std::wstring(kTitleDrill) + L"\"") {}

void DrillDialog::build() {
  addLabel(L"Output file:", {8, 12, 90, 30});
  addEdit(kIdDrillPath, L"", {94, 8, 420, 30});
  addLabel(L"Layers:", {8, 42, 90, 60});
  addEdit(kIdDrillSpan, L"", {94, 38, 420, 60});
  addLabel(L"Offset X:", {8, 72, 90, 90});
  addEdit(kIdDrillOffsetX, L"0", {94, 68, 200, 90});
  addLabel(L"Offset Y:", {214, 72, 290, 90});
  addEdit(kIdDrillOffsetY, L"0", {294, 68, 420, 90});
  status_ = addLabel(L"", {8, 100, 420, 118});
  addButton(kIdDrillGenerate, L"Generate", {230, 126, 320, 152});
  addButton(IDOK, L"Close", {330, 126, 420, 152});
}

void DrillDialog::onCommand(Origin, WPARAM wParam, LPARAM) {
  if (LOWORD(wParam) == kIdDrillGenerate && HIWORD(wParam) == BN_CLICKED) generate();
}

void DrillDialog::generate() {
  if (!takeGenerate(app())) return fail(L"Generate failed on purpose (--output-fault).");
  DrillJob job;
  job.units = app().outputUnits;
  std::optional<std::vector<int>> span = parseSpan(app().board, controlText(kIdDrillSpan));
  if (!span) return fail(L"The layer list names a layer that is not on the board.");
  job.span = *span;
  std::optional<double> x = parseLength(controlText(kIdDrillOffsetX), job.units);
  std::optional<double> y = parseLength(controlText(kIdDrillOffsetY), job.units);
  if (!x || !y) return fail(L"The offset is not a length.");
  job.offset = {*x, *y};
  const std::wstring path = controlText(kIdDrillPath);
  if (!writeOutputFile(path, writeDrill(app().board, job)))
    return fail(L"Cannot write \"" + path + L"\".");
  closeLater();
}

void DrillDialog::fail(const std::wstring& why) { SetWindowTextW(status_, why.c_str()); }

}  // namespace standin
