// The layer table: builds the grid rows of the model's records with their
// controls, presets each row from its editor layer class, name and the
// [layers] section of the settings, and binds the rules of the matrix and of
// the board type code to the controls. Independent of any window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "layers/layer_table_model.h"
#include "widgets/grid_model.h"

namespace layers {

// Grid columns of the layer table.
constexpr int kColExport = 1;
constexpr int kColName = 2;
constexpr int kColType = 3;
constexpr int kColFlashColour = 4;
constexpr int kColLineColour = 5;
constexpr int kColFirstClass = 6;  // Pad; the nine classes are 6 to 14
constexpr int kColId = 15;         // the row's index in the model's records
constexpr int kLayerTableCols = 16;

// Reads the value of a key of the [layers] section; empty when absent.
using LayerKeyReader = std::function<std::wstring(const std::wstring& key)>;

// The row presets use the type key positions 0 to 9: a type list shorter
// than this is not usable.
constexpr size_t kPresetTypeKeys = 10;

// Orders the model's records, creates every row's controls, fills the grid
// and presets the rows. typeKeys are the key names of [layers] in file
// order. A row whose preset needs a key position that typeKeys lacks gets no
// type and no colours, only its object classes (with no type list at all the
// table still shows every layer). Also binds the vias switch (see
// bindViasSwitch). The model must outlive the controls.
void buildLayerTable(LayerTableModel& table, const std::vector<std::wstring>& typeKeys,
                     const LayerKeyReader& readValue);

// Binds the main window's own switch: its click runs onViasSwitchClick.
void bindViasSwitch(LayerTableModel& table);

// The position in the model's records that a grid row's "Id" cell names, or
// -1 when the cell is not a valid position.
int recordOfRow(const LayerTableModel& table, int row);

}  // namespace layers
