// Reading the board's layer list out of the editor: open "Options Layers",
// find it among the windows of the editor's user-interface thread, make its
// list show, read each row's name and type text out of the editor's process
// and hand them on row by row, then close the dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "cadlink/editor_link.h"

namespace cadlink {

// Takes one row of the list: the layer's name and its type text.
using LayerRowSink = std::function<void(const std::wstring& name, const std::wstring& typeText)>;

// The window of thread `thread` titled exactly "Options Layers" (the last
// one the enumeration visits when there are several); null for none.
HWND findLayersDialog(EditorLink& link, DWORD thread);

// Reads the layer list of the link's editor, handing each row to `addRow`
// in the list's order. Returns the "Options Layers" dialog it worked with,
// null when none opened. The waits end at their try limits or when the
// editor is gone; a dialog that never opens reads nothing. When the editor's
// process cannot be opened, or its memory cannot be reserved, written or
// read, the readout stops, the dialog is closed and base::AppError tells
// what failed.
HWND readLayerList(EditorLink& link, const LayerRowSink& addRow);

}  // namespace cadlink
