// The settings dialog `TForm11` ("Настройки"): the editor of the main and
// pcad sections of main.ini. Two tabs, "Общие" and "P-Cad". It loads its
// controls from main.ini every time it is shown and saves them every time
// it is closed with its close button, then hides. Created once, hidden, and
// reused, so the selected tab stays as the operator left it.
#pragma once

#include <string>
#include <vector>

#include "dialogs/settings_form.h"
#include "dialogs/tool_window_win.h"

class TForm11 : public dialogs::ToolWindow {
 public:
  // Control IDs.
  enum ControlId : int {
    kIdTabs = 100,
    kIdDw,
    kIdDwSpin,
    kIdDc,
    kIdDcSpin,
    kIdAutoclose,
    kIdDirGerber,
    kIdDirDesign,
    kIdDirOther,
    kIdDirPath,
    kIdBrowse,
    kIdSms,
    kIdPs,
    kIdAutoSms,
    kIdAutoPs,
    kIdCleanGrb,
    kIdErrContinue,
    kIdErrStop,
    kIdErrAsk,
  };

  // Creates the dialog hidden; `owner` keeps it above the main window.
  bool create(HWND owner = nullptr);
  // When the dialog is open: saves and hides it, as its close button does.
  // The main window calls it before it closes, so that edits are not lost.
  void closeIfOpen();

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void createControls();
  HWND addControl(int page, const wchar_t* cls, const std::wstring& text, DWORD style, int x,
                  int y, int width, int height, int id = -1, DWORD exStyle = 0);
  void showPage(int page);
  // Loads every control from main.ini.
  void FormShow() override;
  // Saves every control to main.ini, then hides.
  void FormClose() override;
  void BrowseClick();
  void buttonClick(int id) override;
  dialogs::SettingsForm readControls() const;
  void showForm(const dialogs::SettingsForm& form);
  HWND item(int id) const { return GetDlgItem(hwnd(), id); }

  HWND tabs_ = nullptr;
  // the controls of each tab, shown and hidden together
  std::vector<HWND> pages_[2];
};

extern TForm11* Form11;
