// Reading a board description file (UTF-8) from disk.
#pragma once

#include <string>

#include "board.h"

namespace standin {

// Throws std::runtime_error when the file cannot be read, BoardFormatError
// when its content is wrong.
Board loadBoardFile(const std::wstring& path);

}  // namespace standin
