// The job description writer (see job_writer.h). The whole job is built in
// memory as a list of lines M and written once at the end.
#include "export/job_writer.h"

#include <optional>
#include <vector>

#include "base/error.h"
#include "base/path_text.h"
#include "base/text_file.h"
#include "export/export_paths.h"
#include "export/gerber_naming.h"
#include "export/profile_rewrite.h"
#include "layers/layer_model.h"

namespace exportcore {
namespace {

using Lines = std::vector<std::wstring>;
using layers::LayerRow;

const wchar_t* const kLayerInit = L"#layerinit#";
const wchar_t* const kLayers = L"#layers#";
const wchar_t* const kDrillInit = L"#drillinit#";
const wchar_t* const kDrills = L"#drills#";

// Lines of the per-layer and per-drill templates that get a value appended.
constexpr int kLayerNameLine = 8;
constexpr int kLayerExtLine = 9;
constexpr int kLayerOffsetXLine = 11;
constexpr int kLayerOffsetYLine = 12;
constexpr int kLayerFirstClassLine = 14;
constexpr size_t kLayerTemplateLines = 23;
constexpr int kDrillPairLine = 7;
constexpr int kDrillOffsetXLine = 9;
constexpr int kDrillOffsetYLine = 10;
constexpr int kDrillLayersLine = 12;
constexpr size_t kDrillTemplateLines = 13;
constexpr int kSingleDrillOffsetXLine = 2;
constexpr int kSingleDrillOffsetYLine = 3;
constexpr size_t kSingleDrillTemplateLines = 4;
constexpr size_t kMainTemplateLines = 4;

base::TextFile readTemplate(const std::wstring& name, size_t minLines) {
  base::TextFile file;
  try {
    file = base::readTextFile(toPath(name));
  } catch (const base::AppError&) {
    throw base::AppError(L"Не удалось прочитать шаблон задания \"" + name + L"\".");
  }
  if (file.lines.size() < minLines) {
    throw base::AppError(L"В шаблоне задания \"" + name + L"\" меньше " +
                         std::to_wstring(minLines) + L" строк.");
  }
  return file;
}

bool isMarker(const std::wstring& line, const wchar_t* marker) {
  const std::wstring_view m(marker);
  if (line.size() != m.size()) return false;
  for (size_t i = 0; i < m.size(); ++i) {
    const wchar_t c = line[i] >= L'A' && line[i] <= L'Z' ? line[i] + (L'a' - L'A') : line[i];
    if (c != m[i]) return false;
  }
  return true;
}

// Position of the first line that is the marker; -1 when there is none.
long findMarker(const Lines& lines, const wchar_t* marker) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (isMarker(lines[i], marker)) return static_cast<long>(i);
  }
  return -1;
}

void checkMarkers(const Lines& lines, const std::wstring& name) {
  for (const wchar_t* marker : {kLayerInit, kLayers, kDrillInit, kDrills}) {
    if (findMarker(lines, marker) < 0) {
      throw base::AppError(L"В шаблоне задания \"" + name + L"\" нет строки \"" + marker + L"\".");
    }
  }
  const std::pair<const wchar_t*, const wchar_t*> orders[] = {{kLayerInit, kLayers},
                                                              {kDrillInit, kDrills}};
  for (const auto& [upper, lower] : orders) {
    if (findMarker(lines, upper) > findMarker(lines, lower)) {
      throw base::AppError(L"В шаблоне задания \"" + name + L"\" строка \"" + upper +
                           L"\" должна стоять выше строки \"" + lower + L"\".");
    }
  }
}

void insertAbove(Lines& lines, const wchar_t* marker, const Lines& block) {
  const long at = findMarker(lines, marker);
  lines.insert(lines.begin() + at, block.begin(), block.end());
}

bool isConductive(const LayerRow& layer) {
  return layer.editor.layerClass < layers::kNonSignalLayer;
}

bool boxChecked(const widgets::CheckBox* box) { return box && box->checked(); }

// Everything one run of the writer works with.
struct JobBuild {
  layers::LayerTableModel& table;
  std::wstring dir;       // D
  std::wstring baseName;  // B
  std::wstring prefix;    // P
  std::wstring offsetX;
  std::wstring offsetY;
  Lines job;  // M
  std::optional<Lines> layerTemplate;
  std::optional<Lines> drillTemplate;

