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

}  // namespace

bool fileStepFails(FileStep step) { return failingStep().load() == static_cast<int>(step); }

FileFaultForTest::FileFaultForTest(FileStep step)
    : previous_(failingStep().exchange(static_cast<int>(step))) {}

FileFaultForTest::~FileFaultForTest() { failingStep().store(previous_); }

}  // namespace base
