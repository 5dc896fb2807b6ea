// The settings dialog `TForm11`.
#include "dialogs/settings_dialog_win.h"

#include <commctrl.h>
#include <shlobj.h>

#include <climits>
#include <filesystem>
#include <optional>

#include "app/app_paths_win.h"
#include "base/settings_store.h"
#include "base/error.h"

TForm11* Form11 = nullptr;

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

bool TForm11::create(HWND owner) {
  if (!createCentred(L"TForm11", L"Настройки", kClientWidth, kClientHeight, owner,
                     WS_EX_DLGMODALFRAME)) {
    return false;
  }
  createControls();
  showPage(kGeneral);
  return true;
}

HWND TForm11::addControl(int page, const wchar_t* cls, const std::wstring& text, DWORD style,
                         int x, int y, int width, int height, int id, DWORD exStyle) {
  HWND w = widgets::createControl(cls, text, style, x, y, width, height, hwnd(), id,
                                  widgets::programFont(), exStyle);
  pages_[page].push_back(w);
  return w;
}

void TForm11::createControls() {
  tabs_ = widgets::createControl(WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0,
                                 kClientWidth, kClientHeight, hwnd(), kIdTabs,
                                 widgets::programFont());
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = const_cast<wchar_t*>(L"Общие");
  SendMessageW(tabs_, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&tab));
  tab.pszText = const_cast<wchar_t*>(L"P-Cad");
  SendMessageW(tabs_, TCM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&tab));

  const DWORD label = SS_LEFT;
  const DWORD edit = WS_TABSTOP | ES_AUTOHSCROLL;
  const DWORD check = WS_TABSTOP | BS_AUTOCHECKBOX;
  const DWORD radio = BS_AUTORADIOBUTTON;

  // "Общие": the two delays with their spin fields, automatic closing
  struct Spin {
    const wchar_t* caption;
    int editId, spinId, y;
  };
  for (const Spin& s : {Spin{L"Задержка поиска окна :", kIdDw, kIdDwSpin, 48},
                        Spin{L"Задержка поиска элемента :", kIdDc, kIdDcSpin, 80}}) {
    addControl(kGeneral, L"STATIC", s.caption, label, 24, s.y + 3, 200, 16);
    HWND field = addControl(kGeneral, L"EDIT", L"10", edit, 228, s.y, 90, 21, s.editId,
                            WS_EX_CLIENTEDGE);
    HWND spin = addControl(kGeneral, UPDOWN_CLASSW, L"",
                           UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0,
                           0, 0, 0, s.spinId);
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field), 0);
    // the arrows step by 1 over every number a delay can hold
    SendMessageW(spin, UDM_SETRANGE32, 0, INT_MAX);
    addControl(kGeneral, L"STATIC", L"mc", label, 326, s.y + 3, 30, 16);
  }
  addControl(kGeneral, L"BUTTON", L"Автоматически закрывать программу", check, 24, 118, 300, 18,
             kIdAutoclose);

  // "P-Cad": output directory, swell values and switches, error choice
  addControl(kPcad, L"BUTTON", L"Директория экспорта", BS_GROUPBOX, 16, 34, 300, 132);
  addControl(kPcad, L"BUTTON", L"Gerber", radio | WS_GROUP | WS_TABSTOP, 28, 54, 200, 18,
             kIdDirGerber);
  addControl(kPcad, L"BUTTON", L"Директория с файлом", radio, 28, 76, 200, 18, kIdDirDesign);
  addControl(kPcad, L"BUTTON", L"Другая директория", radio, 28, 98, 200, 18, kIdDirOther);
  addControl(kPcad, L"EDIT", L"", edit | WS_GROUP, 28, 128, 252, 21, kIdDirPath,
             WS_EX_CLIENTEDGE);
  addControl(kPcad, L"BUTTON", L"...", WS_TABSTOP | BS_PUSHBUTTON, 282, 128, 22, 21, kIdBrowse);

  addControl(kPcad, L"STATIC", L"Значение SolderMaskSwell:", label, 16, 183, 170, 16);
  addControl(kPcad, L"EDIT", L"", edit, 190, 180, 126, 21, kIdSms, WS_EX_CLIENTEDGE);
  addControl(kPcad, L"STATIC", L"Значение Plane Swell:", label, 16, 213, 170, 16);
  addControl(kPcad, L"EDIT", L"", edit, 190, 210, 126, 21, kIdPs, WS_EX_CLIENTEDGE);
  addControl(kPcad, L"BUTTON", L"Автоматически устанавливать SolderMaskSwell", check, 16, 246,
             300, 18, kIdAutoSms);
  addControl(kPcad, L"BUTTON", L"Автоматически устанавливать Plane Swell", check, 16, 270, 300,
             18, kIdAutoPs);
  addControl(kPcad, L"BUTTON", L"  \"Чистить\" гербера ?", check, 16, 294, 300, 18, kIdCleanGrb);

  addControl(kPcad, L"BUTTON", L"При ошибке :", BS_GROUPBOX, 340, 34, 280, 100);
  addControl(kPcad, L"BUTTON", L"Продолжить выполнение", radio | WS_GROUP | WS_TABSTOP, 352, 54,
             250, 18, kIdErrContinue);
  addControl(kPcad, L"BUTTON", L"Остановить выполнение", radio, 352, 78, 250, 18, kIdErrStop);
  addControl(kPcad, L"BUTTON", L"Задать вопрос", radio, 352, 102, 250, 18, kIdErrAsk);
  // the tab control lies below the controls of its pages
  SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm11::showPage(int page) {
  for (int p : {kGeneral, kPcad}) {
    for (HWND w : pages_[p]) ShowWindow(w, p == page ? SW_SHOW : SW_HIDE);
  }
}

