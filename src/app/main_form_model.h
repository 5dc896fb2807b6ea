// The state of the main window that the program's rules read and change:
// the layer table grid, the board type code edit and its count label, the
// two switches of the top band and the values of the bottom band. The main
// window shows it; the rules of the layer table and the export run act on
// it, natively in the unit tests as on the screen.
#pragma once

#include <string>

#include "widgets/controls.h"
#include "widgets/grid_model.h"

struct MainFormModel {
  widgets::GridModel AdvStringGrid1;  // the layer table
  widgets::TextBox Edit1;             // board type code
  widgets::TextBox Label17;           // count of exported rows of the other group
  widgets::CheckBox CheckBox1;        // "Привязка к типу", ticked at start
  widgets::CheckBox CheckBox2;        // "Переходные закрыты маской.", ticked at start

  widgets::TextBox solderMaskSwell;
  widgets::TextBox planeSwell;
  widgets::TextBox drawApertureSize;
  widgets::TextBox offsetX;
  widgets::TextBox offsetY;
  widgets::TextBox outputDir;  // always ends with a path separator once set
  bool inch = false;           // export units: "Inch" chosen, else "MM"

  MainFormModel();
};
