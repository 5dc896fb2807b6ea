// What every window of the stand-in shares: the options, the open board,
// the journal, the origin tracker and the launcher that opens dialogs.
#pragma once

#include <windows.h>

#include "board.h"
#include "journal.h"
#include "message_origin.h"
#include "options.h"

namespace standin {

class DialogLauncher;

struct StandinApp {
  HINSTANCE instance = nullptr;
  Options options;
  Board board;
  Journal journal;
  MessageOrigin origin;
  DialogLauncher* launcher = nullptr;  // set while the main window exists
};

}  // namespace standin
