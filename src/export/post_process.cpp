// One export's post-processing (see post_process.h).
//
// The files end up as the three steps clean-up, drill check, header stamp
// leave them when run one after the other: the header's values come from the
// layer table alone, and the drill check reads, moves and deletes only drill
// files. So a Gerber file that is no drill file gets its clean-up and its
// header in one pass before the check. A Gerber file that is also a drill
// file (the single drill file B.TXT and a layer of type "txt" where names
// ignore case) keeps the separate steps: cleaned before the check, which
// then reads it and moves or deletes it, and stamped after it only when it
// is still there. A Gerber file the driver did not write is left alone even
// when the drill check then moves a drill file to its name: that file is no
// Gerber file and gets no Gerber header. When a step fails and raises its
// error, the Gerber files worked before it already carry their header.
#include "export/post_process.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <utility>

#include "export/drill_check.h"
#include "export/export_paths.h"
#include "export/fab_package.h"
#include "export/gerber_naming.h"
#include "export/gerber_post.h"
#include "layers/layer_model.h"

namespace exportcore {

namespace {

struct GerberJob {
  std::wstring path;
  std::optional<GerberStamp> stamp;  // none: a record outside the table's rows
  bool drillFile = false;
};

// Whether the path texts name the same file where names ignore case. Both
// texts come from the same output folder and design name, so the text tells;
// a Gerber file taken for a drill file where names keep their case only goes
// the way of separate steps, which leaves it the same.
bool isDrillFile(const std::wstring& path, const std::vector<layers::DrillFile>& drills) {
  const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; };
  for (const layers::DrillFile& drill : drills) {
    if (std::equal(path.begin(), path.end(), drill.path.begin(), drill.path.end(),
                   [&](wchar_t a, wchar_t b) { return lower(a) == lower(b); })) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<std::wstring> finishExportFiles(const layers::LayerTableModel& table,
                                            bool removeRepeated, const RunFiles* run,
                                            const X2Setup* x2, std::vector<KeptDrill>* kept) {
  // The rows in display order get a header; a row whose "Id" names no
  // record ends the stamping there, and its error is raised after the drill
  // check, where the stamp step raised it.
  std::vector<GerberJob> jobs;
  std::vector<bool> inTable(table.rows.size(), false);
  std::exception_ptr rowError;
  const std::vector<int> copper = x2 ? copperNumbers(table) : std::vector<int>();
  try {
    for (int row = 1; row < table.grid.rowCount(); ++row) {
      const size_t index = static_cast<size_t>(rowLayerIndex(table, row));
      inTable[index] = true;
      const layers::LayerRow& layer = table.rows[index];
      if (!layer.exported() || !toWorkOn(layer.gerberPath, run)) continue;
      GerberStamp stamp = gerberStampOf(table, row);
      if (x2) {
        stamp.attributes =
            gerberAttributeLines(attributeValues(*x2, rowFileFunction(table, row, *x2, copper)));
      }
      jobs.push_back({layer.gerberPath, std::move(stamp)});
    }
  } catch (...) {
    rowError = std::current_exception();
  }
  if (removeRepeated) {
    for (size_t i = 0; i < table.rows.size(); ++i) {
      const layers::LayerRow& layer = table.rows[i];
      if (inTable[i] || !layer.exported() || !toWorkOn(layer.gerberPath, run)) continue;
      jobs.push_back({layer.gerberPath, std::nullopt});
    }
  }
  for (GerberJob& job : jobs) {
    job.drillFile = isDrillFile(job.path, table.drills);
    if (!job.drillFile) {
      finishGerber(toPath(job.path), removeRepeated, job.stamp ? &*job.stamp : nullptr);
    } else if (removeRepeated) {
      removeRepeatedLayerNames(toPath(job.path));
    }
  }
  std::vector<std::wstring> failures = finishDrillFiles(table.drills, run, kept);
  for (const GerberJob& job : jobs) {
    if (job.drillFile && job.stamp && toWorkOn(job.path, run))
      stampGerber(toPath(job.path), *job.stamp);
  }
  if (rowError) std::rethrow_exception(rowError);
  return failures;
}

}  // namespace exportcore
