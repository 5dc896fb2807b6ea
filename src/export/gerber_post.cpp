// Gerber post-processing (see gerber_post.h).
#include "export/gerber_post.h"

#include <string>
#include <system_error>

#include "base/encoding.h"
#include "base/line_stream.h"
#include "export/export_paths.h"
#include "export/gerber_naming.h"
#include "layers/layer_model.h"

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
  base::rewriteFile(path, [&header](base::LineReader& reader, base::LineWriter& writer) {
    for (const std::wstring& text : header) {
      writer.writeLine(base::encodeText(text, reader.encoding()));
    }
    std::string_view line;
    while (reader.next(line)) writer.writeLine(line);
  });
}

}  // namespace exportcore

void grbcheck(const exportcore::RunFiles* run) {
  for (const Tlayer& layer : layers) {
    if (!layer.exported() || !exportcore::toWorkOn(layer.gerbername, run)) continue;
    exportcore::removeRepeatedLayerNames(exportcore::toPath(layer.gerbername));
  }
}

void SineGrb(const MainFormModel& form, const exportcore::RunFiles* run) {
  const widgets::GridModel& grid = form.AdvStringGrid1;
  for (int row = 1; row < grid.rowCount(); ++row) {
    const Tlayer& layer = exportcore::rowLayer(grid, row);
    if (!layer.exported() || !exportcore::toWorkOn(layer.gerbername, run)) continue;
    exportcore::GerberStamp stamp;
    stamp.position = row - 1;
    stamp.basePosition = grid.cell(exportcore::kIdColumn, row);
    stamp.type = layer.camType();
    stamp.flashColour = layer.cam.Fcolor ? layer.cam.Fcolor->itemIndex() : -1;
    stamp.lineColour = layer.cam.Lcolor ? layer.cam.Lcolor->itemIndex() : -1;
    exportcore::stampGerber(exportcore::toPath(layer.gerbername), stamp);
  }
}
