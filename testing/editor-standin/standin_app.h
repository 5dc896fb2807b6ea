// What every window of the stand-in shares: the options, the open board,
// the journal, the origin tracker, the launcher that opens dialogs and the
// output dialogs' shared state.
#pragma once

#include <windows.h>

#include "board.h"
#include "journal.h"
#include "message_origin.h"
#include "options.h"
#include "output_job.h"

namespace standin {

class DialogLauncher;

struct StandinApp {
  HINSTANCE instance = nullptr;
  Options options;
  Board board;
  Journal journal;
  MessageOrigin origin;
  DialogLauncher* launcher = nullptr;         // set while the main window exists
  unsigned generates = 0;                     // "Generate" clicks of the output dialogs so far
  OutputUnits outputUnits = OutputUnits::Mm;  // of the last Gerber file; drill files follow
};

}  // namespace standin
