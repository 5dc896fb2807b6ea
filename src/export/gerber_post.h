// Post-processing of the Gerber files that the plot driver has written:
// one layer-name record ("%LN") left in each file, and a six-line comment
// header naming the maker and the layer's position, type and colours.
// Each file is read once and written once, into a temporary file that then
// replaces it; every line leaves with CR LF.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/line_stream.h"
#include "layers/layer_table_model.h"
#include "export/run_files.h"
#include "export/x2_attributes.h"

namespace exportcore {

// The values of a Gerber file's comment header.
struct GerberStamp {
  int position = 0;                      // table row number - 1
  std::wstring basePosition;             // the row's "Id" text
  int type = -1;                         // CAM layer type index
  int flashColour = -1;                  // palette position, -1 for none
  int lineColour = -1;                   // palette position, -1 for none
  std::vector<std::wstring> attributes;  // file attribute records, after the six lines
};

// One pass over the file: with `removeRepeated`, the first line that starts
// with "%LN" is kept and every later one dropped; with `stamp`, the six
// header lines go above the file's first line. Throws AppError when the file
// cannot be read or the new one cannot be written; the file is then left as
// it was. `readBuffer` is the size of the first read (small values are for
// tests).
void finishGerber(const std::filesystem::path& path, bool removeRepeated, const GerberStamp* stamp,
                  size_t readBuffer = base::kLineBuffer);

// Keeps the first line that starts with "%LN" and drops every later one.
void removeRepeatedLayerNames(const std::filesystem::path& path);
// Puts the six header lines, then the stamp's attribute records, above the
// file's first line.
void stampGerber(const std::filesystem::path& path, const GerberStamp& stamp);

// The header values of table row `row` (1 = first layer row). Throws
// AppError when the row's "Id" cell names no record.
GerberStamp gerberStampOf(const layers::LayerTableModel& table, int row);

// For every exported record of the model whose Gerber file exists (and, with
// `run`, was written by the driver in that run): one "%LN" record left in
// the file.
void keepFirstLayerName(const layers::LayerTableModel& table, const RunFiles* run = nullptr);

// For every exported layer row of the table, in display order, whose Gerber
// file exists (and, with `run`, was written in that run): the comment header
// stamped into the file; with `x2`, followed by the file attributes.
void stampGerberHeaders(const layers::LayerTableModel& table, const RunFiles* run = nullptr,
                        const X2Setup* x2 = nullptr);

}  // namespace exportcore
