// The settings dialog ("Настройки"): the editor of the main and
// pcad sections of main.ini. Two tabs, "Общие" and "P-Cad". It loads its
// controls from main.ini every time it is shown and saves them every time
// it is closed with its close button, then hides. Created once, hidden, and
// reused, so the selected tab stays as the operator left it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/settings_form.h"
#include "dialogs/tool_window_win.h"

namespace dialogs {

// The settings dialog's class; the Wine tests find the dialog by it.
inline constexpr wchar_t kSettingsDialogClass[] = L"TForm11";

class SettingsDialog : public ToolWindow {
 public:
  // Control IDs.
  enum ControlId : int {
    kIdTabs = 100,
    kIdWindowDelay,
    kIdWindowDelaySpin,
    kIdControlDelay,
    kIdControlDelaySpin,
    kIdAutoClose,
    kIdOutputToGerberDir,
    kIdOutputToDesignDir,
    kIdOutputToOtherDir,
    kIdOtherDirPath,
    kIdBrowse,
    kIdSolderMaskSwell,
    kIdPlaneSwell,
    kIdAutoSolderMaskSwell,
    kIdAutoPlaneSwell,
    kIdCleanGerbers,
    kIdOnErrorContinue,
    kIdOnErrorStop,
    kIdOnErrorAsk,
    kIdFabArchive,
    kIdX2Attributes,
  };

  // Creates the dialog hidden; `owner` keeps it above the main window.
  // `iniPath` is the settings file it loads and saves.
  bool create(HWND owner, std::filesystem::path iniPath);
  // When the dialog is open: saves and hides it, as its close button does.
  // The main window calls it before it closes, so that edits are not lost.
  void closeIfOpen();

 protected:
  bool onNotify(const NMHDR& note, LRESULT& result) override;
  LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void onDestroy() override;

 private:
  // The tab control's page as a brush, for the labels and buttons on it.
  HBRUSH pageBrush();
  void createControls();
  HWND addControl(int page, const wchar_t* cls, const std::wstring& text, DWORD style, int x, int y,
                  int width, int height, int id = -1, DWORD exStyle = 0);
  void showPage(int page);
  void createGeneralPage();
  void createPcadPage();
  // Loads every control from main.ini.
  void onOpened() override;
  // Saves every control to main.ini, then hides.
  void onDismissed() override;
  void onBrowse();
  void onButton(int id) override;
  SettingsForm readControls() const;
  void showForm(const SettingsForm& form);
  HWND item(int id) const { return GetDlgItem(hwnd(), id); }

  std::filesystem::path iniPath_;
  HWND tabs_ = nullptr;
  // the controls of each tab, shown and hidden together
  std::vector<HWND> pages_[2];
  HBRUSH pageBrush_ = nullptr;
};

}  // namespace dialogs
