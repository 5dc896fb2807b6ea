// Where the program's files are: the directory of the executable (with its
// trailing separator), main.ini, the plot driver, the templates, the manual.
#pragma once

#include <filesystem>
#include <string>

namespace app {

std::wstring exeDir();  // ends with a path separator
std::filesystem::path mainIniPath();
std::wstring manualPath();

}  // namespace app
