// Rules of the object-class matrix: type-change presets, deviation marks and
// the vias switch of mask rows.
#include "layers/matrix_rules.h"

#include "layers/layer_table.h"

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
    case LayerGroup::Other:
      break;
  }
  return checked;
}

}  // namespace

void Tlayer::LTCBClick() {
  const int type = camType();
  for (int k = 0; k < kObjectClassCount; ++k)
    if (widgets::CheckBox* box = pcad.box(k)) box->setChecked(presetOf(type, k));
}

CbIndex getcbindex(const MainFormModel& form, const widgets::CheckBox* t) {
  CbIndex found;
  if (!t) return found;
  const widgets::GridModel& grid = form.AdvStringGrid1;
  for (size_t i = 0; i < layers.size(); ++i) {
    for (int k = 0; k < kObjectClassCount; ++k) {
      if (layers[i].pcad.box(k) != t) continue;
      found.index = static_cast<int>(i);
      found.className = kObjectClassNames[k];
      found.col = -1;
      found.row = -1;
      for (int r = 1; r < grid.rowCount(); ++r)
        if (recordOfRow(grid, r) == found.index) {
          found.col = kColFirstClass + k;
          found.row = r;
        }
    }
  }
  return found;
}

void paint(MainFormModel& form, int col, int row, bool flag) {
  form.AdvStringGrid1.setCellColour(col, row,
                                    flag ? std::optional<uint32_t>(kMarkColour) : std::nullopt);
}

void CheckBoxmatrixClick(MainFormModel& form, widgets::CheckBox& Sender) {
  const CbIndex where = getcbindex(form, &Sender);
  if (where.index < 0) return;
  int classIndex = 0;
  while (classIndex < kObjectClassCount && where.className != kObjectClassNames[classIndex])
    ++classIndex;
  const int type = layers[static_cast<size_t>(where.index)].camType();
  paint(form, where.col, where.row,
        deviates(type, classIndex, Sender.checked(), form.CheckBox2.checked()));
}

void onViasCoveredByMaskClick(MainFormModel& form) {
  const bool vias = !form.CheckBox2.checked();
  // Indexed walk: the marking that each change runs reads `layers` too.
  for (size_t i = 0; i < layers.size(); ++i)
    if (isMaskType(layers[i].camType()) && layers[i].pcad.Vias)
      layers[i].pcad.Vias->setChecked(vias);
}

void fillchecbox(MainFormModel& form) {
  const widgets::GridModel& grid = form.AdvStringGrid1;
  const bool vias = !form.CheckBox2.checked();
  for (int r = 1; r < grid.rowCount(); ++r) {
    const int i = recordOfRow(grid, r);
    if (i < 0) continue;
    Tlayer& layer = layers[static_cast<size_t>(i)];
    if (isMaskType(layer.camType()) && layer.exported() && layer.pcad.Vias)
      layer.pcad.Vias->setChecked(vias);
  }
}
