// Which output files the plot driver wrote in one export run. The state of
// every requested Gerber and drill file is noted before the driver starts
// and compared after it has ended, so that a file left by an earlier export
// under the same name is not cleaned, stamped or renamed as if it were new.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "layers/layer_table_model.h"

namespace exportcore {

class RunFiles {
 public:
  // Notes the state of each path now: absent, or its size and last write time.
  void noteBefore(const std::vector<std::wstring>& paths);
  // True when the file exists now and was absent before, or its size or its
  // last write time changed. A path that was not noted counts when it exists.
  bool writtenInRun(const std::wstring& path) const;

 private:
  struct State {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time{};
  };
  static State stateOf(const std::wstring& path);

  std::map<std::wstring, State> before_;
};

// Whether an output file is one to work on: present, and with `run`, written
// by the driver in that run.
bool toWorkOn(const std::wstring& path, const RunFiles* run);

// The files an export asks the driver for: the Gerber file of every exported
// record of the model and every drill file of the export.
std::vector<std::wstring> requestedOutputs(const layers::LayerTableModel& table);

// One line per requested file that the driver did not write in this run, in
// the order of the records and then the drill files: "Top (B.GTL)",
// "сверловка 1-4 (B.1_4)".
std::vector<std::wstring> outputsNotWritten(const layers::LayerTableModel& table,
                                            const RunFiles& run);

// The message that tells the operator which layers produced no new file.
std::wstring notWrittenText(const std::vector<std::wstring>& lines);

}  // namespace exportcore
