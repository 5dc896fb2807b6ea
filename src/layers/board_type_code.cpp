// The board type code: typing it, applying it to the export boxes, and the
// export box click that keeps the group counts and rewrites the code.
#include "layers/board_type_code.h"

#include <string>
#include <vector>

#include "base/int_text.h"
#include "layers/text_pieces.h"
#include "layers/layer_model.h"
#include "layers/matrix_rules.h"

namespace {

constexpr wchar_t kBackspace = 8;
constexpr wchar_t kBlank = 32;

std::vector<std::wstring> codeFields(const std::wstring& text) {
  return layertext::splitPieces(text, kBlank);
}

bool isType(const Tlayer& layer, const std::vector<int>& types) {
  const int t = layer.camType();
  for (int type : types)
    if (t == type) return true;
  return false;
}

// Sets an export box without running its click handler.
void setQuietly(widgets::CheckBox& box, bool value) {
  widgets::CheckBox::Handler handler = box.detachOnClick();
  box.setChecked(value);
  box.setOnClick(std::move(handler));
}

// Checks the export boxes of up to `count` records of the given types, in
// `layers` order; returns what is left of the count.
int checkWhile(int count, const std::vector<int>& types) {
  for (Tlayer& layer : layers) {
    if (count <= 0) break;
    if (layer.Exp && isType(layer, types)) {
      setQuietly(*layer.Exp, true);
      --count;
    }
  }
  return count;
}

// The first record other than `except` whose export box reads `exported`
// and whose type is one of `types`, or -1.
int firstOther(size_t except, bool exported, const std::vector<int>& types) {
  for (size_t j = 0; j < layers.size(); ++j)
    if (j != except && layers[j].Exp && layers[j].exported() == exported &&
        isType(layers[j], types))
      return static_cast<int>(j);
  return -1;
}

// Keeps the group's count after the box of record i changed: checks or
// unchecks another record of the group, or undoes the click.
void swapWithinGroup(size_t i) {
  Tlayer& clicked = layers[i];
  const bool nowChecked = clicked.exported();
  // The candidate orders: a replacement comes from the group's first
  // choices, a pushed-out box from its last.
  std::vector<std::vector<int>> order;
  switch (groupOf(clicked.camType())) {
    case LayerGroup::Metal:
      if (nowChecked)
        order = {{1, 2, 11}, {3}, {0}};
      else
        order = {{0}, {3}, {1, 2, 11}};
      break;
    case LayerGroup::Mask:
      order = {{8, 9}};
      break;
    case LayerGroup::Silk:
      order = {{6, 7}};
      break;
    case LayerGroup::Other:
      return;
  }
  for (const std::vector<int>& types : order) {
    const int j = firstOther(i, nowChecked, types);
    if (j >= 0) {
      setQuietly(*layers[static_cast<size_t>(j)].Exp, !nowChecked);
      return;
    }
  }
  setQuietly(*clicked.Exp, !nowChecked);
}

void writeCounts(MainFormModel& form) {
  int metal = 0, mask = 0, silk = 0, other = 0;
  for (const Tlayer& layer : layers) {
    if (!layer.exported()) continue;
    switch (groupOf(layer.camType())) {
      case LayerGroup::Metal: ++metal; break;
      case LayerGroup::Mask: ++mask; break;
      case LayerGroup::Silk: ++silk; break;
      case LayerGroup::Other: ++other; break;
    }
  }
  form.Edit1.setText(std::to_wstring(metal) + L" " + std::to_wstring(mask) + L" " +
                     std::to_wstring(silk));
  form.Label17.setText(std::to_wstring(other));
}

// The text after a typed digit, as the code's typing rules make it.
std::wstring afterDigit(const std::wstring& text, wchar_t digit) {
  std::vector<std::wstring> fields = codeFields(text);
  if (!text.empty() && text.back() == kBlank) fields.emplace_back();
  const int maxMetal = getmaxmet();
  const int d = digit - L'0';
  const std::wstring ds(1, digit);
  switch (fields.size()) {
    case 0:
      if (d > maxMetal) return text;
      return maxMetal < 10 ? ds + L" " : ds;
    case 1:
      if (base::strToInt(fields[0] + ds) <= maxMetal) return fields[0] + ds + L" ";
      if (d <= 2) return fields[0] + L" " + ds + L" ";
      return text;
    case 2:
      if (d <= 2) return fields[0] + L" " + fields[1] + L" " + ds;
      return text;
    default:
      return text;
  }
}

}  // namespace

int getmaxmet() {
  int count = 0;
  for (const Tlayer& layer : layers)
    if (layer.pcad.ltype < 3) ++count;
  return count;
}

int getcbid(const widgets::CheckBox* cb) {
  int found = -1;
  if (!cb) return found;
  for (size_t i = 0; i < layers.size(); ++i)
    if (layers[i].Exp.get() == cb) found = static_cast<int>(i);
  return found;
}

void applyTypeCode(MainFormModel& form) {
  const std::vector<std::wstring> fields = codeFields(form.Edit1.text());
  if (fields.size() != 3) return;
  // All three are converted before any box changes.
  int metal = base::strToInt(fields[0]);
  int mask = base::strToInt(fields[1]);
  int silk = base::strToInt(fields[2]);

  for (Tlayer& layer : layers)
    if (layer.Exp) setQuietly(*layer.Exp, false);
  metal = checkWhile(metal, {0});
  metal = checkWhile(metal, {3});
  checkWhile(metal, {1, 2, 11});
  mask = checkWhile(mask, {8});
  checkWhile(mask, {9});
  silk = checkWhile(silk, {6});
  checkWhile(silk, {7});

  int boards = 0;
  for (Tlayer& layer : layers)
    if (layer.Exp && layer.camType() == 5) {
      setQuietly(*layer.Exp, true);
      ++boards;
    }
  form.Label17.setText(std::to_wstring(boards));
}

void Edit1KeyPress(MainFormModel& form, wchar_t& Key) {
  if (Key >= L'0' && Key <= L'9') {
    std::wstring text = afterDigit(form.Edit1.text(), Key);
    if (text != form.Edit1.text()) form.Edit1.setText(std::move(text));
    Key = 0;
  } else if (Key != kBackspace && Key != kBlank) {
    Key = 0;
  }
  applyTypeCode(form);
  fillchecbox(form);
}

void CheckBoxClick(MainFormModel& form, widgets::CheckBox& Sender) {
  if (form.CheckBox1.checked() && codeFields(form.Edit1.text()).size() == 3) {
    const int i = getcbid(&Sender);
    if (i >= 0) swapWithinGroup(static_cast<size_t>(i));
  }
  writeCounts(form);
  fillchecbox(form);
}
