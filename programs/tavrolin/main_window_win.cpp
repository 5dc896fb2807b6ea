// The main window: creation, layout, menu, shortcuts and the routing of the
// operator's input into the window's model.
#include "tavrolin/main_window_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include "tavrolin/app_paths_win.h"
#include "tavrolin/artwork_win.h"
#include "layers/layer_model.h"
#include "widgets/dpi_win.h"

namespace app {
namespace {

using widgets::scaled;

// Sizes at 96 DPI, scaled to the screen where they are used.
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

bool menuItemEnabled(HMENU menu, int id) {
  UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

}  // namespace

bool MainWindow::create() {
  createMenu();
  RECT rc{0, 0, scaled(kClientWidth), scaled(kClientHeight)};
  DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&rc, style, TRUE, WS_EX_CONTROLPARENT);
  if (!createWindow(kMainWindowClass, L"Tavrolin 1.3", style, WS_EX_CONTROLPARENT, CW_USEDEFAULT,
                    CW_USEDEFAULT, rc.right - rc.left, rc.bottom - rc.top, nullptr, menu_)) {
    return false;
  }
  createControls();
  bindModel();
  ACCEL keys[] = {
      {FCONTROL | FVIRTKEY, 'X', kCmdExit},
      {FCONTROL | FVIRTKEY, 'F', kCmdOffset},
      {FCONTROL | FVIRTKEY, 'S', kCmdSolderMaskSwell},
      {FCONTROL | FVIRTKEY, 'P', kCmdPlaneSwell},
      {FCONTROL | FVIRTKEY, 'A', kCmdDrawApertureSize},
      {FCONTROL | FVIRTKEY, 'O', kCmdSettings},
      {FCONTROL | FVIRTKEY, 'R', kCmdPreview},
  };
  accelerators_ = CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
  pump_.setAccelerators(hwnd(), accelerators_);
  pump_.addDialogWindow(hwnd());
  createOwnedWindows();
  return true;
}

void MainWindow::createOwnedWindows() {
  chooser_.create();
  // the small dialogs, hidden, each kept for the whole run
  HWND owner = hwnd();
  settingsDialog_.create(owner, mainIniPath());
  planeSwellDialog_.create(owner);
  offsetDialog_.create(owner);
  solderMaskSwellDialog_.create(owner);
  drawApertureSizeDialog_.create(owner);
  aboutBox_.create();
  if (preview_.create(owner)) pump_.addAccelerators(preview_.hwnd(), preview_.accelerators());
  for (widgets::Window* window : std::initializer_list<widgets::Window*>{
           &settingsDialog_, &planeSwellDialog_, &offsetDialog_, &solderMaskSwellDialog_,
           &drawApertureSizeDialog_, &aboutBox_, &preview_}) {
    if (window->hwnd()) pump_.addDialogWindow(window->hwnd());
  }
}

void MainWindow::createMenu() {
  menu_ = CreateMenu();
  HMENU file = CreatePopupMenu();
  // enabled once this design has been exported
  AppendMenuW(file, MF_STRING | MF_GRAYED, kCmdPreview, L"Просмотр\tCtrl+R");
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file, MF_STRING, kCmdExit, L"Выход\tCtrl+X");
  HMENU params = CreatePopupMenu();
  AppendMenuW(params, MF_STRING, kCmdOffset, L"Оффсет\tCtrl+F");
  AppendMenuW(params, MF_STRING, kCmdSolderMaskSwell, L"SolderMaskSwell\tCtrl+S");
  AppendMenuW(params, MF_STRING, kCmdPlaneSwell, L"Plane Swell\tCtrl+P");
  AppendMenuW(params, MF_STRING, kCmdDrawApertureSize, L"Draw Aperture Size\tCtrl+A");
  AppendMenuW(params, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(params, MF_STRING, kCmdSettings, L"Настройки\tCtrl+O");
  AppendMenuW(params, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(params, MF_STRING, kCmdResetChoices, L"Сбросить выбор слоёв");
  HMENU about = CreatePopupMenu();
  AppendMenuW(about, MF_STRING, kCmdManual, L"Описание");
  AppendMenuW(about, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(about, MF_STRING, kCmdAbout, L"О программе");
  AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"Файл");
  AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(params), L"Параметры");
  AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(about), L"О программе");
}

