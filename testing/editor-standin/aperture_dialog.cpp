// The aperture dialog and its take-over rule.
#include "aperture_dialog.h"

#include "editor_ids.h"

namespace standin {

ApertureDialog::ApertureDialog(StandinApp& app)
    : DialogWindow(app, kTitleApertures, L"\"" + std::wstring(kTitleApertures) + L"\""),
      aperture_({ExpectedMessage{WM_KEYDOWN, VK_RETURN, std::nullopt},
                 ExpectedMessage{WM_KEYUP, VK_RETURN, std::nullopt}}) {}

void ApertureDialog::build() {
  addLabel(L"Draw aperture size:", {8, 16, 140, 34});
  addEdit(kIdDrawAperture, app().board.params.drawAperture, {144, 12, 400, 34},
          [this](UINT msg, WPARAM, LPARAM l) {
            if (msg == WM_SETTEXT) aperture_.textSet(l ? reinterpret_cast<const wchar_t*>(l) : L"");
            return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_LBUTTONDBLCLK ||
                   msg == WM_SETFOCUS;
          });
  addButton(IDOK, L"OK", {320, 50, 400, 76});
}

void ApertureDialog::onKey(Origin origin, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (origin != Origin::Internal) {
    aperture_.received(msg, static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
  }
}

void ApertureDialog::onOk() {
  if (auto v = aperture_.ready()) app().board.params.drawAperture = *v;
}

}  // namespace standin
