// The Gerber output dialog's controls.
#include "gerber_dialog.h"

#include "dialog_launcher.h"
#include "editor_ids.h"

namespace standin {

GerberDialog::GerberDialog(StandinApp& app)
    : DialogWindow(app, gerberTitle(app.options.version), L"\"" + gerberTitle(app.options.version) + L"\"") {}

void GerberDialog::build() {
  addLabel(L"Output file and layer selection", {8, 12, 300, 30});
  addButton(kCmdApertures, L"Apertures...", {8, 40, 120, 66});
  addButton(IDOK, L"Close", {220, 80, 300, 106});
}

void GerberDialog::onCommand(Origin, WPARAM wParam, LPARAM) {
  if (wParam == kCmdApertures || (LOWORD(wParam) == kCmdApertures && HIWORD(wParam) == BN_CLICKED)) {
    if (app().launcher) app().launcher->request(DialogKind::Apertures);
  }
}

}  // namespace standin
