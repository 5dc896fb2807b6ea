// The decoy dialog.
#include "decoy_window.h"

namespace standin {

DecoyWindow::DecoyWindow(StandinApp& app, const std::wstring& title)
    : DialogWindow(app, title, L"decoy:\"" + title + L"\"") {}

void DecoyWindow::build() {
  addTabs({8, 8, 300, 30}, {L"General"}, {});
  addLabel(L"(nothing here)", {8, 40, 300, 60});
  addButton(IDOK, L"Close", {220, 80, 300, 106});
}

}  // namespace standin