HWND MainWindow::createLabel(const std::wstring& text, DWORD extraStyle) {
  return widgets::createControl(L"STATIC", text, SS_LEFT | SS_NOPREFIX | extraStyle, 0, 0, 10, 14,
                                hwnd(), -1, widgets::programFont());
}

void MainWindow::createControls() {
  HFONT font = widgets::programFont();
  HWND w = hwnd();
  c_.typeLabel = createLabel(L"Тип платы : ");
  c_.boardTypeCode = widgets::createControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 60, 21,
                                            w, kIdBoardTypeCode, font, WS_EX_CLIENTEDGE);
  SetWindowSubclass(c_.boardTypeCode, boardTypeCodeProc, 1, reinterpret_cast<DWORD_PTR>(this));
  c_.plus = createLabel(L"+");
  c_.otherLayerCount = createLabel(L"");
  c_.bindToType =
      widgets::createControl(L"BUTTON", model_.bindToType.caption, WS_TABSTOP | BS_AUTOCHECKBOX, 0,
                             0, 10, 17, w, kIdBindToType, font);
  c_.viasCoveredByMask = widgets::createControl(L"BUTTON", model_.viasCoveredByMask.caption,
                                                WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 10, 17, w,
                                                kIdViasCoveredByMask, font);
  banner_.create(w, 0, 0, kBannerWidth, kTopBand, 185, 56, drawBanner);
  grid_.create(w, kIdGrid, &model_.grid);
  createBottomBand();
  RECT rc;
  GetClientRect(w, &rc);
  layout(rc.right, rc.bottom);
}

void MainWindow::createBottomBand() {
  HFONT font = widgets::programFont();
  HWND w = hwnd();
  c_.solderMaskSwellCaption = createLabel(L"Значение \"Solder Mask Svell\" :");
  c_.solderMaskSwell = createLabel(L"");
  c_.planeSwellCaption = createLabel(L"Значение \"Plane Svell\" :");
  c_.planeSwell = createLabel(L"");
  c_.drawApertureSizeCaption = createLabel(L"Значение \"Draw aperture size\" :");
  c_.drawApertureSize = createLabel(L"");
  c_.offsetXCaption = createLabel(L"Оффсет X :");
  c_.offsetX = createLabel(L"");
  c_.offsetYCaption = createLabel(L"Оффсет Y :");
  c_.offsetY = createLabel(L"");
  c_.unitsCaption = createLabel(L"Формат экспорта:");
  c_.unitsMm = widgets::createControl(L"BUTTON", L"MM", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                                      0, 0, 40, 17, w, kIdUnitsMm, font);
  c_.unitsInch = widgets::createControl(L"BUTTON", L"Inch", BS_AUTORADIOBUTTON, 0, 0, 45, 17, w,
                                        kIdUnitsInch, font);
  SendMessageW(c_.unitsMm, BM_SETCHECK, BST_CHECKED, 0);
  c_.outputDirCaption = createLabel(L"Директория герберов:");
  c_.outputDir = createLabel(L"", SS_PATHELLIPSIS);
  c_.choicesNote = createLabel(L"", SS_ENDELLIPSIS);
  c_.exportButton = widgets::createControl(L"BUTTON", L"Экспорт", WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                                           95, 40, w, kIdExport, font);
}

