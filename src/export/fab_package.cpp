// The board house's package (see fab_package.h).
#include "export/fab_package.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "base/encoding.h"
#include "base/error.h"
#include "export/export_paths.h"
#include "export/fab_readme.h"
#include "export/gerber_naming.h"
#include "export/zip_writer.h"

namespace exportcore {

namespace {

std::wstring fileNamePart(const std::wstring& path) {
  const size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

std::wstring typeName(const layers::LayerRow& layer) {
  const int type = layer.camType();
  if (!layer.cam.typeBox || type < 0 ||
      type >= static_cast<int>(layer.cam.typeBox->items().size())) {
    return L"";
  }
  return layer.cam.typeBox->items()[static_cast<size_t>(type)];
}

int copperAt(const std::vector<int>& copper, int row) {
  return row >= 0 && row < static_cast<int>(copper.size()) ? copper[static_cast<size_t>(row)] : 0;
}

int copperCount(const std::vector<int>& copper) {
  return copper.empty() ? 0 : *std::max_element(copper.begin(), copper.end());
}

std::wstring pairText(const layers::LayerTableModel& table, const layers::DrillFile& drill,
                      const std::vector<int>& copper) {
  if (drill.fromRow < 0) return L"все слои";
  std::wstring text = rowLayer(table, drill.fromRow).editor.name + L" - " +
                      rowLayer(table, drill.toRow).editor.name;
  const int from = copperAt(copper, drill.fromRow);
  const int to = copperAt(copper, drill.toRow);
  if (from > 0 && to > 0)
    text += L" (L" + std::to_wstring(from) + L"-L" + std::to_wstring(to) + L")";
  return text;
}

std::wstring localTimeText(std::time_t when) {
  const std::wstring iso = isoLocalTime(when);  // "2026-12-09T16:20:05+03:00"
  return iso.substr(0, 10) + L" " + iso.substr(11, 8);
}

}  // namespace

std::vector<int> copperNumbers(const layers::LayerTableModel& table) {
  std::vector<int> numbers(static_cast<size_t>(std::max(table.grid.rowCount(), 1)), 0);
  int next = 1;
  for (int row = 1; row < table.grid.rowCount(); ++row) {
    const layers::LayerRow& layer = rowLayer(table, row);
    if (layer.exported() && layers::groupOf(layer.camType()) == layers::LayerGroup::Metal) {
      numbers[static_cast<size_t>(row)] = next++;
    }
  }
  return numbers;
}

std::wstring rowFileFunction(const layers::LayerTableModel& table, int row, const X2Setup& setup,
                             const std::vector<int>& copper) {
  const auto mapped = setup.functions.find(typeName(rowLayer(table, row)));
  if (mapped == setup.functions.end()) return L"";
  return copperFunction(mapped->second, copperAt(copper, row));
}

std::wstring drillFileFunction(const layers::DrillFile& drill, const std::vector<int>& copper) {
  const int count = copperCount(copper);
  if (count == 0) return L"";
  if (drill.fromRow < 0) return drillFunction(1, count, count);
  const int from = copperAt(copper, drill.fromRow);
  const int to = copperAt(copper, drill.toRow);
  if (from == 0 || to == 0) return L"";
  return drillFunction(from, to, count);
}

void stampDrillAttributes(const layers::LayerTableModel& table, const std::vector<KeptDrill>& kept,
                          const X2Setup& setup) {
  const std::vector<int> copper = copperNumbers(table);
  for (const KeptDrill& drill : kept) {
    insertAfterFirstLine(toPath(drill.path), drillAttributeLines(attributeValues(
                                                 setup, drillFileFunction(drill.request, copper))));
  }
}

FabOutcome writeFabArchive(const layers::LayerTableModel& table, const std::vector<KeptDrill>& kept,
                           const FabSource& source, const RunFiles* run) {
  const std::wstring dir = table.outputDir.text();
  const std::wstring base = designBaseName(source.designName);
  const std::vector<int> copper = copperNumbers(table);
  FabOutcome outcome;
  outcome.archive = dir + base + L"_fab.zip";

  ReadmeInfo info;
  info.design = source.designName;
  info.directory = dir;
  info.dateTime = localTimeText(source.when);
  info.editorVersion = source.editorVersion;
  info.inch = table.inch;
  std::vector<ZipMember> members;
  std::vector<std::wstring> formats;
  for (int row = 1; row < table.grid.rowCount(); ++row) {
    const layers::LayerRow& layer = rowLayer(table, row);
    if (!layer.exported() || layer.gerberPath.empty()) continue;
    ReadmeGerber gerber{fileNamePart(layer.gerberPath), layer.editor.name, typeName(layer), L"",
                        L""};
    if (const int n = copperAt(copper, row)) gerber.position = L"L" + std::to_wstring(n);
    std::error_code ec;
    const std::filesystem::path path = toPath(layer.gerberPath);
    if (!std::filesystem::is_regular_file(path, ec)) {
      gerber.absence = L"файл отсутствует";
    } else if (run && !run->writtenInRun(layer.gerberPath)) {
      gerber.absence = L"файл прошлого экспорта";
    }
    if (gerber.absence.empty()) {
      members.push_back({base::toUtf8(gerber.file), path, {}});
      const std::optional<std::wstring> format = gerberNumberFormat(path);
      if (format && std::find(formats.begin(), formats.end(), *format) == formats.end())
        formats.push_back(*format);
    } else {
      outcome.missing.push_back(layer.gerberPath + L": " + gerber.absence);
    }
    info.gerbers.push_back(gerber);
  }
  for (const std::wstring& format : formats) {
    info.gerberFormat += (info.gerberFormat.empty() ? L"" : L" | ") + format;
  }
  for (const KeptDrill& drill : kept) {
    const std::filesystem::path path = toPath(drill.path);
    info.drills.push_back(
        {fileNamePart(drill.path), pairText(table, drill.request, copper), readDrillSummary(path)});
    members.push_back({base::toUtf8(fileNamePart(drill.path)), path, {}});
  }
  members.push_back({base::toUtf8(base + L"_readme.txt"), {}, readmeBytes(info)});
  writeZip(toPath(outcome.archive), members, source.when);
  return outcome;
}

std::wstring missingGerberText(const std::vector<std::wstring>& missing) {
  std::wstring text = L"Файлы Gerber не вошли в архив:";
  for (const std::wstring& path : missing) text += L"\r" + path;
  return text;
}

}  // namespace exportcore
