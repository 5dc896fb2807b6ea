// The board house's readme (see fab_readme.h).
#include "export/fab_readme.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <string_view>

#include "base/encoding.h"

namespace exportcore {

namespace {

constexpr double kMmPerInch = 25.4;

std::wstring fixed(double value, int decimals) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return base::fromUtf8(buffer);
}

std::wstring padded(const std::wstring& text, size_t width) {
  return text + std::wstring(width > text.size() ? width - text.size() : 0, L' ');
}

// Lines of cells, each column as wide as its widest cell plus two blanks.
std::vector<std::wstring> table(const std::vector<std::vector<std::wstring>>& rows) {
  std::vector<size_t> widths;
  for (const auto& row : rows) {
    widths.resize(std::max(widths.size(), row.size()));
    for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
  }
  std::vector<std::wstring> lines;
  for (const auto& row : rows) {
    std::wstring line;
    for (size_t c = 0; c < row.size(); ++c) {
      line += c + 1 < row.size() ? padded(row[c], widths[c] + 2) : row[c];
    }
    lines.push_back(line);
  }
  return lines;
}

std::wstring diameterText(double diameter, bool inch) {
  if (!inch) return fixed(diameter, 3) + L" мм";
  return fixed(diameter, 4) + L" дюйм (" + fixed(diameter * kMmPerInch, 3) + L" мм)";
}

void addDrill(std::vector<std::wstring>& lines, const ReadmeDrill& drill) {
  lines.push_back(L"");
  lines.push_back(L"Сверловка " + drill.file + L": " + drill.pair);
  if (!drill.summary) {
    lines.push_back(L"  не удалось прочитать");
    return;
  }
  std::vector<std::vector<std::wstring>> rows = {{L"  Инструмент", L"Диаметр", L"Отверстий"}};
  for (const DrillTool& tool : drill.summary->tools) {
    if (tool.holes == 0) continue;  // defined in the table, not used in this file
    rows.push_back(
        {L"  T" + std::wstring(tool.number < 10 ? L"0" : L"") + std::to_wstring(tool.number),
         diameterText(tool.diameter, tool.inch), std::to_wstring(tool.holes)});
  }
  for (const std::wstring& line : table(rows)) lines.push_back(line);
  lines.push_back(L"  Всего отверстий: " + std::to_wstring(drill.summary->totalHoles()));
}

}  // namespace

std::wstring readmeText(const ReadmeInfo& info) {
  std::vector<std::wstring> lines = {
      L"Файлы для изготовления печатной платы",
      L"",
      L"Проект: " + info.design,
      L"Папка: " + info.directory,
      L"Дата и время: " + info.dateTime,
      L"Версия редактора: " + info.editorVersion,
      L"Единицы экспорта: " + std::wstring(info.inch ? L"дюймы" : L"мм"),
      L"Формат чисел Gerber: " + (info.gerberFormat.empty() ? L"не определён" : info.gerberFormat),
      L"",
      L"Файлы Gerber (металлические слои пронумерованы сверху: L1 - верхний):"};
  std::vector<std::vector<std::wstring>> rows = {{L"Файл", L"Слой", L"Тип", L"Позиция в стеке"}};
  for (const ReadmeGerber& g : info.gerbers) {
    std::wstring position = g.position.empty() ? L"-" : g.position;
    if (!g.absence.empty()) position += L"  (" + g.absence + L", в архив не вошёл)";
    rows.push_back({g.file, g.layer, g.type, position});
  }
  for (const std::wstring& line : table(rows)) lines.push_back(line);
  for (const ReadmeDrill& drill : info.drills) addDrill(lines, drill);
  if (info.drills.empty()) lines.insert(lines.end(), {L"", L"Файлов сверловки нет."});

  std::wstring text;
  for (const std::wstring& line : lines) {
    // no trailing blanks from padded cells
    std::wstring trimmed = line;
    while (!trimmed.empty() && trimmed.back() == L' ') trimmed.pop_back();
    text += trimmed + L"\r\n";
  }
  return text;
}

std::string readmeBytes(const ReadmeInfo& info) {
  return "\xEF\xBB\xBF" + base::toUtf8(readmeText(info));
}

std::optional<std::wstring> gerberNumberFormat(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string fs;
  std::string mo;
  std::string line;
  // the format and the units stand in the header, before the first draw
  for (int n = 0; n < 400 && std::getline(in, line) && (fs.empty() || mo.empty()); ++n) {
    if (line.rfind("%FS", 0) == 0 && fs.empty()) fs = line;
    if (line.rfind("%MO", 0) == 0 && mo.empty()) mo = line;
  }
  // "%FSLAX34Y34*%": zero omission, notation, integer and decimal digits
  if (fs.size() < 12) return std::nullopt;
  const char zeros = fs[3];
  const char notation = fs[4];
  const size_t x = fs.find('X');
  const size_t y = fs.find('Y');
  auto digits = [&fs](size_t at) {
    return at != std::string::npos && at + 2 < fs.size() && std::isdigit(fs[at + 1]) &&
           std::isdigit(fs[at + 2]);
  };
  if (!digits(x) || !digits(y) || (zeros != 'L' && zeros != 'T' && zeros != 'D') ||
      (notation != 'A' && notation != 'I')) {
    return std::nullopt;
  }
  auto axis = [&fs](size_t at) {
    return std::wstring{static_cast<wchar_t>(fs[at + 1]), L'.', static_cast<wchar_t>(fs[at + 2])};
  };
  std::wstring text = L"X " + axis(x) + L", Y " + axis(y) + L"; ";
  text += zeros == 'L'   ? L"ведущие нули опущены"
          : zeros == 'T' ? L"конечные нули опущены"
                         : L"нули не опускаются";
  text += notation == 'A' ? L"; абсолютные координаты" : L"; относительные координаты";
  if (mo.rfind("%MOIN", 0) == 0) text += L"; дюймы";
  if (mo.rfind("%MOMM", 0) == 0) text += L"; мм";
  return text;
}

}  // namespace exportcore
