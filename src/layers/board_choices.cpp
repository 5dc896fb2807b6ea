// Taking the operator's choices from the main window's model and putting
// them back onto it, layer by layer name.
#include "layers/board_choices.h"

#include <algorithm>
#include <map>

#include "layers/layer_table.h"
#include "layers/matrix_rules.h"

namespace layers {
namespace {

// The records shown in the grid, in display order; rows without controls
// left out.
std::vector<size_t> shownRecords(const LayerTableModel& table) {
  std::vector<size_t> out;
  for (int r = 1; r < table.grid.rowCount(); ++r) {
    const int i = recordOfRow(table, r);
    if (i < 0) continue;
    const LayerRow& layer = table.rows[static_cast<size_t>(i)];
    if (layer.exportBox && layer.cam.typeBox && layer.cam.flashColour && layer.cam.lineColour)
      out.push_back(static_cast<size_t>(i));
  }
  return out;
}

// Selects `index` when the box has such an item; -1 selects nothing. False
// for any other index, which leaves the box without a choice.
bool selectIfPresent(widgets::DropDown& box, int index) {
  const bool present = index >= -1 && index < static_cast<int>(box.items().size());
  box.setItemIndex(present ? index : -1);
  return present;
}

int typeIndexOf(const widgets::DropDown& box, const std::wstring& name) {
  const std::vector<std::wstring>& items = box.items();
  for (size_t k = 0; k < items.size(); ++k)
    if (items[k] == name) return static_cast<int>(k);
  return -1;
}

void applyLayer(LayerRow& layer, const LayerChoice& choice, RestoreNotes& notes) {
  widgets::setCheckedQuietly(*layer.exportBox, choice.exported);
  const int type = choice.typeName.empty() ? -1 : typeIndexOf(*layer.cam.typeBox, choice.typeName);
  layer.cam.typeBox->setItemIndex(type);
  if (type < 0 && !choice.typeName.empty()) notes.unknownType.push_back(layer.editor.name);
  const bool flash = selectIfPresent(*layer.cam.flashColour, choice.flashColour);
  const bool line = selectIfPresent(*layer.cam.lineColour, choice.lineColour);
  if (!flash || !line) notes.badColour.push_back(layer.editor.name);
  for (int k = 0; k < kObjectClassCount; ++k)
    if (widgets::CheckBox* box = layer.editor.box(k))
      widgets::setCheckedQuietly(*box, choice.classes[static_cast<size_t>(k)]);
}

void swapRows(widgets::GridModel& grid, int upper, int lower) {
  grid.moveRow(lower, upper);
  grid.moveRow(upper + 1, lower);
}

// Puts the rows that took saved values into the saved order, among the grid
// rows they occupy; the other rows stay where they are.
void putInSavedOrder(LayerTableModel& table, const std::map<size_t, size_t>& savedIndexOf) {
  std::vector<int> slots;                      // grid rows of restored records
  std::vector<std::pair<size_t, int>> wanted;  // (saved index, record)
  for (int r = 1; r < table.grid.rowCount(); ++r) {
    const int i = recordOfRow(table, r);
    const auto found = i < 0 ? savedIndexOf.end() : savedIndexOf.find(static_cast<size_t>(i));
    if (found == savedIndexOf.end()) continue;
    slots.push_back(r);
    wanted.emplace_back(found->second, i);
  }
  std::sort(wanted.begin(), wanted.end());
  for (size_t k = 0; k < slots.size(); ++k) {
    if (recordOfRow(table, slots[k]) == wanted[k].second) continue;
    for (size_t m = k + 1; m < slots.size(); ++m) {
      if (recordOfRow(table, slots[m]) != wanted[k].second) continue;
      swapRows(table.grid, slots[k], slots[m]);
      break;
    }
  }
}

}  // namespace

BoardChoices choicesOf(const LayerTableModel& table) {
  BoardChoices c;
  c.boardTypeCode = table.boardTypeCode.text();
  c.bindToType = table.bindToType.checked();
  c.viasCoveredByMask = table.viasCoveredByMask.checked();
  c.inch = table.inch;
  c.offsetX = table.offsetX.text();
  c.offsetY = table.offsetY.text();
  for (size_t i : shownRecords(table)) {
    const LayerRow* layer = &table.rows[i];
    LayerChoice l;
    l.name = layer->editor.name;
    l.exported = layer->exported();
    const int type = layer->camType();
    const std::vector<std::wstring>& types = layer->cam.typeBox->items();
    if (type >= 0 && type < static_cast<int>(types.size()))
      l.typeName = types[static_cast<size_t>(type)];
    l.flashColour = layer->cam.flashColour->itemIndex();
    l.lineColour = layer->cam.lineColour->itemIndex();
    for (int k = 0; k < kObjectClassCount; ++k) {
      const widgets::CheckBox* box = layer->editor.box(k);
      l.classes[static_cast<size_t>(k)] = box && box->checked();
    }
    c.layers.push_back(std::move(l));
  }
  return c;
}

RestoreNotes applyChoices(LayerTableModel& table, const BoardChoices& choices) {
  RestoreNotes notes;
  table.bindToType.setChecked(choices.bindToType);
  // the switch's own rule would rewrite the vias boxes that follow
  widgets::setCheckedQuietly(table.viasCoveredByMask, choices.viasCoveredByMask);
  table.boardTypeCode.setText(choices.boardTypeCode);
  table.inch = choices.inch;
  table.offsetX.setText(choices.offsetX);
  table.offsetY.setText(choices.offsetY);

  // saved layers by name, each taken once, in saved order
  std::map<std::wstring, std::vector<size_t>> saved;
  for (size_t k = 0; k < choices.layers.size(); ++k) saved[choices.layers[k].name].push_back(k);
  std::map<std::wstring, size_t> taken;
  std::map<size_t, size_t> savedIndexOf;  // record -> its saved layer
  bool anyExported = false;
  for (size_t i : shownRecords(table)) {
    LayerRow* layer = &table.rows[i];
    const auto found = saved.find(layer->editor.name);
    size_t& next = taken[layer->editor.name];
    if (found == saved.end() || next >= found->second.size()) {
      notes.newLayers.push_back(layer->editor.name);
    } else {
      savedIndexOf[i] = found->second[next++];
      applyLayer(*layer, choices.layers[savedIndexOf[i]], notes);
    }
    anyExported = anyExported || layer->exported();
  }
  putInSavedOrder(table, savedIndexOf);

  for (int r = 1; r < table.grid.rowCount(); ++r) markRowDeviations(table, r);
  int other = 0;
  for (const LayerRow& layer : table.rows)
    other += layer.exported() && groupOf(layer.camType()) == LayerGroup::Other;
  table.otherLayerCount.setText(anyExported ? std::to_wstring(other) : std::wstring());
  return notes;
}

}  // namespace layers
