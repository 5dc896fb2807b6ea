// The state of the main window that the program's rules read and change:
// the layer records, the layer table grid, the board type code edit and its
// count label, the two switches of the top band, the values of the bottom
// band and the drill files of the current export. The main window shows it;
// the rules of the layer table and the export run act on it, natively in the
// unit tests as on the screen.
#pragma once

#include <string>
#include <vector>

#include "layers/layer_model.h"
#include "widgets/controls.h"
#include "widgets/grid_model.h"

namespace layers {

struct LayerTableModel {
  std::vector<LayerRow> rows;        // one per editor layer, in table order once built
  std::vector<DrillFile> drills;     // the drill files the current export asks for
  widgets::GridModel grid;           // the layer table
  widgets::TextBox boardTypeCode;    // "M K S"
  widgets::TextBox otherLayerCount;  // exported rows of the other group
  widgets::CheckBox bindToType;      // "Привязка к типу", ticked at start
  widgets::CheckBox viasCoveredByMask;  // "Переходные закрыты маской.", ticked at start

  widgets::TextBox solderMaskSwell;
  widgets::TextBox planeSwell;
  widgets::TextBox drawApertureSize;
  widgets::TextBox offsetX;
  widgets::TextBox offsetY;
  widgets::TextBox outputDir;    // always ends with a path separator once set
  widgets::TextBox choicesNote;  // what became of the choices kept from the last export
  bool inch = false;             // export units: "Inch" chosen, else "MM"

  LayerTableModel();
};

}  // namespace layers
