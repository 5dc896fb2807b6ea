// Changes to the loaded board that the command line asks for: another design
// directory, empty fields, overlong texts.
#pragma once

#include "board.h"
#include "options.h"

namespace standin {

// Length of the overlong texts of --long-texts.
constexpr size_t kLongDirLength = 210;
constexpr size_t kLongLayerNameLength = 300;
constexpr size_t kLongSwellLength = 205;

void applyBoardOptions(const Options& options, Board& board);

}  // namespace standin
