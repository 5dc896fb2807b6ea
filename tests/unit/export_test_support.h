// Test support for the export pipeline: a layer table built from a list of
// rows (the model's records, their controls and the grid's "Id" column),
// as the layer table view leaves it.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "layers/layer_table_model.h"
#include "layers/layer_model.h"

namespace exporttest {

struct Row {
  std::wstring name;
  int32_t layerClass = layers::kSignalLayer;
  int type = -1;  // CAM layer type index
  bool exported = true;
  std::array<bool, 9> classes{};  // Pad ... Titles
  int flash = -1;
  int line = -1;
};

// Fills the model with one record per row (record i shown in row i + 1) and
// gives the grid its rows and "Id" cells.
inline void buildTable(layers::LayerTableModel& form, const std::vector<Row>& rows) {
  form.rows.clear();
  form.drills.clear();
  std::vector<std::wstring> types;
  for (int k = 0; k < 20; ++k) types.push_back(L"type" + std::to_wstring(k));
  for (const Row& row : rows) {
    layers::LayerRow layer;
    layer.editor.name = row.name;
    layer.editor.layerClass = row.layerClass;
    layer.exportBox = std::make_shared<widgets::CheckBox>();
    layer.exportBox->setChecked(row.exported);
    for (int k = 0; k < layers::kObjectClassCount; ++k) {
      layer.editor.boxRef(k) = std::make_shared<widgets::CheckBox>();
      layer.editor.boxRef(k)->setChecked(row.classes[static_cast<size_t>(k)]);
    }
    layer.cam.typeBox = std::make_shared<widgets::DropDown>();
    layer.cam.typeBox->setItems(types);
    layer.cam.typeBox->setItemIndex(row.type);
    layer.cam.flashColour = std::make_shared<widgets::ColourBox>();
    layer.cam.flashColour->fillPalette();
    layer.cam.flashColour->setItemIndex(row.flash);
    layer.cam.lineColour = std::make_shared<widgets::ColourBox>();
    layer.cam.lineColour->fillPalette();
    layer.cam.lineColour->setItemIndex(row.line);
    form.rows.push_back(std::move(layer));
  }
  form.grid.setSize(16, static_cast<int>(rows.size()) + 1);
  for (size_t i = 0; i < rows.size(); ++i) {
    form.grid.setCell(15, static_cast<int>(i) + 1, std::to_wstring(i));
  }
}

}  // namespace exporttest
