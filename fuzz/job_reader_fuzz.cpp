// Fuzz target: the plot driver's job reader on any file bytes. The run lists
// are named without blanks or commas; every block comes from a run list that
// has a section, every run list without one is reported, and the search
// tries are positive.
#include <fuzzer/FuzzedDataProvider.h>

#include "base/encoding.h"
#include "fuzz_support.h"
#include "plotrelay/plotrelay_job.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  base::setAnsiTable(in.ConsumeBool() ? base::cp1251Table() : base::cp1252Table());
  const fuzz::fs::path file = fuzz::scratchDir() / "pcad.ini";
  fuzz::writeBytes(file, in.ConsumeRemainingBytesAsString());
  const plotrelay::Job job = plotrelay::Job::read(file);

  const plotrelay::JobSettings settings = job.settings();
  FUZZ_CHECK(settings.windowTries >= 1 && settings.controlTries >= 1);
  size_t missingWanted = 0;
  for (const std::wstring& list : settings.runLists) {
    FUZZ_CHECK(!list.empty() && list.find(L',') == std::wstring::npos);
    FUZZ_CHECK(plotrelay::trimBlanks(list) == list);
    if (!job.section(list)) ++missingWanted;
  }
  std::vector<std::wstring> missing;
  const std::vector<plotrelay::BlockRef> blocks = job.blocks(&missing);
  FUZZ_CHECK(missing.size() == missingWanted);
  for (const plotrelay::BlockRef& block : blocks) {
    const plotrelay::JobSection* list = job.section(block.runList);
    FUZZ_CHECK(list != nullptr);
    const auto value = list->find(block.label);
    FUZZ_CHECK(value.has_value());
    FUZZ_CHECK(plotrelay::trimBlanks(block.section) == block.section);
  }
  return 0;
}
