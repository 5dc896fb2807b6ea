// Writing and reading the choices file (see board_choices_file.h).
//
// Layer names and type names stand as values, never as keys or section
// names: a value keeps "=", ";", "[" and quotes as they are, and a value
// that a read would trim or unquote is written in one more pair of quotes.
#include "layers/board_choices_file.h"

#include <optional>
#include <system_error>

#include "base/error.h"
#include "base/int_text.h"
#include "base/profile_format.h"
#include "base/text_file.h"

namespace layers {
namespace {

constexpr wchar_t kHeadSection[] = L"Tavrolin";
constexpr wchar_t kBoardSection[] = L"board";
constexpr wchar_t kLayerSection[] = L"layer ";  // followed by 1, 2, ...

// A section as read: its name and its entries in file order.
struct Section {
  std::wstring name;
  std::vector<std::pair<std::wstring, std::wstring>> entries;

  std::optional<std::wstring> value(const std::wstring& key) const {
    for (const auto& [k, v] : entries)
      if (base::sameProfileName(k, key)) return v;
    return std::nullopt;
  }
};

std::vector<Section> sectionsOf(const std::vector<std::wstring>& lines) {
  std::vector<Section> sections;
  for (const std::wstring& line : lines) {
    if (auto name = base::profileSection(line)) {
      sections.push_back({*name, {}});
    } else if (auto entry = base::profileEntry(line); entry && !sections.empty()) {
      sections.back().entries.emplace_back(entry->key, base::profileValue(line, entry->equals));
    }
  }
  return sections;
}

// Reads the values of one section; any value missing or out of form makes
// the whole file damaged.
class ValueReader {
 public:
  explicit ValueReader(const Section& section) : section_(section) {}
  bool ok() const { return ok_; }

  std::wstring text(const wchar_t* key) {
    auto v = section_.value(key);
    if (!v) ok_ = false;
    return v.value_or(L"");
  }
  int32_t integer(const wchar_t* key) {
    int32_t n = 0;
    if (!base::parseInt(text(key), n)) ok_ = false;
    return n;
  }
  bool flag(const wchar_t* key) {
    const int32_t n = integer(key);
    if (n != 0 && n != 1) ok_ = false;
    return n == 1;
  }

