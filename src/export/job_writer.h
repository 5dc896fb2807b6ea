// The job description writer: assembles the plot driver's job pcad.ini from
// the job templates of the editor's version and build, one block per
// exported layer and one per drill pair of exported conductive layers, and
// records the Gerber path of every exported row and the requested drill
// files in the model.
#pragma once

#include <string>

#include "layers/layer_table_model.h"

namespace exportcore {

// Where the job's templates are and what the output files are named after.
struct JobSource {
  std::wstring macroDir;       // the templates' folder, ending with a separator
  std::wstring editorVersion;  // the editor's major version, decimal
  std::wstring editorBuild;    // the editor's build number, decimal
  std::wstring designName;     // the design's file name with its extension
};

// Writes the job description `jobPath` (D + "pcad.ini"; D, the output
// directory, is its directory part) from the templates macroDir + version +
// "_" + build + ".ini" / "_inch.ini" / "_l.ini" / "_d.ini" / "_dl.ini".
// Throws AppError naming the template when one cannot be read, is too short
// or lacks a marker line; `jobPath` is then left as it was. The file is
// written once, complete, through a temporary file.
void writeJobDescription(layers::LayerTableModel& table, const std::wstring& jobPath,
                         const JobSource& source);

}  // namespace exportcore
