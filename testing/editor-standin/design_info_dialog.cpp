// The design information dialog's controls.
#include "design_info_dialog.h"

#include "editor_ids.h"

namespace standin {

DesignInfoDialog::DesignInfoDialog(StandinApp& app)
    : DialogWindow(app, kTitleDesignInfo, L"\"" + std::wstring(kTitleDesignInfo) + L"\"") {}

void DesignInfoDialog::build() {
  addTabs({8, 8, 400, 30}, {L"Summary", L"File"}, {});
  addLabel(L"Directory:", {8, 44, 90, 62});
  addEdit(kIdDesignDir, app().board.designDir, {96, 40, 400, 62});
  addLabel(L"File name:", {8, 74, 90, 92});
  addEdit(kIdDesignFile, app().board.fileName, {96, 70, 400, 92});
  addButton(IDOK, L"OK", {320, 110, 400, 136});
}

}  // namespace standin
