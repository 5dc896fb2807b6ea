// The package for the board house after an export: where each exported
// layer stands in the copper stack, the file function its attributes name,
// and the archive D + B + "_fab.zip" with the export's Gerber files, the
// kept drill files and the readme B + "_readme.txt".
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "export/drill_check.h"
#include "export/run_files.h"
#include "export/x2_attributes.h"
#include "layers/layer_table_model.h"

namespace exportcore {

// The copper layer number of every table row (indexed by row number): the
// exported rows of the metal group numbered from 1 in display order, 0 for
// every other row.
std::vector<int> copperNumbers(const layers::LayerTableModel& table);

// The file function of a row: its CAM type's mapping in [x2], with the
// copper layer number put in; empty when the type has no mapping.
std::wstring rowFileFunction(const layers::LayerTableModel& table, int row, const X2Setup& setup,
                             const std::vector<int>& copper);

// The file function of a drill file: "Plated,1,4,PTH"; the single drill
// file of a board without pairs goes through all copper layers. Empty when
// a row of its pair is no copper layer.
std::wstring drillFileFunction(const layers::DrillFile& drill, const std::vector<int>& copper);

// Puts the attribute comments after the first line of every kept drill file.
void stampDrillAttributes(const layers::LayerTableModel& table, const std::vector<KeptDrill>& kept,
                          const X2Setup& setup);

struct FabSource {
  std::wstring designName;     // the design's file name with its extension
  std::wstring editorVersion;  // "2004, сборка 215"
  std::time_t when = 0;        // the export's time
};

struct FabOutcome {
  std::wstring archive;               // the archive's path
  std::vector<std::wstring> missing;  // "path: why", per Gerber file left out
};

// Writes the archive into the table's output directory through a temporary
// file. A Gerber file that is absent, or (with `run`) was not written in
// that run and so is left from an earlier export, is left out and named in
// the readme and in `missing`. Throws AppError (Russian) when the archive cannot be written; the
// exported files are never changed.
FabOutcome writeFabArchive(const layers::LayerTableModel& table, const std::vector<KeptDrill>& kept,
                           const FabSource& source, const RunFiles* run = nullptr);

// The message that names the Gerber files the archive lacks, one a line.
std::wstring missingGerberText(const std::vector<std::wstring>& missing);

}  // namespace exportcore
