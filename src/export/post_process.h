// The post-processing of one export's files after the plot driver: each
// Gerber file cleaned of repeated layer-name records and stamped with its
// header in one pass, and the drill files checked.
#pragma once

#include <string>
#include <vector>

#include "export/drill_check.h"
#include "export/run_files.h"
#include "export/x2_attributes.h"
#include "layers/layer_table_model.h"

namespace exportcore {

// Works every exported Gerber file (with `run`, only those the driver wrote
// in that run): with `removeRepeated`, one "%LN" record left; the header
// stamped for the layer rows of the table. Then the drill check
// (finishDrillFiles; `kept` receives the drill files it kept). With `x2`,
// each header is followed by the file's attribute records. Returns the
// drill check's failure texts. Throws
// AppError when a Gerber file cannot be read or written (that file is left
// as it was and the run stops there) or the drill check stops.
std::vector<std::wstring> finishExportFiles(const layers::LayerTableModel& table,
                                            bool removeRepeated, const RunFiles* run,
                                            const X2Setup* x2 = nullptr,
                                            std::vector<KeptDrill>* kept = nullptr);

}  // namespace exportcore
