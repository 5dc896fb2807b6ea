// The Gerber output dialog's controls and its Generate.
#include "gerber_dialog.h"

#include "dialog_launcher.h"
#include "editor_ids.h"
#include "gerber_writer.h"
#include "output_file.h"

namespace standin {

namespace {

const wchar_t* const kClassNames[kObjectClassCount] = {
    L"Pad", L"Vias", L"PVHoles", L"NoMtHole", L"RefDes", L"Tipe", L"Value", L"Mirror", L"Titles"};

}  // namespace

GerberDialog::GerberDialog(StandinApp& app)
    : DialogWindow(app, gerberTitle(app.options.version),
                   L"\"" + gerberTitle(app.options.version) + L"\"") {}

void GerberDialog::build() {
  addLabel(L"Output file:", {8, 12, 90, 30});
  addEdit(kIdGerberPath, L"", {94, 8, 420, 30});
  addLabel(L"Layer:", {8, 40, 90, 58});
  std::vector<std::wstring> names;
  for (const Layer& l : app().board.layers) names.push_back(l.name);
  HWND list = addListBox(kIdGerberLayers, names, {8, 60, 200, 230});
  if (!names.empty()) SendMessageW(list, LB_SETCURSEL, 0, 0);
  for (int k = 0; k < kObjectClassCount; ++k) {
    int top = 40 + 22 * k;
    addCheckBox(kIdFirstClass + k, kClassNames[k], {212, top, 320, top + 20});
  }
  addLabel(L"Offset X:", {330, 40, 390, 58});
  addEdit(kIdGerberOffsetX, L"0", {330, 60, 420, 82});
  addLabel(L"Offset Y:", {330, 90, 390, 108});
  addEdit(kIdGerberOffsetY, L"0", {330, 110, 420, 132});
  addRadioButton(kIdUnitsMm, L"mm", {330, 140, 420, 160});
  addRadioButton(kIdUnitsInch, L"inch", {330, 162, 420, 182});
  CheckRadioButton(hwnd(), kIdUnitsMm, kIdUnitsInch, kIdUnitsMm);
  status_ = addLabel(L"", {8, 240, 420, 258});
  addButton(kCmdApertures, L"Apertures...", {8, 266, 120, 292});
  addButton(kIdGerberGenerate, L"Generate", {230, 266, 320, 292});
  addButton(IDOK, L"Close", {330, 266, 420, 292});
}

void GerberDialog::onCommand(Origin, WPARAM wParam, LPARAM) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (wParam == kCmdApertures || (id == static_cast<int>(kCmdApertures) && code == BN_CLICKED)) {
    if (app().launcher) app().launcher->request(DialogKind::Apertures);
  } else if (id == kIdGerberLayers && code == LBN_SELCHANGE) {
    LRESULT sel = SendDlgItemMessageW(hwnd(), kIdGerberLayers, LB_GETCURSEL, 0, 0);
    plotted_ = sel == LB_ERR ? -1 : static_cast<int>(sel);
  } else if ((id == kIdUnitsMm || id == kIdUnitsInch) && code == BN_CLICKED) {
    CheckRadioButton(hwnd(), kIdUnitsMm, kIdUnitsInch, id);
  } else if (id == kIdGerberGenerate && code == BN_CLICKED) {
    generate();
  }
}

void GerberDialog::generate() {
  if (!takeGenerate(app())) return fail(L"Generate failed on purpose (--output-fault).");
  GerberJob job;
  job.layer = plotted_;
  for (int k = 0; k < kObjectClassCount; ++k) {
    job.classes[static_cast<size_t>(k)] =
        IsDlgButtonChecked(hwnd(), kIdFirstClass + k) == BST_CHECKED;
  }
  job.units =
      IsDlgButtonChecked(hwnd(), kIdUnitsInch) == BST_CHECKED ? OutputUnits::Inch : OutputUnits::Mm;
  std::optional<double> x = parseLength(controlText(kIdGerberOffsetX), job.units);
  std::optional<double> y = parseLength(controlText(kIdGerberOffsetY), job.units);
  if (!x || !y) return fail(L"The offset is not a length.");
  job.offset = {*x, *y};
  if (job.layer < 0 || static_cast<size_t>(job.layer) >= app().board.layers.size()) {
    return fail(L"No layer is selected.");
  }
  const std::wstring path = controlText(kIdGerberPath);
  if (!writeOutputFile(path, writeGerber(app().board, job)))
    return fail(L"Cannot write \"" + path + L"\".");
  app().outputUnits = job.units;
  closeLater();
}

void GerberDialog::fail(const std::wstring& why) { SetWindowTextW(status_, why.c_str()); }

}  // namespace standin
