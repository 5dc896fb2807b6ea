// The stand-in's message loop. WM_COMMAND and WM_CLOSE taken from the queue
// come from outside (the stand-in never posts them to itself) and are
// dispatched marked as posted, so the windows journal them.
#pragma once

#include "message_origin.h"

namespace standin {

int runMessageLoop(MessageOrigin& origin);

}  // namespace standin
