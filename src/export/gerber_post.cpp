// Gerber post-processing (see gerber_post.h).
#include "export/gerber_post.h"

#include <string>
#include <system_error>

#include "base/encoding.h"
#include "base/line_stream.h"
#include "export/export_paths.h"
#include "export/fab_package.h"
#include "export/gerber_naming.h"
#include "layers/layer_model.h"
#include "layers/layer_table.h"

namespace exportcore {

namespace {

bool fileExists(const std::wstring& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(toPath(path), ec);
}

// Whether a Gerber file is one to work on: present, and new when the run is known.
bool toWorkOn(const std::wstring& path, const RunFiles* run) {
  return run ? run->writtenInRun(path) : fileExists(path);
}

}  // namespace

void removeRepeatedLayerNames(const std::filesystem::path& path) {
  base::rewriteFile(path, [](base::LineReader& reader, base::LineWriter& writer) {
    const size_t unit = reader.unitSize();
    bool seen = false;
    std::string_view line;
    while (reader.next(line)) {
      if (base::lineStartsWith(line, unit, "%LN")) {
        if (seen) continue;
        seen = true;
      }
      writer.writeLine(line);
    }
  });
}

void stampGerber(const std::filesystem::path& path, const GerberStamp& stamp) {
  const std::wstring header[] = {
      L"G04 Korvant TAVROLIN*",
      L"G04 layer position = " + std::to_wstring(stamp.position) + L"*",
      L"G04 layer base position = " + stamp.basePosition + L"*",
      L"G04 layer type = " + std::to_wstring(stamp.type) + L"*",
      L"G04 layer flash color = " + std::to_wstring(stamp.flashColour) + L"*",
      L"G04 layer line color = " + std::to_wstring(stamp.lineColour) + L"*"};
  base::rewriteFile(path, [&header, &stamp](base::LineReader& reader, base::LineWriter& writer) {
    for (const std::wstring& text : header) {
      writer.writeLine(base::encodeText(text, reader.encoding()));
    }
    for (const std::wstring& text : stamp.attributes) {
      writer.writeLine(base::encodeText(text, reader.encoding()));
    }
    std::string_view line;
    while (reader.next(line)) writer.writeLine(line);
  });
}

void keepFirstLayerName(const layers::LayerTableModel& table, const RunFiles* run) {
  for (const layers::LayerRow& layer : table.rows) {
    if (!layer.exported() || !toWorkOn(layer.gerberPath, run)) continue;
    removeRepeatedLayerNames(toPath(layer.gerberPath));
  }
}

void stampGerberHeaders(const layers::LayerTableModel& table, const RunFiles* run,
                        const X2Setup* x2) {
  const std::vector<int> copper = copperNumbers(table);
  for (int row = 1; row < table.grid.rowCount(); ++row) {
    const layers::LayerRow& layer = rowLayer(table, row);
    if (!layer.exported() || !toWorkOn(layer.gerberPath, run)) continue;
    GerberStamp stamp;
    stamp.position = row - 1;
    stamp.basePosition = table.grid.cell(layers::kColId, row);
    stamp.type = layer.camType();
    stamp.flashColour = layer.cam.flashColour ? layer.cam.flashColour->itemIndex() : -1;
    stamp.lineColour = layer.cam.lineColour ? layer.cam.lineColour->itemIndex() : -1;
    if (x2)
      stamp.attributes =
          gerberAttributeLines(attributeValues(*x2, rowFileFunction(table, row, *x2, copper)));
    stampGerber(toPath(layer.gerberPath), stamp);
  }
}

}  // namespace exportcore
