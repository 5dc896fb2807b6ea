// Test support for the export pipeline: a layer table built from a list of
// rows (records in `layers`, their controls and the grid's "Id" column),
// as the layer table view leaves it.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/main_form_model.h"
#include "layers/layer_model.h"

namespace exporttest {

struct Row {
  std::wstring name;
  int32_t ltype = kSignalLayer;
  int type = -1;  // CAM layer type index
  bool exported = true;
  std::array<bool, 9> classes{};  // Pad ... Titles
  int flash = -1;
  int line = -1;
};

// Fills `layers` with one record per row (record i shown in row i + 1) and
// gives the grid its rows and "Id" cells.
inline void buildTable(MainFormModel& form, const std::vector<Row>& rows) {
  layers.clear();
  drills.clear();
  std::vector<std::wstring> types;
  for (int k = 0; k < 20; ++k) types.push_back(L"type" + std::to_wstring(k));
  for (const Row& row : rows) {
    Tlayer layer;
    layer.pcad.name = row.name;
    layer.pcad.ltype = row.ltype;
    layer.Exp = std::make_shared<widgets::CheckBox>();
    layer.Exp->setChecked(row.exported);
    for (int k = 0; k < kObjectClassCount; ++k) {
      layer.pcad.boxRef(k) = std::make_shared<widgets::CheckBox>();
      layer.pcad.boxRef(k)->setChecked(row.classes[static_cast<size_t>(k)]);
    }
    layer.cam.LTCB = std::make_shared<widgets::DropDown>();
    layer.cam.LTCB->setItems(types);
    layer.cam.LTCB->setItemIndex(row.type);
    layer.cam.Fcolor = std::make_shared<widgets::ColourBox>();
    layer.cam.Fcolor->fillPalette();
    layer.cam.Fcolor->setItemIndex(row.flash);
    layer.cam.Lcolor = std::make_shared<widgets::ColourBox>();
    layer.cam.Lcolor->fillPalette();
    layer.cam.Lcolor->setItemIndex(row.line);
    layers.push_back(std::move(layer));
  }
  form.AdvStringGrid1.setSize(16, static_cast<int>(rows.size()) + 1);
  for (size_t i = 0; i < rows.size(); ++i) {
    form.AdvStringGrid1.setCell(15, static_cast<int>(i) + 1, std::to_wstring(i));
  }
}

}  // namespace exporttest
