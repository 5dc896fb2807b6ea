// Gerber file naming: the extension of a layer row's Gerber file from its
// CAM layer type and the rows of the same type above it, the text form of a
// flag in the job description, and the way from a table row to its record.
#pragma once

#include <string>

#include "layers/layer_model.h"
#include "widgets/grid_model.h"

namespace exportcore {

// Column of the layer table that holds each row's index in `layers`.
constexpr int kIdColumn = 15;

// The index in `layers` of table row `row` (1 = first layer row), read from
// its "Id" cell. Throws AppError when the cell is no integer or no record.
int rowLayerIndex(const widgets::GridModel& grid, int row);
Tlayer& rowLayer(const widgets::GridModel& grid, int row);

// The bare extension of a CAM layer type index: "GTL", "G", ... "gbr".
const wchar_t* baseExtension(int camType);

}  // namespace exportcore

// Extension (without the dot) of the Gerber file of table row `index`.
std::wstring GetExt(const widgets::GridModel& grid, int index);

// "true" or "false".
std::wstring b2s(bool b);
