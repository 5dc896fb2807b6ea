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

void stampDrill(const fs::path& path, int froml, int tol) {
  base::rewriteFile(path, [froml, tol](base::LineReader& reader, base::LineWriter& writer) {
    std::string_view line;
    if (reader.next(line)) writer.writeLine(line);
    const std::wstring stamp[] = {L";Korvant TAVROLIN", L";From Layer " + std::to_wstring(froml),
                                  L";To Layer " + std::to_wstring(tol)};
    for (const std::wstring& text : stamp) {
      writer.writeLine(base::encodeText(text, reader.encoding()));
    }
    while (reader.next(line)) writer.writeLine(line);
  });
}

std::wstring drillFailureText(const std::vector<std::wstring>& failures) {
  std::wstring text = L"Не все файлы сверловки обработаны:";
  for (const std::wstring& failure : failures) text += L"\r" + failure;
  return text;
}

}  // namespace exportcore

std::vector<std::wstring> drillcheck(const exportcore::RunFiles* run) {
  namespace fs = std::filesystem;
  std::vector<std::wstring> failures;
  for (const drill& request : drills) {
    if (run && !run->writtenInRun(request.drlput)) continue;
    const fs::path path = exportcore::toPath(request.drlput);
    if (exportcore::drillFileIsEmpty(path)) {
      if (!base::removeFile(path)) {
        failures.push_back(L"не удалось удалить \"" + request.drlput + L"\"");
      }
      continue;
    }
    const std::wstring stem = request.drlput.substr(0, request.drlput.rfind(L'.'));
    const std::wstring target = exportcore::freeDrillName(stem);
    if (!base::moveFile(path, exportcore::toPath(target))) {
      failures.push_back(L"не удалось переименовать \"" + request.drlput + L"\" в \"" + target +
                         L"\"");
      continue;
    }
    try {
      exportcore::stampDrill(exportcore::toPath(target), request.froml, request.tol);
    } catch (const base::AppError& error) {
      failures.push_back(L"не удалось подписать \"" + target + L"\": " + error.text());
    }
  }
  return failures;
}