  const Lines& layerLines() {
    if (!layerTemplate) layerTemplate = readTemplate(prefix + L"_l.ini", kLayerTemplateLines).lines;
    return *layerTemplate;
  }
  const Lines& drillLines() {
    if (!drillTemplate) drillTemplate = readTemplate(prefix + L"_d.ini", kDrillTemplateLines).lines;
    return *drillTemplate;
  }

  void addLayerBlock(const LayerRow& layer, const std::wstring& ext) {
    Lines block = layerLines();
    block[kLayerNameLine] += layer.editor.name;
    block[kLayerExtLine] += ext;
    block[kLayerOffsetXLine] += offsetX;
    block[kLayerOffsetYLine] += offsetY;
    for (int k = 0; k < layers::kObjectClassCount; ++k) {
      block[kLayerFirstClassLine + k] += flagText(boxChecked(layer.editor.box(k)));
    }
    block.insert(block.begin(), {L" ", L"[" + layer.editor.name + L"]"});
    insertAbove(job, kLayers, block);
    insertAbove(job, kLayerInit, {layer.editor.name + L" = r*" + layer.editor.name});
  }

  // The drill pairs that start at row i: one for every exported conductive
  // row below it, each with the list of all conductive rows from i to it.
  void addDrillBlocks(int i, const std::wstring& firstName) {
    Lines pair = drillLines();
    pair[kDrillOffsetXLine] += offsetX;
    pair[kDrillOffsetYLine] += offsetY;
    pair[kDrillLayersLine] += firstName;
    for (int j = i + 1; j < table.grid.rowCount(); ++j) {
      const LayerRow& other = rowLayer(table, j);
      if (!isConductive(other)) continue;
      pair[kDrillLayersLine] += L"%" + other.editor.name;
      if (!other.exported()) continue;
      const std::wstring rows = std::to_wstring(i) + std::to_wstring(j);
      const std::wstring ext = std::to_wstring(i) + L"_" + std::to_wstring(j);
      Lines block = pair;
      block[kDrillPairLine] += ext;
      block.insert(block.begin(), {L" ", L"[" + rows + firstName + L"]"});
      insertAbove(job, kDrills, block);
      insertAbove(job, kDrillInit, {rows + other.editor.name + L" = r*" + rows + firstName});
      table.drills.push_back({i, j, dir + baseName + L"." + ext});
    }
  }

  void addSingleDrill() {
    Lines block = readTemplate(prefix + L"_dl.ini", kSingleDrillTemplateLines).lines;
    block[kSingleDrillOffsetXLine] += offsetX;
    block[kSingleDrillOffsetYLine] += offsetY;
    insertAbove(job, kDrillInit, block);
    table.drills.push_back({-1, -1, dir + baseName + L".TXT"});
  }
};

}  // namespace

void writeJobDescription(layers::LayerTableModel& table, const std::wstring& jobPath,
                         const JobSource& source) {
  JobBuild build{table,
                 base::directoryPart(jobPath),
                 designBaseName(source.designName),
                 source.macroDir + source.editorVersion + L"_" + source.editorBuild,
                 table.offsetX.text(),
                 table.offsetY.text(),
                 {},
                 std::nullopt,
                 std::nullopt};
  const std::wstring mainName = build.prefix + (table.inch ? L"_inch.ini" : L".ini");
  base::TextFile mainFile = readTemplate(mainName, kMainTemplateLines);
  checkMarkers(mainFile.lines, mainName);
  build.job = std::move(mainFile.lines);
  table.drills.clear();
  for (int i = 1; i < table.grid.rowCount(); ++i) {
    LayerRow& layer = rowLayer(table, i);
    if (!layer.exported()) continue;
    const std::wstring ext = gerberExtension(table, i);
    layer.gerberPath = build.dir + build.baseName + L"." + ext;
    build.addLayerBlock(layer, ext);
    if (isConductive(layer)) build.addDrillBlocks(i, layer.editor.name);
  }
  if (table.drills.empty()) build.addSingleDrill();
  for (const wchar_t* marker : {kDrillInit, kDrills, kLayerInit, kLayers}) {
    build.job.erase(build.job.begin() + findMarker(build.job, marker));
  }
  appendToProfileKey(build.job, L"OutputPathID", build.dir);
  mainFile.lines = std::move(build.job);
  base::writeTextFile(toPath(jobPath), mainFile);
}

}  // namespace exportcore
