// The object-class matrix: presets on a type change, the red marking of
// boxes that deviate from what the row's type expects, and the vias switch
// of mask layers.
#pragma once

#include <cstdint>
#include <string>

#include "layers/layer_model.h"
#include "layers/layer_table_model.h"

namespace layers {

constexpr uint32_t kMarkColour = 0xFF0000;

// Where an object-class box sits: its record, class name and grid cell.
struct ClassBoxPlace {
  int index = -1;  // position in the model's records
  std::wstring className;
  int col = -1;
  int row = -1;
};

ClassBoxPlace findClassBox(const LayerTableModel& table, const widgets::CheckBox* box);

// Marks (red) or unmarks a cell of the grid.
void markCell(LayerTableModel& table, int col, int row, bool marked);

// Marks or unmarks the nine object-class cells of a grid row afresh.
void markRowDeviations(LayerTableModel& table, int row);

// Click handler of every object-class box.
void onClassBoxClick(LayerTableModel& table, widgets::CheckBox& sender);

// Click handler of the vias switch.
void onViasSwitchClick(LayerTableModel& table);

// Re-derives the vias box of every exported mask row from the vias switch.
void applyViasSwitch(LayerTableModel& table);

}  // namespace layers
