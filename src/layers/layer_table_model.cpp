// The main window's state as it is when the window opens.
#include "layers/layer_table_model.h"

namespace layers {

LayerTableModel::LayerTableModel() {
  bindToType.caption = L"Привязка к типу";
  bindToType.setChecked(true);
  viasCoveredByMask.caption = L"Переходные закрыты маской.";
  viasCoveredByMask.setChecked(true);
}

}  // namespace layers