 private:
  const Section& section_;
  bool ok_ = true;
};

std::wstring flagText(bool value) { return value ? L"1" : L"0"; }

void addEntry(std::vector<std::wstring>& lines, const wchar_t* key, const std::wstring& value) {
  lines.push_back(std::wstring(key) + L"=" + base::profileStoredValue(value));
}

bool readBoard(const Section& section, BoardChoices& c) {
  ValueReader r(section);
  c.boardTypeCode = r.text(L"code");
  c.bindToType = r.flag(L"bindToType");
  c.viasCoveredByMask = r.flag(L"viasCoveredByMask");
  const std::wstring units = r.text(L"units");
  c.inch = units == L"Inch";
  c.offsetX = r.text(L"offsetX");
  c.offsetY = r.text(L"offsetY");
  return r.ok() && (units == L"MM" || units == L"Inch");
}

bool readLayer(const Section& section, LayerChoice& l) {
  ValueReader r(section);
  l.name = r.text(L"name");
  l.exported = r.flag(L"export");
  l.typeName = r.text(L"type");
  l.flashColour = r.integer(L"flash");
  l.lineColour = r.integer(L"line");
  for (int k = 0; k < kObjectClassCount; ++k)
    l.classes[static_cast<size_t>(k)] = r.flag(kObjectClassNames[k]);
  return r.ok();
}

bool allBlank(const std::vector<std::wstring>& lines) {
  for (const std::wstring& line : lines)
    if (!base::trimProfileBlanks(line).empty()) return false;
  return true;
}

std::wstring listed(const std::vector<std::wstring>& names) {
  std::wstring out;
  for (const std::wstring& name : names) out += (out.empty() ? L"" : L", ") + name;
  return out;
}

}  // namespace

std::vector<std::wstring> choicesFileLines(const BoardChoices& choices,
                                           const std::wstring& designName) {
  std::vector<std::wstring> lines;
  lines.push_back(L"; Tavrolin: the operator's choices for one design, saved at every export");
  lines.push_back(L"[" + std::wstring(kHeadSection) + L"]");
  addEntry(lines, L"version", std::to_wstring(kChoicesFormatVersion));
  addEntry(lines, L"design", designName);
  addEntry(lines, L"layers", std::to_wstring(choices.layers.size()));
  lines.emplace_back();
  lines.push_back(L"[" + std::wstring(kBoardSection) + L"]");
  addEntry(lines, L"code", choices.boardTypeCode);
  addEntry(lines, L"bindToType", flagText(choices.bindToType));
  addEntry(lines, L"viasCoveredByMask", flagText(choices.viasCoveredByMask));
  addEntry(lines, L"units", choices.inch ? L"Inch" : L"MM");
  addEntry(lines, L"offsetX", choices.offsetX);
  addEntry(lines, L"offsetY", choices.offsetY);
  for (size_t i = 0; i < choices.layers.size(); ++i) {
    const LayerChoice& l = choices.layers[i];
    lines.emplace_back();
    lines.push_back(L"[" + std::wstring(kLayerSection) + std::to_wstring(i + 1) + L"]");
    addEntry(lines, L"name", l.name);
    addEntry(lines, L"export", flagText(l.exported));
    addEntry(lines, L"type", l.typeName);
    addEntry(lines, L"flash", std::to_wstring(l.flashColour));
    addEntry(lines, L"line", std::to_wstring(l.lineColour));
    for (int k = 0; k < kObjectClassCount; ++k)
      addEntry(lines, kObjectClassNames[k], flagText(l.classes[static_cast<size_t>(k)]));
  }
  return lines;
}

ChoicesFile choicesFromLines(const std::vector<std::wstring>& lines,
                             const std::wstring& designName) {
  ChoicesFile file;
  if (allBlank(lines)) {
    file.state = ChoicesFileState::Empty;
    return file;
  }
  file.state = ChoicesFileState::Damaged;
  const std::vector<Section> sections = sectionsOf(lines);
  if (sections.empty() || !base::sameProfileName(sections[0].name, kHeadSection)) return file;
  ValueReader head(sections[0]);
  const int32_t version = head.integer(L"version");
  if (!head.ok() || version < 1) return file;
  if (version > kChoicesFormatVersion) {
    file.state = ChoicesFileState::Newer;
    return file;
  }
  file.design = head.text(L"design");
  const int32_t count = head.integer(L"layers");
  if (!head.ok()) return file;
  if (!base::sameProfileName(file.design, designName)) {
    file.state = ChoicesFileState::OtherDesign;
    return file;
  }
  // the board, then the layer sections numbered from 1, all of them there
  if (count < 0 || sections.size() != 2 + static_cast<size_t>(count) ||
      !base::sameProfileName(sections[1].name, kBoardSection)) {
    return file;
  }
  BoardChoices choices;
  if (!readBoard(sections[1], choices)) return file;
  for (size_t i = 2; i < sections.size(); ++i) {
    if (!base::sameProfileName(sections[i].name, kLayerSection + std::to_wstring(i - 1)))
      return file;
    LayerChoice l;
    if (!readLayer(sections[i], l)) return file;
    choices.layers.push_back(std::move(l));
  }
  file.state = ChoicesFileState::Read;
  file.choices = std::move(choices);
  return file;
}

void writeChoicesFile(const std::filesystem::path& path, const BoardChoices& choices,
                      const std::wstring& designName) {
  base::TextFile file;
  file.encoding = base::Encoding::Utf16LeBom;
  file.lines = choicesFileLines(choices, designName);
  base::writeTextFile(path, file);
}

ChoicesFile readChoicesFile(const std::filesystem::path& path, const std::wstring& designName) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return {};
  try {
    return choicesFromLines(base::readTextFile(path).lines, designName);
  } catch (const base::AppError&) {
    ChoicesFile file;
    file.state = ChoicesFileState::Unreadable;
    return file;
  }
}

std::wstring passedOverLine(const ChoicesFile& file, const std::wstring& fileName) {
  const std::wstring head = L"Выбор слоёв не восстановлен: файл " + fileName;
  switch (file.state) {
    case ChoicesFileState::Missing:
    case ChoicesFileState::Read:
      return L"";
    case ChoicesFileState::Unreadable:
      return head + L" не удалось прочитать.";
    case ChoicesFileState::Empty:
      return head + L" пуст.";
    case ChoicesFileState::Damaged:
      return head + L" повреждён.";
    case ChoicesFileState::OtherDesign:
      return head + L" записан для другого проекта (" + file.design + L").";
    case ChoicesFileState::Newer:
      return head + L" записан более новой версией программы.";
  }
  return L"";
}

std::wstring restoredLine(const std::wstring& savedAt, const RestoreNotes& notes) {
  std::wstring line = L"Восстановлен выбор слоёв от " + savedAt + L".";
  if (!notes.newLayers.empty()) line += L" Новые слои: " + listed(notes.newLayers) + L".";
  if (!notes.unknownType.empty())
    line += L" Тип слоя не найден в main.ini, оставлен пустым: " + listed(notes.unknownType) + L".";
  if (!notes.badColour.empty())
    line += L" Цвет вне палитры, оставлен пустым: " + listed(notes.badColour) + L".";
  return line;
}

std::wstring saveFailedText(const std::wstring& path) {
  return L"Выбор слоёв не сохранён: не удалось записать файл \"" + path +
         L"\".\rЭкспорт этим не затронут.";
}

}  // namespace layers
