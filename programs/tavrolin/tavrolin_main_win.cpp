// Entry of tavrolin.exe: creates the windows hidden, main window first
// (it owns the editor link and the chooser; the parameter dialogs share the link),
// shows the main window (which runs the start-up sequence before it
// appears) and runs the event loop until the main window is closed.
#include <windows.h>

#include <commctrl.h>

#include "tavrolin/about_box_win.h"
#include "tavrolin/main_window_win.h"
#include "tavrolin/message_loop_win.h"
#include "base/ansi_page.h"
#include "dialogs/offset_dialog_win.h"
#include "dialogs/param_dialog_win.h"
#include "dialogs/settings_dialog_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCmd) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  base::installSystemAnsiTable();

  static TForm9 mainWindow;
  Form9 = &mainWindow;
  if (!mainWindow.create()) return 1;
  // the small dialogs, hidden, each kept for the whole run
  static TForm11 settingsDialog;
  static TForm15 planeSwellDialog(mainWindow.link());
  static TForm13 offsetDialog;
  static TForm14 solderMaskSwellDialog(mainWindow.link());
  static TForm17 drawApertureSizeDialog(mainWindow.link());
  HWND owner = mainWindow.hwnd();
  if (settingsDialog.create(owner)) Form11 = &settingsDialog;
  if (planeSwellDialog.create(owner)) Form15 = &planeSwellDialog;
  if (offsetDialog.create(owner)) Form13 = &offsetDialog;
  if (solderMaskSwellDialog.create(owner)) Form14 = &solderMaskSwellDialog;
  if (drawApertureSizeDialog.create(owner)) Form17 = &drawApertureSizeDialog;
  for (widgets::Window* dialog :
       std::initializer_list<widgets::Window*>{&settingsDialog, &planeSwellDialog, &offsetDialog,
                                               &solderMaskSwellDialog, &drawApertureSizeDialog}) {
    if (dialog->hwnd()) app::addDialogWindow(dialog->hwnd());
  }
  static TForm3 aboutBox;
  Form3 = &aboutBox;
  aboutBox.create();
  app::addDialogWindow(aboutBox.hwnd());

  mainWindow.showFirst(showCmd == SW_HIDE ? SW_SHOWNORMAL : showCmd);
  return app::runMessageLoop();
}