void MainWindow::bindModel() {
  auto bindText = [this](widgets::TextBox& box, HWND label) {
    box.onViewUpdate = [&box, label] {
      if (widgets::windowText(label) != box.text()) SetWindowTextW(label, box.text().c_str());
    };
  };
  bindText(model_.otherLayerCount, c_.otherLayerCount);
  bindText(model_.solderMaskSwell, c_.solderMaskSwell);
  bindText(model_.planeSwell, c_.planeSwell);
  bindText(model_.drawApertureSize, c_.drawApertureSize);
  bindText(model_.offsetX, c_.offsetX);
  bindText(model_.offsetY, c_.offsetY);
  bindText(model_.outputDir, c_.outputDir);
  model_.choicesNote.onViewUpdate = [this] {
    SetWindowTextW(c_.choicesNote, model_.choicesNote.text().c_str());
    RECT rc;
    GetClientRect(hwnd(), &rc);
    layoutBottomBand(rc.right, rc.bottom);
  };
  model_.boardTypeCode.onViewUpdate = [this] {
    if (widgets::windowText(c_.boardTypeCode) == model_.boardTypeCode.text()) return;
    syncingEdit_ = true;
    SetWindowTextW(c_.boardTypeCode, model_.boardTypeCode.text().c_str());
    // the caret after the text, where typing goes on
    int len = GetWindowTextLengthW(c_.boardTypeCode);
    SendMessageW(c_.boardTypeCode, EM_SETSEL, len, len);
    syncingEdit_ = false;
  };
  auto bindCheck = [](widgets::CheckBox& box, HWND button) {
    box.onViewUpdate = [&box, button] {
      SendMessageW(button, BM_SETCHECK, box.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    };
    SendMessageW(button, BM_SETCHECK, box.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  };
  bindCheck(model_.bindToType, c_.bindToType);
  bindCheck(model_.viasCoveredByMask, c_.viasCoveredByMask);
}

void MainWindow::layout(int width, int height) {
  if (!c_.boardTypeCode) return;
  layoutTopBand(width);
  MoveWindow(grid_.hwnd(), 0, scaled(kTopBand), width,
             height - scaled(kTopBand) - scaled(kBottomBand), TRUE);
  layoutBottomBand(width, height);
}

// The bands are laid out in screen pixels: text widths as measured, every
// other size scaled from 96 DPI.
void MainWindow::layoutTopBand(int width) {
  int y = scaled((kTopBand - 21) / 2);
  int x = scaled(8);
  auto place = [](HWND w, int px, int py, int pw, int ph) { MoveWindow(w, px, py, pw, ph, TRUE); };
  int tw = textWidth(c_.typeLabel);
  place(c_.typeLabel, x, y + scaled(4), tw, scaled(14));
  x += tw + scaled(2);
  place(c_.boardTypeCode, x, y, scaled(64), scaled(21));
  x += scaled(64 + 4);
  place(c_.plus, x, y + scaled(4), scaled(10), scaled(14));  // the "+" is 9 px wide
  x += scaled(10);
  place(c_.otherLayerCount, x, y + scaled(4), scaled(24), scaled(14));
  x += scaled(30);
  int cb1 = textWidth(c_.bindToType) + scaled(24);
  place(c_.bindToType, x, y + scaled(2), cb1, scaled(17));
  x += cb1 + scaled(10);
  int cb2 = textWidth(c_.viasCoveredByMask) + scaled(24);
  place(c_.viasCoveredByMask, x, y + scaled(2), cb2, scaled(17));
  place(banner_.hwnd(), width - scaled(kBannerWidth), 0, scaled(kBannerWidth), scaled(kTopBand));
}

void MainWindow::layoutBottomBand(int width, int height) {
  auto place = [](HWND w, int px, int py, int pw, int ph) { MoveWindow(w, px, py, pw, ph, TRUE); };
  // three rows of caption and value
  int top = height - scaled(kBottomBand);
  int rowY[3] = {top + scaled(8), top + scaled(32), top + scaled(56)};
  const int valueWidth = scaled(60), rowHeight = scaled(14), margin = scaled(8);
  auto pair = [&](HWND caption, HWND value, int& px, int py, int vw) {
    int cw = textWidth(caption);
    place(caption, px, py, cw, rowHeight);
    px += cw + scaled(4);
    place(value, px, py, vw, rowHeight);
    px += vw + scaled(10);
  };
  int x = margin;
  pair(c_.solderMaskSwellCaption, c_.solderMaskSwell, x, rowY[0], valueWidth);
  pair(c_.planeSwellCaption, c_.planeSwell, x, rowY[0], valueWidth);
  pair(c_.drawApertureSizeCaption, c_.drawApertureSize, x, rowY[0], valueWidth);
  x = margin;
  pair(c_.offsetXCaption, c_.offsetX, x, rowY[1], valueWidth);
  pair(c_.offsetYCaption, c_.offsetY, x, rowY[1], valueWidth);
  int uw = textWidth(c_.unitsCaption);
  place(c_.unitsCaption, x, rowY[1], uw, rowHeight);
  x += uw + scaled(6);
  place(c_.unitsMm, x, rowY[1] - scaled(2), scaled(44), scaled(17));
  place(c_.unitsInch, x + scaled(48), rowY[1] - scaled(2), scaled(50), scaled(17));
  x = margin;
  int captionWidth = textWidth(c_.outputDirCaption);
  place(c_.outputDirCaption, x, rowY[2], captionWidth, rowHeight);
  const int valueX = x + captionWidth + scaled(4);
  const int valueRight = width - scaled(kButtonArea) - margin;
  int dirWidth = std::max(scaled(40), valueRight - valueX);
  if (!model_.choicesNote.text().empty()) {
    // the line about the kept choices shares the row with the directory
    dirWidth = std::min(dirWidth / 2, textWidth(c_.outputDir) + scaled(8));
    const int noteX = valueX + dirWidth + scaled(12);
    place(c_.choicesNote, noteX, rowY[2], std::max(0, valueRight - noteX), rowHeight);
  }
  place(c_.outputDir, valueX, rowY[2], dirWidth, rowHeight);
  place(c_.exportButton, width - scaled(kButtonArea - 10), top + scaled(20),
        scaled(kButtonArea - 20), scaled(40));
}

void MainWindow::setDetached() {
  for (int id :
       {kCmdOffset, kCmdSolderMaskSwell, kCmdPlaneSwell, kCmdDrawApertureSize, kCmdResetChoices}) {
    EnableMenuItem(menu_, id, MF_BYCOMMAND | MF_GRAYED);
  }
  DrawMenuBar(hwnd());
  EnableWindow(c_.exportButton, FALSE);
  EnableWindow(c_.boardTypeCode, FALSE);
  EnableWindow(c_.bindToType, FALSE);
  EnableWindow(c_.viasCoveredByMask, FALSE);
  model_.boardTypeCode.enabled = false;
  model_.bindToType.enabled = false;
  model_.viasCoveredByMask.enabled = false;
}

void MainWindow::focusBoardTypeCode() {
  if (IsWindowEnabled(c_.boardTypeCode)) SetFocus(c_.boardTypeCode);
}

bool MainWindow::onCommand(int id, int code, HWND control) {
  if (control == nullptr) {
    // menu items and shortcuts; a shortcut of a disabled item does nothing
    if (menuItemEnabled(menu_, id)) onMenuCommand(id);
  } else {
    onControlCommand(id, code, control);
  }
  return true;
}

void MainWindow::onMenuCommand(int id) {
  switch (id) {
    case kCmdExit:
      PostMessageW(hwnd(), WM_CLOSE, 0, 0);
      return;
    case kCmdManual:
      ShellExecuteW(hwnd(), L"open", manualPath().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      return;
    case kCmdOffset:
      if (!offsetDialog_.hwnd()) return;
      waitForDialog(offsetDialog_);
      model_.offsetX.setText(offsetDialog_.offsetX());
      model_.offsetY.setText(offsetDialog_.offsetY());
      return;
    case kCmdSolderMaskSwell:
      waitForParamDialog(solderMaskSwellDialog_, model_.solderMaskSwell);
      return;
    case kCmdPlaneSwell:
      waitForParamDialog(planeSwellDialog_, model_.planeSwell);
      return;
    case kCmdDrawApertureSize:
      waitForParamDialog(drawApertureSizeDialog_, model_.drawApertureSize);
      return;
    case kCmdSettings:
      // already open: nothing is reloaded, the edits made so far stay
      showModeless(settingsDialog_);
      return;
    case kCmdAbout:
      showModeless(aboutBox_);
      return;
    case kCmdResetChoices:
      resetChoices();
      return;
    case kCmdPreview:
      if (preview_.hasLayers()) preview_.open();
      return;
  }
}

void MainWindow::waitForDialog(widgets::Window& dialog) { pump_.waitWhileShown(dialog.hwnd()); }

void MainWindow::waitForParamDialog(dialogs::ParamDialog& dialog, widgets::TextBox& value) {
  if (!dialog.hwnd()) return;
  waitForDialog(dialog);
  value.setText(dialog.readFromEditor());
}

void MainWindow::showModeless(widgets::Window& window) {
  if (!window.hwnd() || window.visible()) return;
  window.show();
  SetForegroundWindow(window.hwnd());
}

void MainWindow::onControlCommand(int id, int code, HWND control) {
  switch (id) {
    case kIdExport:
      if (code == BN_CLICKED) widgets::guarded(hwnd(), [this] { onExport(); });
      return;
    case kIdBindToType:
    case kIdViasCoveredByMask:
      if (code == BN_CLICKED) {
        widgets::CheckBox& box = id == kIdBindToType ? model_.bindToType : model_.viasCoveredByMask;
        box.setChecked(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
      }
      return;
    case kIdUnitsMm:
    case kIdUnitsInch:
      if (code == BN_CLICKED) {
        model_.inch = SendMessageW(c_.unitsInch, BM_GETCHECK, 0, 0) == BST_CHECKED;
      }
      return;
    case kIdBoardTypeCode:
      if (code == EN_CHANGE && !syncingEdit_) onBoardTypeCodePasted();
      return;
  }
}

void MainWindow::onBoardTypeCodePasted() {
  // text put in by other means than typing (pasting)
  std::wstring text = widgets::windowText(c_.boardTypeCode);
  if (text != model_.boardTypeCode.text()) {
    syncingEdit_ = true;
    model_.boardTypeCode.setText(text);
    syncingEdit_ = false;
  }
}

LRESULT CALLBACK MainWindow::boardTypeCodeProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                               DWORD_PTR ref) {
  auto* self = reinterpret_cast<MainWindow*>(ref);
  switch (msg) {
    case WM_GETDLGCODE:
      // Enter belongs to the board type code field
      return DefSubclassProc(w, msg, wp, lp) | DLGC_WANTALLKEYS;
    case WM_CHAR: {
      WPARAM ch = wp;
      widgets::guarded(self->hwnd(), [&] { self->onBoardTypeCodeChar(ch); });
      if (ch == 0) return 0;
      return DefSubclassProc(w, msg, ch, lp);
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(w, boardTypeCodeProc, 1);
      break;
  }
  return DefSubclassProc(w, msg, wp, lp);
}

bool MainWindow::onSize(int width, int height) {
  layout(width, height);
  return true;
}

bool MainWindow::onClose() {
  // an open settings dialog keeps its edits, as when it is closed itself
  settingsDialog_.closeIfOpen();
  DestroyWindow(hwnd());
  return true;
}

void MainWindow::onDestroy() {
  releaseTable();
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
  accelerators_ = nullptr;
  pump_.setAccelerators(nullptr, nullptr);
  PostQuitMessage(0);
}

LRESULT MainWindow::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_GETMINMAXINFO) {
    auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
    mm->ptMinTrackSize.x = scaled(kMinWidth);
    mm->ptMinTrackSize.y = scaled(kMinHeight);
    return 0;
  }
  return Window::onMessage(msg, wp, lp);
}

void MainWindow::releaseTable() {
  grid_.releaseControls();
  model_.rows.clear();
  model_.grid.setSize(0, 0);
}

}  // namespace app
