// Entry of tavrolin.exe: creates the windows hidden, main window first,
// shows the main window (which runs the start-up sequence before it
// appears) and runs the event loop until the main window is closed.
#include <windows.h>

#include <commctrl.h>

#include "app/about_box_win.h"
#include "app/main_window_win.h"
#include "app/message_loop_win.h"
#include "base/ansi_page.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCmd) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  base::installSystemAnsiTable();

  static TForm9 mainWindow;
  Form9 = &mainWindow;
  if (!mainWindow.create()) return 1;
  static TForm3 aboutBox;
  Form3 = &aboutBox;
  aboutBox.create();
  app::addDialogWindow(aboutBox.hwnd());

  mainWindow.showFirst(showCmd == SW_HIDE ? SW_SHOWNORMAL : showCmd);
  return app::runMessageLoop();
}
