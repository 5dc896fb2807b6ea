// Rules of the object-class matrix: type-change presets, deviation marks and
// the vias switch of mask rows.
#include "layers/matrix_rules.h"

#include "layers/layer_table.h"

namespace layers {
namespace {

constexpr int kPad = 0;
constexpr int kVias = 1;
constexpr int kRefDes = 4;

// The boxes a freshly picked type checks; all others are unchecked.
bool presetOf(int camType, int classIndex) {
  switch (camType) {
    case 0:
    case 1:
    case 2:
    case 3:
      return classIndex == kPad || classIndex == kVias;
    case 6:
    case 7:
      return classIndex == kRefDes;
    case 8:
    case 9:
      return classIndex == kPad;
    default:
      return false;
  }
}

bool isMaskType(int camType) { return camType == 8 || camType == 9; }

// Whether a box of the given class and state deviates from what its row's
// type expects.
bool deviates(int camType, int classIndex, bool checked, bool viasCovered) {
  switch (groupOf(camType)) {
    case LayerGroup::Metal:
      return (classIndex == kPad || classIndex == kVias) ? !checked : checked;
    case LayerGroup::Mask:
      if (classIndex == kPad) return !checked;
      if (classIndex == kVias) return viasCovered ? checked : !checked;
      return checked;
    case LayerGroup::Silk:
      return classIndex == kRefDes ? !checked : checked;
    default:  // the other group expects no box checked
      return checked;
  }
}

}  // namespace

void LayerRow::presetObjectClasses() {
  const int type = camType();
  for (int k = 0; k < kObjectClassCount; ++k)
    if (widgets::CheckBox* box = editor.box(k)) box->setChecked(presetOf(type, k));
}

ClassBoxPlace findClassBox(const LayerTableModel& table, const widgets::CheckBox* box) {
  ClassBoxPlace found;
  if (!box) return found;
  const widgets::GridModel& grid = table.grid;
  for (size_t i = 0; i < table.rows.size(); ++i) {
    for (int k = 0; k < kObjectClassCount; ++k) {
      if (table.rows[i].editor.box(k) != box) continue;
      found.index = static_cast<int>(i);
      found.className = kObjectClassNames[k];
      found.col = -1;
      found.row = -1;
      for (int r = 1; r < grid.rowCount(); ++r)
        if (recordOfRow(table, r) == found.index) {
          found.col = kColFirstClass + k;
          found.row = r;
        }
    }
  }
  return found;
}

void markCell(LayerTableModel& table, int col, int row, bool marked) {
  table.grid.setCellColour(col, row, marked ? std::optional<uint32_t>(kMarkColour) : std::nullopt);
}

void onClassBoxClick(LayerTableModel& table, widgets::CheckBox& sender) {
  const ClassBoxPlace where = findClassBox(table, &sender);
  if (where.index < 0) return;
  int classIndex = 0;
  while (classIndex < kObjectClassCount && where.className != kObjectClassNames[classIndex])
    ++classIndex;
  const int type = table.rows[static_cast<size_t>(where.index)].camType();
  markCell(table, where.col, where.row,
           deviates(type, classIndex, sender.checked(), table.viasCoveredByMask.checked()));
}

void markRowDeviations(LayerTableModel& table, int row) {
  const int i = recordOfRow(table, row);
  if (i < 0) return;
  const LayerRow& layer = table.rows[static_cast<size_t>(i)];
  for (int k = 0; k < kObjectClassCount; ++k) {
    const widgets::CheckBox* box = layer.editor.box(k);
    if (!box) continue;
    markCell(table, kColFirstClass + k, row,
             deviates(layer.camType(), k, box->checked(), table.viasCoveredByMask.checked()));
  }
}

void onViasSwitchClick(LayerTableModel& table) {
  const bool vias = !table.viasCoveredByMask.checked();
  // Indexed walk: the marking that each change runs reads the records too.
  for (size_t i = 0; i < table.rows.size(); ++i)
    if (isMaskType(table.rows[i].camType()) && table.rows[i].editor.vias)
      table.rows[i].editor.vias->setChecked(vias);
}

void applyViasSwitch(LayerTableModel& table) {
  const bool vias = !table.viasCoveredByMask.checked();
  for (int r = 1; r < table.grid.rowCount(); ++r) {
    const int i = recordOfRow(table, r);
    if (i < 0) continue;
    LayerRow& layer = table.rows[static_cast<size_t>(i)];
    if (isMaskType(layer.camType()) && layer.exported() && layer.editor.vias)
      layer.editor.vias->setChecked(vias);
  }
}

}  // namespace layers
