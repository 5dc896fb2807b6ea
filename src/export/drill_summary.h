// Reads an N/C drill file back for the board house's readme: its units and,
// per tool, the diameter and the number of holes. Only what the file itself
// says counts, so the readme tells what the board house will drill.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace exportcore {

struct DrillTool {
  int number = 0;
  double diameter = 0;  // in the units in force where the tool is defined
  bool inch = false;    // those units
  int holes = 0;
};

struct DrillSummary {
  std::vector<DrillTool> tools;  // in the order the file defines them

  int totalHoles() const;
};

// The summary of a drill file's text; none when the text is no drill file
// this reader understands: no "M48" header, a hole before any tool is
// selected, a tool selected that was never defined, or a diameter that is
// no number. Diameters without a decimal point are read by the zero mode
// of the units line ("LZ": leading zeros kept, "TZ": trailing zeros kept).
std::optional<DrillSummary> summariseDrill(std::string_view text);

// The same for a file; none when it cannot be read.
std::optional<DrillSummary> readDrillSummary(const std::filesystem::path& path);

}  // namespace exportcore
