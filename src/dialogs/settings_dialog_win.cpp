// The settings dialog.
#include "dialogs/settings_dialog_win.h"

#include <commctrl.h>
#include <shlobj.h>

#include <climits>
#include <filesystem>
#include <optional>
#include <utility>

#include "base/settings_store.h"
#include "base/error.h"

namespace dialogs {
namespace {

constexpr int kClientWidth = 643;
constexpr int kClientHeight = 404;
constexpr int kGeneral = 0;
constexpr int kPcad = 1;

bool dirExists(const std::wstring& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_directory(std::filesystem::path(path), ec);
}

bool isChecked(HWND w) { return SendMessageW(w, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void setChecked(HWND w, bool on) {
  SendMessageW(w, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace

bool SettingsDialog::create(HWND owner, std::filesystem::path iniPath) {
  iniPath_ = std::move(iniPath);
  if (!createCentred(kSettingsDialogClass, L"Настройки", kClientWidth, kClientHeight, owner,
                     WS_EX_DLGMODALFRAME)) {
    return false;
  }
  // The dialog paints the page under its controls too: group boxes leave
  // their inside to it, also where a control of the other page was.
  SetWindowLongW(hwnd(), GWL_STYLE, GetWindowLongW(hwnd(), GWL_STYLE) & ~WS_CLIPCHILDREN);
  createControls();
  showPage(kGeneral);
  return true;
}

HWND SettingsDialog::addControl(int page, const wchar_t* cls, const std::wstring& text, DWORD style,
                                int x, int y, int width, int height, int id, DWORD exStyle) {
  HWND w = widgets::createControl(cls, text, style, x, y, width, height, hwnd(), id,
                                  widgets::programFont(), exStyle);
  pages_[page].push_back(w);
  return w;
}

void SettingsDialog::createControls() {
  tabs_ =
      widgets::createControl(WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0, kClientWidth,
                             kClientHeight, hwnd(), kIdTabs, widgets::programFont());
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = const_cast<wchar_t*>(L"Общие");
  SendMessageW(tabs_, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&tab));
  tab.pszText = const_cast<wchar_t*>(L"P-Cad");
  SendMessageW(tabs_, TCM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&tab));

  createGeneralPage();
  createPcadPage();
  // the tab control lies below the controls of its pages
  SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SettingsDialog::createGeneralPage() {
  const DWORD label = SS_LEFT;
  const DWORD edit = WS_TABSTOP | ES_AUTOHSCROLL;
  // the two delays with their spin fields, automatic closing
  struct Spin {
    const wchar_t* caption;
    int editId, spinId, y;
  };
  for (const Spin& s :
       {Spin{L"Задержка поиска окна :", kIdWindowDelay, kIdWindowDelaySpin, 48},
        Spin{L"Задержка поиска элемента :", kIdControlDelay, kIdControlDelaySpin, 80}}) {
    addControl(kGeneral, L"STATIC", s.caption, label, 24, s.y + 3, 200, 16);
    HWND field =
        addControl(kGeneral, L"EDIT", L"10", edit, 228, s.y, 90, 21, s.editId, WS_EX_CLIENTEDGE);
    HWND spin = addControl(kGeneral, UPDOWN_CLASSW, L"",
                           UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0,
                           0, 0, s.spinId);
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field), 0);
    // the arrows step by 1 over every number a delay can hold
    SendMessageW(spin, UDM_SETRANGE32, 0, INT_MAX);
    addControl(kGeneral, L"STATIC", L"mc", label, 326, s.y + 3, 30, 16);
  }
  addControl(kGeneral, L"BUTTON", L"Автоматически закрывать программу",
             WS_TABSTOP | BS_AUTOCHECKBOX, 24, 118, 300, 18, kIdAutoClose);
}

void SettingsDialog::createPcadPage() {
  const DWORD label = SS_LEFT;
  const DWORD edit = WS_TABSTOP | ES_AUTOHSCROLL;
  const DWORD check = WS_TABSTOP | BS_AUTOCHECKBOX;
  const DWORD radio = BS_AUTORADIOBUTTON;
  // output directory, swell values and switches, error choice
  addControl(kPcad, L"BUTTON", L"Директория экспорта", BS_GROUPBOX, 16, 34, 300, 132);
  addControl(kPcad, L"BUTTON", L"Gerber", radio | WS_GROUP | WS_TABSTOP, 28, 54, 200, 18,
             kIdOutputToGerberDir);
  addControl(kPcad, L"BUTTON", L"Директория с файлом", radio, 28, 76, 200, 18,
             kIdOutputToDesignDir);
  addControl(kPcad, L"BUTTON", L"Другая директория", radio, 28, 98, 200, 18, kIdOutputToOtherDir);
  addControl(kPcad, L"EDIT", L"", edit | WS_GROUP, 28, 128, 252, 21, kIdOtherDirPath,
             WS_EX_CLIENTEDGE);
  addControl(kPcad, L"BUTTON", L"...", WS_TABSTOP | BS_PUSHBUTTON, 282, 128, 22, 21, kIdBrowse);

  addControl(kPcad, L"STATIC", L"Значение SolderMaskSwell:", label, 16, 183, 170, 16);
  addControl(kPcad, L"EDIT", L"", edit, 190, 180, 126, 21, kIdSolderMaskSwell, WS_EX_CLIENTEDGE);
  addControl(kPcad, L"STATIC", L"Значение Plane Swell:", label, 16, 213, 170, 16);
  addControl(kPcad, L"EDIT", L"", edit, 190, 210, 126, 21, kIdPlaneSwell, WS_EX_CLIENTEDGE);
  addControl(kPcad, L"BUTTON", L"Автоматически устанавливать SolderMaskSwell", check, 16, 246, 300,
             18, kIdAutoSolderMaskSwell);
  addControl(kPcad, L"BUTTON", L"Автоматически устанавливать Plane Swell", check, 16, 270, 300, 18,
             kIdAutoPlaneSwell);
  addControl(kPcad, L"BUTTON", L"  \"Чистить\" гербера ?", check, 16, 294, 300, 18,
             kIdCleanGerbers);

  addControl(kPcad, L"BUTTON", L"При ошибке :", BS_GROUPBOX, 340, 34, 280, 100);
  addControl(kPcad, L"BUTTON", L"Продолжить выполнение", radio | WS_GROUP | WS_TABSTOP, 352, 54,
             250, 18, kIdOnErrorContinue);
  addControl(kPcad, L"BUTTON", L"Остановить выполнение", radio, 352, 78, 250, 18, kIdOnErrorStop);
  addControl(kPcad, L"BUTTON", L"Задать вопрос", radio, 352, 102, 250, 18, kIdOnErrorAsk);
  addControl(kPcad, L"BUTTON", L"Архив для производства", check, 340, 150, 280, 18, kIdFabArchive);
  addControl(kPcad, L"BUTTON", L"Атрибуты X2", check, 340, 174, 280, 18, kIdX2Attributes);
}

HBRUSH SettingsDialog::pageBrush() {
  if (!pageBrush_) {
    // the page as the tab control paints it, which may be in a colour of
    // its own (the current look of the common controls)
    RECT rc;
    GetClientRect(tabs_, &rc);
    HDC screen = GetDC(tabs_);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP page = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(mem, page);
    SendMessageW(tabs_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_ERASEBKGND | PRF_CLIENT);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(tabs_, screen);
    pageBrush_ = CreatePatternBrush(page);
    DeleteObject(page);
  }
  return pageBrush_;
}

LRESULT SettingsDialog::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CTLCOLORSTATIC && tabs_) {
    // labels, check boxes and group boxes show the page behind them
    HDC dc = reinterpret_cast<HDC>(wp);
    POINT origin{0, 0};
    MapWindowPoints(reinterpret_cast<HWND>(lp), tabs_, &origin, 1);
    SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(pageBrush());
  }
  if (msg == WM_ERASEBKGND && tabs_) {
    // the dialog's face, which group boxes and buttons show through, is
    // the page too (the tab control covers the whole dialog)
    HDC dc = reinterpret_cast<HDC>(wp);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    RECT rc;
    GetClientRect(hwnd(), &rc);
    FillRect(dc, &rc, pageBrush());
    return 1;
  }
  return ToolWindow::onMessage(msg, wp, lp);
}

void SettingsDialog::onDestroy() {
  if (pageBrush_) DeleteObject(pageBrush_);
  pageBrush_ = nullptr;
}

void SettingsDialog::showPage(int page) {
  for (int p : {kGeneral, kPcad}) {
    for (HWND w : pages_[p]) ShowWindow(w, p == page ? SW_SHOW : SW_HIDE);
  }
}

SettingsForm SettingsDialog::readControls() const {
  SettingsForm form;
  form.dwText = widgets::windowText(item(kIdWindowDelay));
  form.dcText = widgets::windowText(item(kIdControlDelay));
  form.autoclose = isChecked(item(kIdAutoClose));
  form.dirChoice = isChecked(item(kIdOutputToOtherDir))    ? DirChoice::Other
                   : isChecked(item(kIdOutputToDesignDir)) ? DirChoice::DesignDir
                                                           : DirChoice::Gerber;
  form.dirPath = widgets::windowText(item(kIdOtherDirPath));
  form.sms = widgets::windowText(item(kIdSolderMaskSwell));
  form.ps = widgets::windowText(item(kIdPlaneSwell));
  form.autoSms = isChecked(item(kIdAutoSolderMaskSwell));
  form.autoPs = isChecked(item(kIdAutoPlaneSwell));
  form.cleanGrb = isChecked(item(kIdCleanGerbers));
  form.errcheck = isChecked(item(kIdOnErrorContinue)) ? 0
                  : isChecked(item(kIdOnErrorStop))   ? 1
                  : isChecked(item(kIdOnErrorAsk))    ? 2
                                                      : -1;
  form.fabArchive = isChecked(item(kIdFabArchive));
  form.x2Attributes = isChecked(item(kIdX2Attributes));
  return form;
}

void SettingsDialog::showForm(const SettingsForm& form) {
  SetWindowTextW(item(kIdWindowDelay), form.dwText.c_str());
  SetWindowTextW(item(kIdControlDelay), form.dcText.c_str());
  setChecked(item(kIdAutoClose), form.autoclose);
  setChecked(item(kIdOutputToGerberDir), form.dirChoice == DirChoice::Gerber);
  setChecked(item(kIdOutputToDesignDir), form.dirChoice == DirChoice::DesignDir);
  setChecked(item(kIdOutputToOtherDir), form.dirChoice == DirChoice::Other);
  SetWindowTextW(item(kIdOtherDirPath), form.dirPath.c_str());
  SetWindowTextW(item(kIdSolderMaskSwell), form.sms.c_str());
  SetWindowTextW(item(kIdPlaneSwell), form.ps.c_str());
  setChecked(item(kIdCleanGerbers), form.cleanGrb);
  setChecked(item(kIdAutoSolderMaskSwell), form.autoSms);
  setChecked(item(kIdAutoPlaneSwell), form.autoPs);
  setChecked(item(kIdOnErrorContinue), form.errcheck == 0);
  setChecked(item(kIdOnErrorStop), form.errcheck == 1);
  setChecked(item(kIdOnErrorAsk), form.errcheck == 2);
  setChecked(item(kIdFabArchive), form.fabArchive);
  setChecked(item(kIdX2Attributes), form.x2Attributes);
}

void SettingsDialog::onOpened() {
  base::SettingsStore ini(iniPath_);
  SettingsForm form;
  form.load(ini, dirExists);
  showForm(form);
}

void SettingsDialog::onDismissed() {
  std::optional<std::wstring> failure;
  try {
    base::SettingsStore ini(iniPath_);
    readControls().save(ini, dirExists);
  } catch (const base::AppError& e) {
    failure = e.text();
  }
  // the dialog hides whether or not everything could be written
  hide();
  if (failure) widgets::showErrorBox(GetWindow(hwnd(), GW_OWNER), *failure);
}

void SettingsDialog::closeIfOpen() {
  if (hwnd() && visible()) onDismissed();
}

void SettingsDialog::onBrowse() {
  BROWSEINFOW info{};
  info.hwndOwner = hwnd();
  info.lpszTitle = L"Директория экспорта";
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (!chosen) return;
  wchar_t path[MAX_PATH] = {};
  if (SHGetPathFromIDListW(chosen, path)) SetWindowTextW(item(kIdOtherDirPath), path);
  CoTaskMemFree(chosen);
}

void SettingsDialog::onButton(int id) {
  if (id == kIdBrowse) onBrowse();
}

bool SettingsDialog::onNotify(const NMHDR& note, LRESULT& result) {
  if (note.hwndFrom == tabs_ && note.code == TCN_SELCHANGE) {
    showPage(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
  }
  result = 0;
  return true;
}

}  // namespace dialogs
