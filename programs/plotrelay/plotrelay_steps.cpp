// Parsing and expanding macro steps (see plotrelay_steps.h).
#include "plotrelay/plotrelay_steps.h"

#include "base/error.h"
#include "base/int_text.h"

namespace plotrelay {

namespace {

std::vector<std::wstring> splitFields(const std::wstring& value) {
  std::vector<std::wstring> fields;
  size_t start = 0;
  while (true) {
    const size_t bar = value.find(L'|', start);
    if (bar == std::wstring::npos) {
      fields.push_back(value.substr(start));
      return fields;
    }
    fields.push_back(value.substr(start, bar - start));
    start = bar + 1;
  }
}

struct KindName {
  const wchar_t* name;
  StepKind kind;
};

constexpr KindName kKinds[] = {
    {L"command", StepKind::Command},   {L"waitwindow", StepKind::WaitWindow},
    {L"settext", StepKind::SetText},   {L"check", StepKind::Check},
    {L"select", StepKind::Select},     {L"click", StepKind::Click},
    {L"waitgone", StepKind::WaitGone}, {L"sleep", StepKind::Sleep},
};

int32_t numberField(const std::vector<std::wstring>& fields, size_t index, const std::wstring& what,
                    const std::wstring& step) {
  int32_t value = 0;
  const std::wstring text = index < fields.size() ? trimBlanks(fields[index]) : L"";
  if (!base::parseInt(text, value)) {
    throw base::AppError(L"Шаг \"" + step + L"\": " + what + L" \"" + text +
                         L"\" не является числом");
  }
  return value;
}

std::wstring field(const std::vector<std::wstring>& fields, size_t index) {
  return index < fields.size() ? fields[index] : L"";
}

}  // namespace

std::wstring expandRefs(const std::wstring& text, const KeyLookup& lookup,
                        const std::wstring& base) {
  std::wstring out;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t open = text.find(L'{', pos);
    if (open == std::wstring::npos) break;
    const size_t close = text.find(L'}', open + 1);
    if (close == std::wstring::npos) break;
    // A "{" inside the braces starts the reference anew: "{{Ext}" keeps the first brace.
    const size_t inner = text.rfind(L'{', close);
    out.append(text, pos, inner - pos);
    const std::wstring key = text.substr(inner + 1, close - inner - 1);
    out += sameNoCase(key, L"Base") ? base : lookup(key);
    pos = close + 1;
  }
  out.append(text, pos, std::wstring::npos);
  return out;
}

namespace {

// The kind a step's first field names (the last matching name wins).
StepKind kindOf(const std::wstring& kindName) {
  const KindName* kind = nullptr;
  for (const KindName& k : kKinds) {
    if (sameNoCase(kindName, k.name)) kind = &k;
  }
  if (!kind) throw base::AppError(L"Неизвестный шаг \"" + kindName + L"\"");
  return kind->kind;
}

// The state of a "check" step: "true" or "false", in any letter case.
bool checkState(const std::wstring& state, int32_t id) {
  if (sameNoCase(state, L"true")) return true;
  if (sameNoCase(state, L"false")) return false;
  throw base::AppError(L"Шаг \"check\" элемента " + std::to_wstring(id) + L": состояние \"" +
                       state + L"\" не true и не false");
}

}  // namespace

Step parseStep(const std::wstring& value, const KeyLookup& lookup, const std::wstring& base) {
  std::vector<std::wstring> fields = splitFields(value);
  for (std::wstring& f : fields) f = expandRefs(f, lookup, base);
  const std::wstring kindName = trimBlanks(fields[0]);
  Step step;
  step.kind = kindOf(kindName);
  switch (step.kind) {
    case StepKind::Command:
      step.id = numberField(fields, 1, L"команда", kindName);
      break;
    case StepKind::WaitWindow:
    case StepKind::WaitGone:
      step.title = field(fields, 1);
      step.errorText = field(fields, 2);
      break;
    case StepKind::SetText:
      step.id = numberField(fields, 1, L"элемент", kindName);
      step.text = field(fields, 2);
      break;
    case StepKind::Check:
      step.id = numberField(fields, 1, L"элемент", kindName);
      step.checked = checkState(trimBlanks(field(fields, 2)), step.id);
      break;
    case StepKind::Select:
      step.id = numberField(fields, 1, L"элемент", kindName);
      step.text = field(fields, 2);
      step.errorText = field(fields, 3);
      break;
    case StepKind::Click:
      step.id = numberField(fields, 1, L"элемент", kindName);
      break;
    case StepKind::Sleep:
      step.id = numberField(fields, 1, L"время", kindName);
      if (step.id < 0) step.id = 0;
      break;
  }
  return step;
}

std::vector<std::wstring> stepEntries(const JobSection& section) {
  std::vector<std::wstring> out;
  for (int n = 1;; ++n) {
    std::optional<std::wstring> value = section.find(L"S" + std::to_wstring(n));
    if (!value) return out;
    out.push_back(*value);
  }
}

}  // namespace plotrelay
