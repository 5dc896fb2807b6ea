// The grid's embedded controls: check boxes, drop-downs and colour boxes.
#include "widgets/embedded_control_win.h"

#include <algorithm>

#include "widgets/colour_box_win.h"
#include "widgets/dpi_win.h"
#include "widgets/window_win.h"

namespace widgets {
namespace {

class EmbeddedCheckBox : public EmbeddedControl {
 public:
  EmbeddedCheckBox(CheckBox* box, HWND parent)
      : EmbeddedControl(
            box, CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_TABSTOP | BS_CHECKBOX, 0, 0, 16,
                                 16, parent, nullptr, GetModuleHandleW(nullptr), nullptr)),
        box_(box) {}

  void update() override {
    SendMessageW(hwnd(), BM_SETCHECK, box_->checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    EnableWindow(hwnd(), box_->enabled);
  }

  void onNotification(int code) override {
    if (code == BN_CLICKED) box_->setChecked(!box_->checked());
  }

  RECT placeIn(int left, int top, int width, int height) override {
    // the box centred in the cell; the cell colour shows around it
    const int box = std::min({width - 1, height - 1, scaled(15)});
    return RECT{left + (width - box) / 2 + 1, top + (height - box) / 2, box, box};
  }

 private:
  CheckBox* box_;
};

class EmbeddedDropDown : public EmbeddedControl {
 public:
  EmbeddedDropDown(DropDown* box, HWND hwnd) : EmbeddedControl(box, hwnd), box_(box) {}

  void update() override {
    if (!showsItems()) {
      SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
      for (const auto& item : box_->items()) {
        SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
      }
    }
    if (SendMessageW(hwnd(), CB_GETCURSEL, 0, 0) != box_->itemIndex()) {
      SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(box_->itemIndex()), 0);
    }
    EnableWindow(hwnd(), box_->enabled);
  }

  void onNotification(int code) override {
    if (code != CBN_SELCHANGE) return;
    int sel = static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0));
    if (sel >= 0) box_->pick(sel);
  }

  RECT placeIn(int left, int top, int width, int height) override {
    SendMessageW(hwnd(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 std::max(height - scaled(7), scaled(10)));
    return RECT{left + 1, top + 1, width - 1, scaled(300)};  // the height includes the open list
  }

 private:
  // Whether the real control lists the object's items already.
  bool showsItems() const {
    const auto& items = box_->items();
    int count = static_cast<int>(SendMessageW(hwnd(), CB_GETCOUNT, 0, 0));
    if (count != static_cast<int>(items.size())) return false;
    if (count == 0) return true;
    // items are only ever set as a whole list; compare the last one
    wchar_t buf[512];
    LRESULT len = SendMessageW(hwnd(), CB_GETLBTEXTLEN, count - 1, 0);
    return len < 512 &&
           SendMessageW(hwnd(), CB_GETLBTEXT, count - 1, reinterpret_cast<LPARAM>(buf)) >= 0 &&
           items.back() == buf;
  }

  DropDown* box_;
};

HWND createDropDown(HWND parent) {
  HWND w =
      CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
                      0, 100, 300, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (w) SendMessageW(w, CB_SETDROPPEDWIDTH, scaled(200), 0);
  return w;
}

}  // namespace

std::unique_ptr<EmbeddedControl> EmbeddedControl::create(Control* control, HWND parent) {
  std::unique_ptr<EmbeddedControl> embedded;
  switch (control->kind()) {
    case ControlKind::CheckBox:
      embedded = std::make_unique<EmbeddedCheckBox>(static_cast<CheckBox*>(control), parent);
      break;
    case ControlKind::ColourBox:
      embedded = std::make_unique<EmbeddedDropDown>(
          static_cast<DropDown*>(control),
          ColourBoxPainter::create(parent, 0, 0, 40, 300, programFont()));
      break;
    case ControlKind::DropDown:
      embedded = std::make_unique<EmbeddedDropDown>(static_cast<DropDown*>(control),
                                                    createDropDown(parent));
      break;
    case ControlKind::Text:
      return nullptr;
  }
  if (!embedded->hwnd()) return nullptr;
  SendMessageW(embedded->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(programFont()), FALSE);
  return embedded;
}

EmbeddedControl::~EmbeddedControl() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

}  // namespace widgets
