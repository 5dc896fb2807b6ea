// The configuration dialog and its take-over rule.
#include "configure_dialog.h"

#include "editor_ids.h"

namespace standin {

std::vector<ExpectedMessage> swellNotifications(int id, unsigned tag) {
  auto notify = [&](unsigned code) {
    return ExpectedMessage{WM_COMMAND,
                           static_cast<uint32_t>((code << 16) | static_cast<unsigned>(id)), tag};
  };
  return {ExpectedMessage{WM_COMMAND, kTabsNotify, tag}, notify(EN_SETFOCUS), notify(EN_UPDATE),
          notify(EN_CHANGE), notify(EN_KILLFOCUS)};
}

ConfigureDialog::ConfigureDialog(StandinApp& app)
    : DialogWindow(app, kTitleConfigure, L"\"" + std::wstring(kTitleConfigure) + L"\""),
      solderMask_(swellNotifications(kIdSolderMaskSwell, kSolderMaskSwellTag)),
      plane_(swellNotifications(kIdPlaneSwell, kPlaneSwellTag)) {}

void ConfigureDialog::build() {
  addTabs({8, 8, 560, 30},
          {L"General", L"Units", L"Route", L"Plane", L"Manufacturing", L"Online DRC"}, {});
  addButton(kIdConfigureButton, L"Defaults", {8, 40, 100, 64});
  auto watch = [](TakeoverSequence& seq) {
    return [&seq](UINT msg, WPARAM, LPARAM lParam) {
      if (msg == WM_SETTEXT) seq.textSet(lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"");
      // Clicks and focus from outside are seen, not acted on.
      return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_LBUTTONDBLCLK ||
             msg == WM_SETFOCUS;
    };
  };
  addLabel(L"Solder mask swell:", {8, 80, 140, 98});
  addEdit(kIdSolderMaskSwell, app().board.params.solderMaskSwell, {144, 76, 560, 98},
          watch(solderMask_));
  addLabel(L"Plane swell:", {8, 110, 140, 128});
  addEdit(kIdPlaneSwell, app().board.params.planeSwell, {144, 106, 560, 128}, watch(plane_));
  addButton(IDOK, L"OK", {400, 150, 480, 176});
  addButton(IDCANCEL, L"Cancel", {488, 150, 568, 176});
}

void ConfigureDialog::onCommand(Origin origin, WPARAM wParam, LPARAM lParam) {
  if (origin == Origin::Internal) return;
  solderMask_.received(WM_COMMAND, static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
  plane_.received(WM_COMMAND, static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
}

void ConfigureDialog::onOk() {
  if (auto v = solderMask_.ready()) app().board.params.solderMaskSwell = *v;
  if (auto v = plane_.ready()) app().board.params.planeSwell = *v;
}

}  // namespace standin
