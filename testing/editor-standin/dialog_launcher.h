// Opens the editor's dialogs on request, playing the fault options: a delay
// before a dialog appears (a timer on the main window), a dialog that never
// opens, an editor that exits when asked for a dialog, and the decoy windows.
// A dialog that is already open is not opened again.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "standin_app.h"

namespace standin {

enum class DialogKind { Build, Layers, DesignInfo, Configure, Gerber, Apertures, Drill };

class DialogLauncher {
 public:
  DialogLauncher(StandinApp& app, HWND mainWindow) : app_(app), main_(mainWindow) {}

  // The dialog a command to the main window opens, if any.
  std::optional<DialogKind> kindOfCommand(unsigned command) const;
  std::wstring titleOf(DialogKind kind) const;

  void request(DialogKind kind);
  // The main window's WM_TIMER; true when the timer was one of ours.
  bool timerFired(UINT_PTR id);

 private:
  void open(DialogKind kind);
  void openDecoy(const std::wstring& title);

  StandinApp& app_;
  HWND main_;
  std::map<DialogKind, HWND> open_;
};

}  // namespace standin
