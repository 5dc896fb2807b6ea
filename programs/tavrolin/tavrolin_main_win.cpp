// Entry of tavrolin.exe: creates the main window hidden (it creates the
// windows it owns: the editor link, the chooser and the dialogs), shows it
// (which runs the start-up sequence before it
// appears) and runs the event loop until the main window is closed.
#include <windows.h>

#include <commctrl.h>

#include "tavrolin/main_window_win.h"
#include "base/ansi_page.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCmd) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  base::installSystemAnsiTable();

  app::MainWindow mainWindow;
  if (!mainWindow.create()) return 1;
  mainWindow.showFirst(showCmd == SW_HIDE ? SW_SHOWNORMAL : showCmd);
  return mainWindow.run();
}