dialogs::SettingsForm TForm11::readControls() const {
  dialogs::SettingsForm form;
  form.dwText = widgets::windowText(item(kIdDw));
  form.dcText = widgets::windowText(item(kIdDc));
  form.autoclose = isChecked(item(kIdAutoclose));
  form.dirChoice = isChecked(item(kIdDirOther))    ? dialogs::DirChoice::Other
                   : isChecked(item(kIdDirDesign)) ? dialogs::DirChoice::DesignDir
                                                   : dialogs::DirChoice::Gerber;
  form.dirPath = widgets::windowText(item(kIdDirPath));
  form.sms = widgets::windowText(item(kIdSms));
  form.ps = widgets::windowText(item(kIdPs));
  form.autoSms = isChecked(item(kIdAutoSms));
  form.autoPs = isChecked(item(kIdAutoPs));
  form.cleanGrb = isChecked(item(kIdCleanGrb));
  form.errcheck = isChecked(item(kIdErrContinue)) ? 0
                  : isChecked(item(kIdErrStop))   ? 1
                  : isChecked(item(kIdErrAsk))    ? 2
                                                  : -1;
  return form;
}

void TForm11::showForm(const dialogs::SettingsForm& form) {
  SetWindowTextW(item(kIdDw), form.dwText.c_str());
  SetWindowTextW(item(kIdDc), form.dcText.c_str());
  setChecked(item(kIdAutoclose), form.autoclose);
  setChecked(item(kIdDirGerber), form.dirChoice == dialogs::DirChoice::Gerber);
  setChecked(item(kIdDirDesign), form.dirChoice == dialogs::DirChoice::DesignDir);
  setChecked(item(kIdDirOther), form.dirChoice == dialogs::DirChoice::Other);
  SetWindowTextW(item(kIdDirPath), form.dirPath.c_str());
  SetWindowTextW(item(kIdSms), form.sms.c_str());
  SetWindowTextW(item(kIdPs), form.ps.c_str());
  setChecked(item(kIdCleanGrb), form.cleanGrb);
  setChecked(item(kIdAutoSms), form.autoSms);
  setChecked(item(kIdAutoPs), form.autoPs);
  setChecked(item(kIdErrContinue), form.errcheck == 0);
  setChecked(item(kIdErrStop), form.errcheck == 1);
  setChecked(item(kIdErrAsk), form.errcheck == 2);
}

void TForm11::FormShow() {
  base::SettingsStore ini(app::mainIniPath());
  dialogs::SettingsForm form;
  form.load(ini, dirExists);
  showForm(form);
}

void TForm11::FormClose() {
  std::optional<std::wstring> failure;
  try {
    base::SettingsStore ini(app::mainIniPath());
    readControls().save(ini, dirExists);
  } catch (const base::AppError& e) {
    failure = e.text();
  }
  // the dialog hides whether or not everything could be written
  hide();
  if (failure) widgets::showErrorBox(GetWindow(hwnd(), GW_OWNER), *failure);
}

void TForm11::closeIfOpen() {
  if (hwnd() && visible()) FormClose();
}

void TForm11::BrowseClick() {
  BROWSEINFOW info{};
  info.hwndOwner = hwnd();
  info.lpszTitle = L"Директория экспорта";
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (!chosen) return;
  wchar_t path[MAX_PATH] = {};
  if (SHGetPathFromIDListW(chosen, path)) SetWindowTextW(item(kIdDirPath), path);
  CoTaskMemFree(chosen);
}

void TForm11::buttonClick(int id) {
  if (id == kIdBrowse) BrowseClick();
}

LRESULT TForm11::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY) {
    auto* hdr = reinterpret_cast<NMHDR*>(lp);
    if (hdr->hwndFrom == tabs_ && hdr->code == TCN_SELCHANGE) {
      showPage(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
    }
    return 0;
  }
  return ToolWindow::handleMessage(msg, wp, lp);
}
