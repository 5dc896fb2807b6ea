// The object-class matrix: presets on a type change, the red marking of
// boxes that deviate from what the row's type expects, and the vias switch
// of mask layers.
#pragma once

#include <cstdint>
#include <string>

#include "app/main_form_model.h"
#include "layers/layer_model.h"

constexpr uint32_t kMarkColour = 0xFF0000;

// Where an object-class box sits: its record, class name and grid cell.
struct CbIndex {
  int index = -1;  // position in `layers`
  std::wstring className;
  int col = -1;
  int row = -1;
};

CbIndex getcbindex(const MainFormModel& form, const widgets::CheckBox* t);

// Marks (red) or unmarks a cell of the grid.
void paint(MainFormModel& form, int col, int row, bool flag);

// Click handler of every object-class box.
void CheckBoxmatrixClick(MainFormModel& form, widgets::CheckBox& Sender);

// Click handler of the vias switch CheckBox2.
void onViasCoveredByMaskClick(MainFormModel& form);

// Re-derives `Vias` of every exported mask row from CheckBox2.
void fillchecbox(MainFormModel& form);
