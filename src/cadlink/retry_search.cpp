// The retrying search behind the editor primitives (see retry_search.h).
#include "cadlink/retry_search.h"

namespace cadlink {

uintptr_t retrySearch(int32_t delay, const SleepFn& sleep, const LookupFn& lookup,
                      const AliveFn& editorAlive) {
  const int32_t pause = delay < 0 ? 0 : delay;
  for (int tries = 1;; ++tries) {
    sleep(pause);
    if (uintptr_t found = lookup()) return found;
    if (tries >= kSearchTries) return 0;
    if (editorAlive && !editorAlive()) return 0;
  }
}

}  // namespace cadlink
