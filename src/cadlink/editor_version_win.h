// The editor's build number, read from the build window that a command to
// its main window opens. Two readers: the link's (start-up, main set of
// primitives, closes the window with IDOK) and the chooser's for a
// candidate editor (candidate set, closes the window with WM_CLOSE until it
// is gone). The version number itself comes from the title:
// versionFromTitle in editor_protocol.h.
#pragma once

#include <windows.h>

#include <cstdint>

#include "cadlink/editor_link.h"

namespace cadlink {

// Build number of the link's editor, of version `version`; -1, with nothing
// sent, when the version is not recognised. A build text that is not a
// number raises base::AppError.
int32_t readEditorBuild(EditorLink& link, int32_t version);

// The same for the candidate editor `candidate`, counted in `link`.
int32_t readCandidateBuild(EditorLink& link, HWND candidate, int32_t version);

}  // namespace cadlink
