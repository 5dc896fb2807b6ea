// The readme that goes into the board house's archive: the design, the
// export's units and Gerber number format, one line per Gerber file with its
// layer, type and place in the stack, and one block per drill file with its
// tools, diameters and hole counts as the drill file itself gives them.
// Russian, UTF-8 with a byte-order mark, CR LF line ends.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "export/drill_summary.h"

namespace exportcore {

struct ReadmeGerber {
  std::wstring file;      // name in the archive
  std::wstring layer;     // the editor's layer name
  std::wstring type;      // the CAM layer type's name
  std::wstring position;  // "L1" ... for metal layers, empty for the others
  std::wstring absence;   // why the file is not in the archive; empty when it is
};

struct ReadmeDrill {
  std::wstring file;
  std::wstring pair;                    // "Top - Bottom (L1-L4)"
  std::optional<DrillSummary> summary;  // none when the file could not be read
};

struct ReadmeInfo {
  std::wstring design;
  std::wstring directory;
  std::wstring dateTime;
  std::wstring editorVersion;
  bool inch = false;          // the export's units
  std::wstring gerberFormat;  // as the Gerber files give it
  std::vector<ReadmeGerber> gerbers;
  std::vector<ReadmeDrill> drills;
};

// The readme's text, lines joined with CR LF.
std::wstring readmeText(const ReadmeInfo& info);
// The readme's bytes: a UTF-8 byte-order mark and the text.
std::string readmeBytes(const ReadmeInfo& info);

// The number format a Gerber file declares ("%FS..." and "%MO..."), in
// words: "X 3.4, Y 3.4; ведущие нули опущены; абсолютные координаты; мм".
// None when the file cannot be read or declares no format.
std::optional<std::wstring> gerberNumberFormat(const std::filesystem::path& path);

}  // namespace exportcore
