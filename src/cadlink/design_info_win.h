// The design's directory and file name, read out of the editor's
// "Design Info" dialog. Each call opens and closes the dialog on its own.
// Both fields are read whole, however long.
#pragma once

#include <string>

#include "cadlink/editor_link.h"

namespace cadlink {

// The directory text; "c:\" when the dialog shows none. `whole` (if given)
// tells whether the field was read whole: false when the dialog never
// opened or the field did not answer, and then "c:\" is no more than a
// stand-in for a directory that is not known.
std::wstring readDesignDir(EditorLink& link, bool* whole = nullptr);
// The file name with its extension; possibly empty.
std::wstring readDesignFileName(EditorLink& link);

}  // namespace cadlink
