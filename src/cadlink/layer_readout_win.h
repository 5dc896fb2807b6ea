// Reading the board's layer list out of the editor: open "Options Layers",
// find it among the windows of the editor's user-interface thread, make its
// list show, read each row's name and type text out of the editor's process
// and hand them to the layer model (layers::addEditorLayer), then close the dialog.
#pragma once

#include <windows.h>

#include <vector>

#include "layers/layer_model.h"

namespace cadlink {

// The "Options Layers" dialog; 0 while it is searched for. Keeps the
// dialog's handle after the readout.
extern HWND th;

// Callback of EnumThreadWindows: remembers a window titled exactly
// "Options Layers" in `th` (the last one wins); always goes on.
BOOL CALLBACK layer(HWND w, LPARAM unused);

// Reads the layer list of the editor `h` (the run-time value), appending one
// record per layer to `records`. The waits end at their try limits or when
// the editor is gone; a dialog that never opens reads nothing. When the editor's process
// cannot be opened, or its memory cannot be reserved, written or read, the
// readout stops, the dialog is closed and base::AppError tells what failed.
void filllayertable(std::vector<layers::LayerRow>& records);

}  // namespace cadlink
