// The drill file check (see drill_check.h).
#include "export/drill_check.h"

#include <array>
#include <string>
#include <system_error>

#include "base/error.h"
#include "base/file_replace.h"
#include "base/line_stream.h"
#include "base/path_text.h"
#include "export/export_paths.h"
#include "layers/layer_model.h"

namespace exportcore {

namespace fs = std::filesystem;

bool drillFileIsEmpty(const fs::path& path) {
  base::LineReader reader(path);
  // The last three lines seen, the oldest at (count % 3).
  std::array<std::string, 3> last;
  size_t count = 0;
  std::string_view line;
  while (reader.next(line)) last[count++ % 3].assign(line);
  if (count < 3) {
    throw base::AppError(L"Файл сверловки \"" + base::pathText(path) +
                         L"\" содержит меньше трёх строк.");
  }
  return base::lineIs(last[count % 3], reader.unitSize(), "%");
}

std::wstring freeDrillName(const std::wstring& stem) {
  std::error_code ec;
  std::wstring name = stem + L".TXT";
  for (int n = 1; fs::exists(toPath(name), ec); ++n) name = stem + L".TXT" + std::to_wstring(n);
  return name;
}

void insertAfterFirstLine(const fs::path& path, const std::vector<std::wstring>& lines) {
  base::rewriteFile(path, [&lines](base::LineReader& reader, base::LineWriter& writer) {
    std::string_view line;
    if (reader.next(line)) writer.writeLine(line);
    for (const std::wstring& text : lines) {
      writer.writeLine(base::encodeText(text, reader.encoding()));
    }
    while (reader.next(line)) writer.writeLine(line);
  });
}

void stampDrill(const fs::path& path, int fromRow, int toRow) {
  insertAfterFirstLine(path, {L";Korvant TAVROLIN", L";From Layer " + std::to_wstring(fromRow),
                              L";To Layer " + std::to_wstring(toRow)});
}

std::wstring drillFailureText(const std::vector<std::wstring>& failures) {
  std::wstring text = L"Не все файлы сверловки обработаны:";
  for (const std::wstring& failure : failures) text += L"\r" + failure;
  return text;
}

std::vector<std::wstring> finishDrillFiles(const std::vector<layers::DrillFile>& drills,
                                           const RunFiles* run, std::vector<KeptDrill>* kept) {
  std::vector<std::wstring> failures;
  for (const layers::DrillFile& request : drills) {
    if (run && !run->writtenInRun(request.path)) continue;
    const fs::path path = toPath(request.path);
    if (drillFileIsEmpty(path)) {
      if (!base::removeFile(path)) {
        failures.push_back(L"не удалось удалить \"" + request.path + L"\"");
      }
      continue;
    }
    const std::wstring stem = request.path.substr(0, request.path.rfind(L'.'));
    const std::wstring target = freeDrillName(stem);
    if (!base::moveFile(path, toPath(target))) {
      failures.push_back(L"не удалось переименовать \"" + request.path + L"\" в \"" + target +
                         L"\"");
      continue;
    }
    try {
      stampDrill(toPath(target), request.fromRow, request.toRow);
      if (kept) kept->push_back({request, target});
    } catch (const base::AppError& error) {
      failures.push_back(L"не удалось подписать \"" + target + L"\": " + error.text());
    }
  }
  return failures;
}

}  // namespace exportcore
