// The switch behind FileFaultForTest (see file_faults.h).
#include "base/file_faults.h"

#include <atomic>

namespace base {

namespace {

constexpr int kNone = -1;

std::atomic<int>& failingStep() {
  static std::atomic<int> step{kNone};
  return step;
}

// Calls of the failing step still let through.
std::atomic<int>& passesLeft() {
  static std::atomic<int> passes{0};
  return passes;
}

}  // namespace

bool fileStepFails(FileStep step) {
  if (failingStep().load() != static_cast<int>(step)) return false;
  int left = passesLeft().load();
  while (left > 0) {
    if (passesLeft().compare_exchange_weak(left, left - 1)) return false;
  }
  return true;
}

FileFaultForTest::FileFaultForTest(FileStep step, int passes)
    : previousStep_(failingStep().load()), previousPasses_(passesLeft().exchange(passes)) {
  failingStep().store(static_cast<int>(step));
}

FileFaultForTest::~FileFaultForTest() {
  failingStep().store(previousStep_);
  passesLeft().store(previousPasses_);
}

}  // namespace base
