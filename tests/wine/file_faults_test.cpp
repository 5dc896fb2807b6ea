// The file layer's error branches on Windows: the table of the unit tests,
// with the platform's own file calls under every step that is not failed.
#include "../unit/file_fault_table.h"
#include "harness.h"

TEST(FileFaults, EveryWriterReportsEachFailedStepAndLeavesNothingBehind) {
  filefaults::runFileFaultTable(harness::freshDir(L"file_faults"));
}
