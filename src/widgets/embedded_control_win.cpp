// The grid's embedded controls: check boxes, drop-downs and colour boxes,
// and the same looks drawn into cells.
#include "widgets/embedded_control_win.h"

#include <algorithm>

#include "widgets/colour_box_win.h"
#include "widgets/dpi_win.h"
#include "widgets/window_win.h"

namespace widgets {
namespace {

// The check box centred in its cell, so that the cell colour shows around
// it: x, y, width and height.
RECT checkBoxPlace(int left, int top, int width, int height) {
  const int box = std::min({width - 1, height - 1, scaled(15)});
  return RECT{left + (width - box) / 2 + 1, top + (height - box) / 2, box, box};
}

// A drop-down's closed box: x, y and width; its item height follows the row.
RECT dropDownPlace(int left, int top, int width) { return RECT{left + 1, top + 1, width - 1, 0}; }
int dropDownItemHeight(int rowHeight) { return std::max(rowHeight - scaled(7), scaled(10)); }

class EmbeddedCheckBox : public EmbeddedControl {
 public:
  explicit EmbeddedCheckBox(HWND parent)
      : EmbeddedControl(
            ControlKind::CheckBox,
            CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_TABSTOP | BS_CHECKBOX, 0, 0, 16, 16,
                            parent, nullptr, GetModuleHandleW(nullptr), nullptr)) {}

  void update() override {
    auto* box = static_cast<CheckBox*>(control());
    if (!box) return;
    SendMessageW(hwnd(), BM_SETCHECK, box->checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    showEnabled(box->enabled);
  }

  void onNotification(int code) override {
    auto* box = static_cast<CheckBox*>(control());
    if (box && code == BN_CLICKED) box->setChecked(!box->checked());
  }

  RECT placeIn(int left, int top, int width, int height) override {
    return checkBoxPlace(left, top, width, height);
  }
};

class EmbeddedDropDown : public EmbeddedControl {
 public:
  EmbeddedDropDown(ControlKind kind, HWND hwnd) : EmbeddedControl(kind, hwnd) {}

  void update() override {
    auto* box = static_cast<DropDown*>(control());
    if (!box) return;
    if (!showsItems(*box)) {
      SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
      for (const auto& item : box->items()) {
        SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
      }
    }
    if (SendMessageW(hwnd(), CB_GETCURSEL, 0, 0) != box->itemIndex()) {
      SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(box->itemIndex()), 0);
    }
    showEnabled(box->enabled);
  }

  void onNotification(int code) override {
    auto* box = static_cast<DropDown*>(control());
    if (!box || code != CBN_SELCHANGE) return;
    int sel = static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0));
    if (sel >= 0) box->pick(sel);
  }

  RECT placeIn(int left, int top, int width, int height) override {
    // setting the height resizes the control even when it stays the same
    const int itemHeight = dropDownItemHeight(height);
    if (SendMessageW(hwnd(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0) != itemHeight) {
      SendMessageW(hwnd(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
    }
    RECT at = dropDownPlace(left, top, width);
    at.bottom = scaled(300);  // the height includes the open list
    return at;
  }

  void close() override {
    if (SendMessageW(hwnd(), CB_GETDROPPEDSTATE, 0, 0)) {
      SendMessageW(hwnd(), CB_SHOWDROPDOWN, FALSE, 0);
    }
  }

 private:
  // Whether the real control lists the object's items already.
  bool showsItems(const DropDown& box) const {
    const auto& items = box.items();
    int count = static_cast<int>(SendMessageW(hwnd(), CB_GETCOUNT, 0, 0));
    if (count != static_cast<int>(items.size())) return false;
    if (count == 0) return true;
    // items are only ever set as a whole list; compare the first and the last
    for (int i : {0, count - 1}) {
      wchar_t buf[512];
      LRESULT len = SendMessageW(hwnd(), CB_GETLBTEXTLEN, i, 0);
      if (len < 0 || len >= 512 ||
          SendMessageW(hwnd(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buf)) < 0 ||
          items[static_cast<size_t>(i)] != buf) {
        return false;
      }
    }
    return true;
  }
};

HWND createDropDown(HWND parent) {
  HWND w =
      CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
                      0, 100, 300, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (w) SendMessageW(w, CB_SETDROPPEDWIDTH, scaled(200), 0);
  return w;
}

void drawDropDownLook(HDC dc, const DropDown& box, bool colours, RECT frame) {
  const bool enabled = box.enabled;
  DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(dc, &frame, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
  RECT button = frame;
  button.left = std::max(frame.left, frame.right - GetSystemMetrics(SM_CXVSCROLL));
  DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (enabled ? 0 : DFCS_INACTIVE));
  RECT item{frame.left + 1, frame.top + 1, button.left - 1, frame.bottom - 1};
  const int index = box.itemIndex();
  if (index < 0 || item.right <= item.left) return;
  if (colours) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_COMBOBOX;
    dis.itemID = static_cast<UINT>(index);
    dis.itemState = ODS_COMBOBOXEDIT;
    dis.hDC = dc;
    dis.rcItem = item;
    ColourBoxPainter::draw(&dis);
    return;
  }
  const std::wstring& text = box.items()[static_cast<size_t>(index)];
  item.left += 2;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &item,
            DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

}  // namespace

std::unique_ptr<EmbeddedControl> EmbeddedControl::create(ControlKind kind, HWND parent) {
  std::unique_ptr<EmbeddedControl> embedded;
  switch (kind) {
    case ControlKind::CheckBox:
      embedded = std::make_unique<EmbeddedCheckBox>(parent);
      break;
    case ControlKind::ColourBox:
      embedded = std::make_unique<EmbeddedDropDown>(
          kind, ColourBoxPainter::create(parent, 0, 0, 40, 300, programFont()));
      break;
    case ControlKind::DropDown:
      embedded = std::make_unique<EmbeddedDropDown>(kind, createDropDown(parent));
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

void EmbeddedControl::bind(Control* control) {
  control_ = control;
  update();
}

void drawControlLook(HDC dc, const Control& control, const RECT& cell) {
  const int width = cell.right - cell.left, height = cell.bottom - cell.top;
  switch (control.kind()) {
    case ControlKind::CheckBox: {
      const auto& box = static_cast<const CheckBox&>(control);
      const RECT at = checkBoxPlace(cell.left, cell.top, width, height);
      if (at.right <= 0 || at.bottom <= 0) return;
      // the button draws its square at its left, 13 pixels, centred upright
      const int side = std::min<int>({at.right, at.bottom, scaled(13)});
      const int top = at.top + (at.bottom - side) / 2;
      RECT square{at.left, top, at.left + side, top + side};
      DrawFrameControl(dc, &square, DFC_BUTTON,
                       DFCS_BUTTONCHECK | (box.checked() ? DFCS_CHECKED : 0) |
                           (box.enabled ? 0 : DFCS_INACTIVE));
      return;
    }
    case ControlKind::DropDown:
    case ControlKind::ColourBox: {
      const RECT at = dropDownPlace(cell.left, cell.top, width);
      if (at.right <= 0) return;
      drawDropDownLook(dc, static_cast<const DropDown&>(control),
                       control.kind() == ControlKind::ColourBox,
                       RECT{at.left, at.top, at.left + at.right, cell.bottom});
      return;
    }
    case ControlKind::Text:
      return;
  }
}

}  // namespace widgets
