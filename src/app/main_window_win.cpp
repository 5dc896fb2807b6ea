// The main window `TForm9`: creation, layout, menu, shortcuts and the
// routing of the operator's input into the window's model.
#include "app/main_window_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/about_box_win.h"
#include "app/app_paths_win.h"
#include "app/artwork_win.h"
#include "app/message_loop_win.h"
#include "dialogs/offset_dialog_win.h"
#include "dialogs/param_dialog_win.h"
#include "dialogs/settings_dialog_win.h"
#include "layers/layer_model.h"

TForm9* Form9 = nullptr;

namespace {

constexpr int kClientWidth = 736;
constexpr int kClientHeight = 495;
constexpr int kMinWidth = 740;
constexpr int kMinHeight = 415;
constexpr int kTopBand = 49;
constexpr int kBottomBand = 80;
constexpr int kButtonArea = 115;
constexpr int kBannerWidth = 185;

int textWidth(HWND w) {
  std::wstring text = widgets::windowText(w);
  HDC dc = GetDC(w);
  HGDIOBJ old = SelectObject(dc, widgets::programFont());
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(w, dc);
  return size.cx;
}

}  // namespace

bool TForm9::create() {
  createMenu();
  RECT rc{0, 0, kClientWidth, kClientHeight};
  DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&rc, style, TRUE, WS_EX_CONTROLPARENT);
  if (!createWindow(L"TForm9", L"Tavrolin 1.3", style, WS_EX_CONTROLPARENT, CW_USEDEFAULT,
                    CW_USEDEFAULT, rc.right - rc.left, rc.bottom - rc.top, nullptr, menu_)) {
    return false;
  }
  createControls();
  bindModel();
  ACCEL keys[] = {
      {FCONTROL | FVIRTKEY, 'X', kCmdExit},          {FCONTROL | FVIRTKEY, 'F', kCmdOffset},
      {FCONTROL | FVIRTKEY, 'S', kCmdSolderMaskSwell}, {FCONTROL | FVIRTKEY, 'P', kCmdPlaneSwell},
      {FCONTROL | FVIRTKEY, 'A', kCmdDrawApertureSize}, {FCONTROL | FVIRTKEY, 'O', kCmdSettings},
  };
  accelerators_ = CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
  app::setAccelerators(hwnd(), accelerators_);
  app::addDialogWindow(hwnd());
  return true;
}

void TForm9::createMenu() {
  menu_ = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file, MF_STRING, kCmdExit, L"Выход\tCtrl+X");
  HMENU params = CreatePopupMenu();
  AppendMenuW(params, MF_STRING, kCmdOffset, L"Оффсет\tCtrl+F");
  AppendMenuW(params, MF_STRING, kCmdSolderMaskSwell, L"SolderMaskSwell\tCtrl+S");
  AppendMenuW(params, MF_STRING, kCmdPlaneSwell, L"Plane Swell\tCtrl+P");
  AppendMenuW(params, MF_STRING, kCmdDrawApertureSize, L"Draw Aperture Size\tCtrl+A");
  AppendMenuW(params, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(params, MF_STRING, kCmdSettings, L"Настройки\tCtrl+O");
  HMENU about = CreatePopupMenu();
  AppendMenuW(about, MF_STRING, kCmdManual, L"Описание");
  AppendMenuW(about, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(about, MF_STRING, kCmdAbout, L"О программе");
  AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"Файл");
  AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(params), L"Параметры");
  AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(about), L"О программе");
}

