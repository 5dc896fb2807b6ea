// The retrying search's pacing, run against a fake clock: one delay before
// every lookup, the try limit, and the early end when the editor is gone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cadlink/retry_search.h"

namespace {

// Records every sleep and lookup in one event list, so the order is checked.
struct FakeEditor {
  std::vector<std::string> events;
  int64_t clockMs = 0;
  int foundAtLookup = 0;     // 0: never
  int aliveUntilLookup = 0;  // 0: alive for ever
  int lookups = 0;

  cadlink::SleepFn sleeper() {
    return [this](int32_t ms) {
      events.push_back("sleep " + std::to_string(ms));
      clockMs += ms;
    };
  }
  cadlink::LookupFn lookup() {
    return [this]() -> uintptr_t {
      ++lookups;
      events.push_back("lookup");
      return lookups == foundAtLookup ? 0x1234 : 0;
    };
  }
  cadlink::AliveFn alive() {
    return [this] { return aliveUntilLookup == 0 || lookups < aliveUntilLookup; };
  }
};

TEST(RetrySearch, WindowThatExistsCostsOneDelayAndOneLookup) {
  FakeEditor f;
  f.foundAtLookup = 1;
  EXPECT_EQ(cadlink::retrySearch(10, f.sleeper(), f.lookup(), f.alive()), 0x1234u);
  EXPECT_EQ(f.events, (std::vector<std::string>{"sleep 10", "lookup"}));
  EXPECT_EQ(f.clockMs, 10);
}

TEST(RetrySearch, EveryLookupIsPrecededByExactlyOneDelay) {
  FakeEditor f;
  f.foundAtLookup = 4;
  EXPECT_EQ(cadlink::retrySearch(7, f.sleeper(), f.lookup(), f.alive()), 0x1234u);
  ASSERT_EQ(f.events.size(), 8u);
  for (size_t i = 0; i < f.events.size(); i += 2) {
    EXPECT_EQ(f.events[i], "sleep 7");
    EXPECT_EQ(f.events[i + 1], "lookup");
  }
  EXPECT_EQ(f.clockMs, 28);
}

TEST(RetrySearch, WindowThatNeverComesCostsExactlyTheTryLimit) {
  struct Case {
    int32_t delay;
    int32_t sleptEach;
  };
  for (Case c : {Case{10, 10}, Case{0, 0}, Case{-5, 0}}) {
    FakeEditor f;
    EXPECT_EQ(cadlink::retrySearch(c.delay, f.sleeper(), f.lookup(), f.alive()), 0u);
    EXPECT_EQ(f.lookups, cadlink::kSearchTries) << "delay " << c.delay;
    EXPECT_EQ(f.clockMs, int64_t{c.sleptEach} * cadlink::kSearchTries) << "delay " << c.delay;
    EXPECT_EQ(f.events.size(), 2u * cadlink::kSearchTries);
  }
}

TEST(RetrySearch, FoundOnTheLastTryStillCounts) {
  FakeEditor f;
  f.foundAtLookup = cadlink::kSearchTries;
  EXPECT_EQ(cadlink::retrySearch(1, f.sleeper(), f.lookup(), f.alive()), 0x1234u);
  EXPECT_EQ(f.lookups, cadlink::kSearchTries);
}

TEST(RetrySearch, EndsAsSoonAsTheEditorIsGone) {
  FakeEditor f;
  f.aliveUntilLookup = 3;  // the editor's window vanishes during the third try
  EXPECT_EQ(cadlink::retrySearch(10, f.sleeper(), f.lookup(), f.alive()), 0u);
  EXPECT_EQ(f.lookups, 3);
  EXPECT_EQ(f.clockMs, 30);
}

TEST(RetrySearch, AFindBeatsTheEditorsEnd) {
  // A window found on the same try in which the editor disappears is still
  // returned: the liveness check only ends a search that found nothing.
  FakeEditor f;
  f.foundAtLookup = 2;
  f.aliveUntilLookup = 2;
  EXPECT_EQ(cadlink::retrySearch(10, f.sleeper(), f.lookup(), f.alive()), 0x1234u);
}

TEST(RetrySearch, WithoutALivenessCheckOnlyTheTryLimitEndsIt) {
  FakeEditor f;
  EXPECT_EQ(cadlink::retrySearch(0, f.sleeper(), f.lookup(), cadlink::AliveFn()), 0u);
  EXPECT_EQ(f.lookups, cadlink::kSearchTries);
}

}  // namespace
