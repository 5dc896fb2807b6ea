// Waiting without freezing the driver's own window: the thread's messages are
// dispatched while the time runs.
#pragma once

#include <cstdint>

namespace plotrelay {

// Dispatches every pending message, then waits up to `ms` milliseconds,
// dispatching messages as they come. With 0 it only dispatches.
void pumpFor(int32_t ms);

}  // namespace plotrelay