void TForm9::createControls() {
  HFONT font = widgets::programFont();
  HWND w = hwnd();
  auto label = [&](const std::wstring& text, DWORD extra = 0) {
    return widgets::createControl(L"STATIC", text, SS_LEFT | SS_NOPREFIX | extra, 0, 0, 10, 14, w,
                                  -1, font);
  };
  c_.typeLabel = label(L"Тип платы : ");
  c_.edit1 = widgets::createControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 60, 21, w,
                                    kIdEdit1, font, WS_EX_CLIENTEDGE);
  SetWindowSubclass(c_.edit1, edit1Proc, 1, reinterpret_cast<DWORD_PTR>(this));
  c_.plus = label(L"+");
  c_.label17 = label(L"");
  c_.checkBox1 = widgets::createControl(L"BUTTON", model_.bindToType.caption,
                                        WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 10, 17, w,
                                        kIdCheckBox1, font);
  c_.checkBox2 = widgets::createControl(L"BUTTON", model_.viasCoveredByMask.caption,
                                        WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 10, 17, w,
                                        kIdCheckBox2, font);
  banner_.create(w, 0, 0, kBannerWidth, kTopBand, 185, 56, app::drawBanner);
  grid_.create(w, kIdGrid, &model_.grid);

  c_.smsCaption = label(L"Значение \"Solder Mask Svell\" :");
  c_.sms = label(L"");
  c_.psCaption = label(L"Значение \"Plane Svell\" :");
  c_.ps = label(L"");
  c_.dasCaption = label(L"Значение \"Draw aperture size\" :");
  c_.das = label(L"");
  c_.offXCaption = label(L"Оффсет X :");
  c_.offX = label(L"");
  c_.offYCaption = label(L"Оффсет Y :");
  c_.offY = label(L"");
  c_.unitsCaption = label(L"Формат экспорта:");
  c_.unitsMm = widgets::createControl(L"BUTTON", L"MM", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                                      0, 0, 40, 17, w, kIdUnitsMm, font);
  c_.unitsInch = widgets::createControl(L"BUTTON", L"Inch", BS_AUTORADIOBUTTON, 0, 0, 45, 17, w,
                                        kIdUnitsInch, font);
  SendMessageW(c_.unitsMm, BM_SETCHECK, BST_CHECKED, 0);
  c_.dirCaption = label(L"Директория герберов:");
  c_.dir = label(L"", SS_PATHELLIPSIS);
  c_.exportButton = widgets::createControl(L"BUTTON", L"Экспорт", WS_TABSTOP | BS_PUSHBUTTON,
                                           0, 0, 95, 40, w, kIdExport, font);
  RECT rc;
  GetClientRect(w, &rc);
  layout(rc.right, rc.bottom);
}

