// The program's message handling: the event loop, the polled dialog wait
// (show a non-modal dialog and process pending messages until it hides
// itself), and the keyboard routing shared by both (menu shortcuts of the
// main window, Tab and Enter in dialogs).
#pragma once

#include <windows.h>

#include <functional>

namespace app {

// Shortcuts of the main window; set once the main window exists.
void setAccelerators(HWND mainWindow, HACCEL table);
// Windows whose controls are worked with Tab, Enter and Escape.
void addDialogWindow(HWND dialog);

// Runs the event loop until WM_QUIT; returns its exit code.
int runMessageLoop();
// Makes `dialog` visible and processes all pending messages until it is
// hidden again (or destroyed, or the program is asked to quit).
// `show` makes it visible when showing needs more than ShowWindow.
void polledDialogWait(HWND dialog, const std::function<void()>& show = {});
// Processes the messages pending now and returns.
void processMessages();

}  // namespace app
