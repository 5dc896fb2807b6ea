// The program's command line: "-h" followed by the editor main window's
// handle in decimal; every other argument is ignored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace app {

// Scans `args` (without the program's own path) from the first argument on
// and returns the editor handle it names, `current` when it names none. The
// scan ends at the first empty argument; the value after "-h" is itself
// looked at as a possible option; the last readable "-h" wins.
uint32_t scanEditorHandle(const std::vector<std::wstring>& args, uint32_t current);

}  // namespace app