void TForm9::bindModel() {
  auto bindText = [this](widgets::TextBox& box, HWND label) {
    box.onViewUpdate = [&box, label] {
      if (widgets::windowText(label) != box.text()) SetWindowTextW(label, box.text().c_str());
    };
  };
  bindText(model_.otherLayerCount, c_.label17);
  bindText(model_.solderMaskSwell, c_.sms);
  bindText(model_.planeSwell, c_.ps);
  bindText(model_.drawApertureSize, c_.das);
  bindText(model_.offsetX, c_.offX);
  bindText(model_.offsetY, c_.offY);
  bindText(model_.outputDir, c_.dir);
  model_.boardTypeCode.onViewUpdate = [this] {
    if (widgets::windowText(c_.edit1) == model_.boardTypeCode.text()) return;
    syncingEdit_ = true;
    SetWindowTextW(c_.edit1, model_.boardTypeCode.text().c_str());
    // the caret after the text, where typing goes on
    int len = GetWindowTextLengthW(c_.edit1);
    SendMessageW(c_.edit1, EM_SETSEL, len, len);
    syncingEdit_ = false;
  };
  auto bindCheck = [](widgets::CheckBox& box, HWND button) {
    box.onViewUpdate = [&box, button] {
      SendMessageW(button, BM_SETCHECK, box.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    };
    SendMessageW(button, BM_SETCHECK, box.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  };
  bindCheck(model_.bindToType, c_.checkBox1);
  bindCheck(model_.viasCoveredByMask, c_.checkBox2);
}

void TForm9::layout(int width, int height) {
  if (!c_.edit1) return;
  // top band
  int y = (kTopBand - 21) / 2;
  int x = 8;
  auto place = [](HWND w, int px, int py, int pw, int ph) { MoveWindow(w, px, py, pw, ph, TRUE); };
  int tw = textWidth(c_.typeLabel);
  place(c_.typeLabel, x, y + 4, tw, 14);
  x += tw + 2;
  place(c_.edit1, x, y, 64, 21);
  x += 64 + 4;
  place(c_.plus, x, y + 4, 8, 14);
  x += 10;
  place(c_.label17, x, y + 4, 24, 14);
  x += 30;
  int cb1 = textWidth(c_.checkBox1) + 24;
  place(c_.checkBox1, x, y + 2, cb1, 17);
  x += cb1 + 10;
  int cb2 = textWidth(c_.checkBox2) + 24;
  place(c_.checkBox2, x, y + 2, cb2, 17);
  place(banner_.hwnd(), width - kBannerWidth, 0, kBannerWidth, kTopBand);

  // the table
  place(grid_.hwnd(), 0, kTopBand, width, height - kTopBand - kBottomBand);

  // bottom band: three rows of caption and value
  int top = height - kBottomBand;
  int rowY[3] = {top + 8, top + 32, top + 56};
  int valueWidth = 60;
  auto pair = [&](HWND caption, HWND value, int& px, int py, int vw) {
    int cw = textWidth(caption);
    place(caption, px, py, cw, 14);
    px += cw + 4;
    place(value, px, py, vw, 14);
    px += vw + 10;
  };
  x = 8;
  pair(c_.smsCaption, c_.sms, x, rowY[0], valueWidth);
  pair(c_.psCaption, c_.ps, x, rowY[0], valueWidth);
  pair(c_.dasCaption, c_.das, x, rowY[0], valueWidth);
  x = 8;
  pair(c_.offXCaption, c_.offX, x, rowY[1], valueWidth);
  pair(c_.offYCaption, c_.offY, x, rowY[1], valueWidth);
  int uw = textWidth(c_.unitsCaption);
  place(c_.unitsCaption, x, rowY[1], uw, 14);
  x += uw + 6;
  place(c_.unitsMm, x, rowY[1] - 2, 44, 17);
  place(c_.unitsInch, x + 48, rowY[1] - 2, 50, 17);
  x = 8;
  int dw = textWidth(c_.dirCaption);
  place(c_.dirCaption, x, rowY[2], dw, 14);
  place(c_.dir, x + dw + 4, rowY[2], std::max(40, width - kButtonArea - (x + dw + 4) - 8), 14);
  place(c_.exportButton, width - kButtonArea + 10, top + 20, kButtonArea - 20, 40);
}

void TForm9::setDetached() {
  for (int id : {kCmdOffset, kCmdSolderMaskSwell, kCmdPlaneSwell, kCmdDrawApertureSize}) {
    EnableMenuItem(menu_, id, MF_BYCOMMAND | MF_GRAYED);
  }
  DrawMenuBar(hwnd());
  EnableWindow(c_.exportButton, FALSE);
  EnableWindow(c_.edit1, FALSE);
  EnableWindow(c_.checkBox1, FALSE);
  EnableWindow(c_.checkBox2, FALSE);
  model_.boardTypeCode.enabled = false;
  model_.bindToType.enabled = false;
  model_.viasCoveredByMask.enabled = false;
}

void TForm9::focusBoardTypeCode() {
  if (IsWindowEnabled(c_.edit1)) SetFocus(c_.edit1);
}

bool menuItemEnabled(HMENU menu, int id) {
  UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void TForm9::onCommand(int id, int code, HWND control) {
  if (control == nullptr) {
    // menu items and shortcuts; a shortcut of a disabled item does nothing
    if (!menuItemEnabled(menu_, id)) return;
    switch (id) {
      case kCmdExit:
        PostMessageW(hwnd(), WM_CLOSE, 0, 0);
        return;
      case kCmdManual:
        ShellExecuteW(hwnd(), L"open", app::manualPath().c_str(), nullptr, nullptr,
                      SW_SHOWNORMAL);
        return;
      case kCmdOffset:
        if (Form13) {
          app::polledDialogWait(Form13->hwnd());
          model_.offsetX.setText(Form13->offx());
          model_.offsetY.setText(Form13->offy());
        }
        return;
      case kCmdSolderMaskSwell:
        if (Form14) {
          app::polledDialogWait(Form14->hwnd());
          model_.solderMaskSwell.setText(Form14->readFromEditor());
        }
        return;
      case kCmdPlaneSwell:
        if (Form15) {
          app::polledDialogWait(Form15->hwnd());
          model_.planeSwell.setText(Form15->readFromEditor());
        }
        return;
      case kCmdDrawApertureSize:
        if (Form17) {
          app::polledDialogWait(Form17->hwnd());
          model_.drawApertureSize.setText(Form17->readFromEditor());
        }
        return;
      case kCmdSettings:
        // already open: nothing is reloaded, the edits made so far stay
        if (Form11 && !Form11->visible()) {
          Form11->show();
          SetForegroundWindow(Form11->hwnd());
        }
        return;
      case kCmdAbout:
        if (Form3 && !Form3->visible()) {
          Form3->show();
          SetForegroundWindow(Form3->hwnd());
        }
        return;
    }
    return;
  }
  switch (id) {
    case kIdExport:
      if (code == BN_CLICKED) widgets::guarded(hwnd(), [this] { Button1Click(); });
      return;
    case kIdCheckBox1:
    case kIdCheckBox2:
      if (code == BN_CLICKED) {
        widgets::CheckBox& box = id == kIdCheckBox1 ? model_.bindToType : model_.viasCoveredByMask;
        box.setChecked(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
      }
      return;
    case kIdUnitsMm:
    case kIdUnitsInch:
      if (code == BN_CLICKED) model_.inch = SendMessageW(c_.unitsInch, BM_GETCHECK, 0, 0) == BST_CHECKED;
      return;
    case kIdEdit1:
      if (code == EN_CHANGE && !syncingEdit_) {
        // text put in by other means than typing (pasting)
        std::wstring text = widgets::windowText(c_.edit1);
        if (text != model_.boardTypeCode.text()) {
          syncingEdit_ = true;
          model_.boardTypeCode.setText(text);
          syncingEdit_ = false;
        }
      }
      return;
  }
}

LRESULT CALLBACK TForm9::edit1Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                   DWORD_PTR ref) {
  auto* self = reinterpret_cast<TForm9*>(ref);
  switch (msg) {
    case WM_GETDLGCODE:
      // Enter belongs to the board type code field
      return DefSubclassProc(w, msg, wp, lp) | DLGC_WANTALLKEYS;
    case WM_CHAR: {
      WPARAM ch = wp;
      widgets::guarded(self->hwnd(), [&] { self->Edit1Char(ch); });
      if (ch == 0) return 0;
      return DefSubclassProc(w, msg, ch, lp);
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(w, edit1Proc, 1);
      break;
  }
  return DefSubclassProc(w, msg, wp, lp);
}

LRESULT TForm9::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      onCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_SIZE:
      layout(LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_GETMINMAXINFO: {
      auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
      mm->ptMinTrackSize.x = kMinWidth;
      mm->ptMinTrackSize.y = kMinHeight;
      return 0;
    }
    case WM_CLOSE:
      // an open settings dialog keeps its edits, as when it is closed itself
      if (Form11) Form11->closeIfOpen();
      DestroyWindow(hwnd());
      return 0;
    case WM_DESTROY:
      releaseTable();
      if (accelerators_) DestroyAcceleratorTable(accelerators_);
      app::setAccelerators(nullptr, nullptr);
      PostQuitMessage(0);
      return 0;
  }
  return Window::handleMessage(msg, wp, lp);
}

void TForm9::releaseTable() {
  grid_.releaseControls();
  model_.rows.clear();
  model_.grid.setSize(0, 0);
}
