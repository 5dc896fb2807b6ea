// The editor's build number, read from the build window that a command to
// its main window opens. Two copies: the main one (start-up, main set of
// primitives, closes the window with IDOK) and the chooser's (chooser set,
// closes the window with WM_CLOSE until it is gone). The version number
// itself comes from the title: getversion in editor_protocol.h.
#pragma once

#include <windows.h>

#include <cstdint>

#include "cadlink/editor_protocol.h"

namespace cadlink {

// Build number of editor `h` of version `v`; -1, with nothing sent, when the
// version is not recognised. A build text that is not a number raises
// base::AppError.
int32_t getbild(HWND h, int32_t v);

namespace chooser {
int32_t getbild(HWND h, int32_t v);
}  // namespace chooser

}  // namespace cadlink
