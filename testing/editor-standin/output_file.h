// What the output dialogs' "Generate" shares: the count of clicks that plays
// the --output-fault option, and writing a finished file whole (a write that
// fails leaves no file behind).
#pragma once

#include <string>

#include "standin_app.h"

namespace standin {

// Counts one "Generate" click; false when the options make this one fail.
bool takeGenerate(StandinApp& app);

// Writes `bytes` to `path`, replacing a file that is there; false (and no
// file) when it cannot be written.
bool writeOutputFile(const std::wstring& path, const std::string& bytes);

}  // namespace standin
