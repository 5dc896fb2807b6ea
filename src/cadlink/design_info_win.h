// The design's directory and file name, read out of the editor's
// "Design Info" dialog. Each call opens and closes the dialog on its own.
#pragma once

#include <windows.h>

#include <string>

namespace cadlink {

// The directory text; "c:\" when the dialog shows none.
std::wstring getcadput(HWND h);
// The file name with its extension; possibly empty.
std::wstring getcadname(HWND h);

}  // namespace cadlink
