// The retrying search behind the editor primitives: sleep, look once, and
// repeat until something is found, the try limit is spent, or the editor's
// main window is gone. Portable: the sleep, the lookup and the liveness
// check are handed in, so the pacing can be tested with a fake clock.
#pragma once

#include <cstdint>
#include <functional>

namespace cadlink {

// Lookups per search, for window and control searches alike.
constexpr int kSearchTries = 1000;

using SleepFn = std::function<void(int32_t ms)>;
using LookupFn = std::function<uintptr_t()>;
using AliveFn = std::function<bool()>;

// Sleeps `delay` ms before every lookup (a negative delay counts as 0) and
// returns the first non-zero lookup result. Returns 0 after kSearchTries
// lookups, or at once after a failed lookup when `editorAlive` (if given)
// says the editor's main window no longer exists.
uintptr_t retrySearch(int32_t delay, const SleepFn& sleep, const LookupFn& lookup,
                      const AliveFn& editorAlive);

// How many single lookups a link has made, for tests and measurements.
struct LookupCounters {
  uint64_t windowSearches = 0;  // window searches, the layer dialog's wait included
  uint64_t windowLookups = 0;   // FindWindowExW calls and layer dialog enumerations
  uint64_t controlSearches = 0;
  uint64_t controlLookups = 0;  // GetDlgItem calls
};

}  // namespace cadlink
