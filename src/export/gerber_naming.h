// Gerber file naming: the extension of a layer row's Gerber file from its
// CAM layer type and the rows of the same type above it, the text form of a
// flag in the job description, and the way from a table row to its record.
#pragma once

#include <string>

#include "layers/layer_model.h"
#include "layers/layer_table_model.h"

namespace exportcore {

// The index in the model's records of table row `row` (1 = first layer row),
// read from its "Id" cell. Throws AppError when the cell is no integer or no
// record.
int rowLayerIndex(const layers::LayerTableModel& table, int row);
layers::LayerRow& rowLayer(layers::LayerTableModel& table, int row);
const layers::LayerRow& rowLayer(const layers::LayerTableModel& table, int row);

// The bare extension of a CAM layer type index: "GTL", "G", ... "gbr".
const wchar_t* baseExtension(int camType);

// Extension (without the dot) of the Gerber file of table row `row`.
std::wstring gerberExtension(const layers::LayerTableModel& table, int row);

// "true" or "false".
std::wstring flagText(bool flag);

}  // namespace exportcore
