// The board type code: typing it, applying it to the export boxes, and the
// export box click that keeps the group counts and rewrites the code.
#include "layers/board_type_code.h"

#include <string>
#include <vector>

#include "base/int_text.h"
#include "layers/layer_model.h"
#include "layers/matrix_rules.h"
#include "layers/text_pieces.h"

namespace layers {
namespace {

constexpr wchar_t kBackspace = 8;
constexpr wchar_t kBlank = 32;

using Rows = std::vector<LayerRow>;

std::vector<std::wstring> codeFields(const std::wstring& text) { return splitPieces(text, kBlank); }

bool isType(const LayerRow& layer, const std::vector<int>& types) {
  const int t = layer.camType();
  for (int type : types)
    if (t == type) return true;
  return false;
}

// Checks the export boxes of up to `count` records of the given types, in
// record order; returns what is left of the count.
int checkWhile(Rows& rows, int count, const std::vector<int>& types) {
  for (LayerRow& layer : rows) {
    if (count <= 0) break;
    if (layer.exportBox && isType(layer, types)) {
      widgets::setCheckedQuietly(*layer.exportBox, true);
      --count;
    }
  }
  return count;
}

// The first record other than `except` whose export box reads `exported`
// and whose type is one of `types`, or -1.
int firstOther(const Rows& rows, size_t except, bool exported, const std::vector<int>& types) {
  for (size_t j = 0; j < rows.size(); ++j)
    if (j != except && rows[j].exportBox && rows[j].exported() == exported &&
        isType(rows[j], types))
      return static_cast<int>(j);
  return -1;
}

// The candidate orders of a group: a replacement comes from the group's
// first choices, a pushed-out box from its last.
std::vector<std::vector<int>> swapOrder(LayerGroup group, bool nowChecked) {
  switch (group) {
    case LayerGroup::Metal:
      if (nowChecked) return {{1, 2, 11}, {3}, {0}};
      return {{0}, {3}, {1, 2, 11}};
    case LayerGroup::Mask:
      return {{8, 9}};
    case LayerGroup::Silk:
      return {{6, 7}};
    default:  // the other group keeps no count
      return {};
  }
}

// Keeps the group's count after the box of record i changed: checks or
// unchecks another record of the group, or undoes the click.
void swapWithinGroup(Rows& rows, size_t i) {
  LayerRow& clicked = rows[i];
  const bool nowChecked = clicked.exported();
  const LayerGroup group = groupOf(clicked.camType());
  if (group == LayerGroup::Other) return;
  for (const std::vector<int>& types : swapOrder(group, nowChecked)) {
    const int j = firstOther(rows, i, nowChecked, types);
    if (j >= 0) {
      widgets::setCheckedQuietly(*rows[static_cast<size_t>(j)].exportBox, !nowChecked);
      return;
    }
  }
  widgets::setCheckedQuietly(*clicked.exportBox, !nowChecked);
}

void writeCounts(LayerTableModel& table) {
  int metal = 0, mask = 0, silk = 0, other = 0;
  for (const LayerRow& layer : table.rows) {
    if (!layer.exported()) continue;
    switch (groupOf(layer.camType())) {
      case LayerGroup::Metal:
        ++metal;
        break;
      case LayerGroup::Mask:
        ++mask;
        break;
      case LayerGroup::Silk:
        ++silk;
        break;
      case LayerGroup::Other:
        ++other;
        break;
    }
  }
  table.boardTypeCode.setText(std::to_wstring(metal) + L" " + std::to_wstring(mask) + L" " +
                              std::to_wstring(silk));
  table.otherLayerCount.setText(std::to_wstring(other));
}

// The text after a typed digit, as the code's typing rules make it.
std::wstring afterDigit(const Rows& rows, const std::wstring& text, wchar_t digit) {
  std::vector<std::wstring> fields = codeFields(text);
  if (!text.empty() && text.back() == kBlank) fields.emplace_back();
  const int maxMetal = conductiveLayerCount(rows);
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

int conductiveLayerCount(const Rows& rows) {
  int count = 0;
  for (const LayerRow& layer : rows)
    if (layer.editor.layerClass < kNonSignalLayer) ++count;
  return count;
}

int indexOfExportBox(const Rows& rows, const widgets::CheckBox* box) {
  int found = -1;
  if (!box) return found;
  for (size_t i = 0; i < rows.size(); ++i)
    if (rows[i].exportBox.get() == box) found = static_cast<int>(i);
  return found;
}

void applyBoardTypeCode(LayerTableModel& table) {
  const std::vector<std::wstring> fields = codeFields(table.boardTypeCode.text());
  if (fields.size() != 3) return;
  // All three are converted before any box changes.
  int metal = base::strToInt(fields[0]);
  int mask = base::strToInt(fields[1]);
  int silk = base::strToInt(fields[2]);

  Rows& rows = table.rows;
  for (LayerRow& layer : rows)
    if (layer.exportBox) widgets::setCheckedQuietly(*layer.exportBox, false);
  metal = checkWhile(rows, metal, {0});
  metal = checkWhile(rows, metal, {3});
  checkWhile(rows, metal, {1, 2, 11});
  mask = checkWhile(rows, mask, {8});
  checkWhile(rows, mask, {9});
  silk = checkWhile(rows, silk, {6});
  checkWhile(rows, silk, {7});

  int boards = 0;
  for (LayerRow& layer : rows)
    if (layer.exportBox && layer.camType() == 5) {
      widgets::setCheckedQuietly(*layer.exportBox, true);
      ++boards;
    }
  table.otherLayerCount.setText(std::to_wstring(boards));
}

void onBoardTypeCodeKey(LayerTableModel& table, wchar_t& key) {
  if (key >= L'0' && key <= L'9') {
    std::wstring text = afterDigit(table.rows, table.boardTypeCode.text(), key);
    if (text != table.boardTypeCode.text()) table.boardTypeCode.setText(std::move(text));
    key = 0;
  } else if (key != kBackspace && key != kBlank) {
    key = 0;
  }
  applyBoardTypeCode(table);
  applyViasSwitch(table);
}

void onExportBoxClick(LayerTableModel& table, widgets::CheckBox& sender) {
  if (table.bindToType.checked() && codeFields(table.boardTypeCode.text()).size() == 3) {
    const int i = indexOfExportBox(table.rows, &sender);
    if (i >= 0) swapWithinGroup(table.rows, static_cast<size_t>(i));
  }
  writeCounts(table);
  applyViasSwitch(table);
}

}  // namespace layers
