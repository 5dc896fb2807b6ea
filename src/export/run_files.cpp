// Output files written in one export run (see run_files.h).
#include "export/run_files.h"

#include <system_error>

#include "export/export_paths.h"
#include "layers/layer_model.h"

namespace exportcore {

namespace fs = std::filesystem;

namespace {

std::wstring fileNameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

RunFiles::State RunFiles::stateOf(const std::wstring& path) {
  State state;
  std::error_code ec;
  const fs::path p = toPath(path);
  if (path.empty() || !fs::is_regular_file(p, ec)) return state;
  state.size = fs::file_size(p, ec);
  if (ec) state.size = 0;
  state.time = fs::last_write_time(p, ec);
  state.exists = true;
  return state;
}

void RunFiles::noteBefore(const std::vector<std::wstring>& paths) {
  for (const std::wstring& path : paths) before_[path] = stateOf(path);
}

bool RunFiles::writtenInRun(const std::wstring& path) const {
  const State now = stateOf(path);
  if (!now.exists) return false;
  auto it = before_.find(path);
  if (it == before_.end() || !it->second.exists) return true;
  return now.size != it->second.size || now.time != it->second.time;
}

bool toWorkOn(const std::wstring& path, const RunFiles* run) {
  if (run) return run->writtenInRun(path);
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(toPath(path), ec);
}

std::vector<std::wstring> requestedOutputs(const layers::LayerTableModel& table) {
  std::vector<std::wstring> paths;
  for (const layers::LayerRow& layer : table.rows) {
    if (layer.exported() && !layer.gerberPath.empty()) paths.push_back(layer.gerberPath);
  }
  for (const layers::DrillFile& request : table.drills) paths.push_back(request.path);
  return paths;
}

std::vector<std::wstring> outputsNotWritten(const layers::LayerTableModel& table,
                                            const RunFiles& run) {
  std::vector<std::wstring> lines;
  for (const layers::LayerRow& layer : table.rows) {
    if (!layer.exported() || layer.gerberPath.empty() || run.writtenInRun(layer.gerberPath)) {
      continue;
    }
    lines.push_back(layer.editor.name + L" (" + fileNameOf(layer.gerberPath) + L")");
  }
  for (const layers::DrillFile& request : table.drills) {
    if (run.writtenInRun(request.path)) continue;
    lines.push_back(L"сверловка " + std::to_wstring(request.fromRow) + L"-" +
                    std::to_wstring(request.toRow) + L" (" + fileNameOf(request.path) + L")");
  }
  return lines;
}

std::wstring notWrittenText(const std::vector<std::wstring>& lines) {
  std::wstring text = L"Драйвер вывода не записал новые файлы для слоёв:";
  for (const std::wstring& line : lines) text += L"\r" + line;
  text += L"\rЭти файлы не обработаны.";
  return text;
}

}  // namespace exportcore
