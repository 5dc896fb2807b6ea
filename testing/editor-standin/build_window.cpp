// The build window's controls.
#include "build_window.h"

#include "editor_ids.h"

namespace standin {

BuildWindow::BuildWindow(StandinApp& app)
    : DialogWindow(app, buildWindowTitle(app.options.version),
                   L"\"" + buildWindowTitle(app.options.version) + L"\"") {}

void BuildWindow::build() {
  addLabel(L"Printed circuit board editor (stand-in for tests)", {12, 12, 320, 30});
  HWND text = CreateWindowExW(
      0, L"STATIC", buildText(app().options.version, app().options.build).c_str(),
      WS_CHILD | WS_VISIBLE | SS_LEFT, 12, 36, 300, 20, hwnd(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdBuildText)), app().instance, nullptr);
  SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  tap(text, kIdBuildText);
  addButton(IDOK, L"OK", {240, 70, 320, 96});
}

}  // namespace standin
