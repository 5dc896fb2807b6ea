// The board type code "M K S" typed into its edit: what typing does to the
// text, applying a complete code to the export boxes, and the export box
// click that keeps the counts and writes them back into the code.
#pragma once

#include <vector>

#include "layers/layer_table_model.h"
#include "widgets/controls.h"

namespace layers {

// Key handler of the code's edit. Key 0 on return means the key was
// swallowed; Backspace (8) and the blank (32) pass to the field unchanged.
void onBoardTypeCodeKey(LayerTableModel& table, wchar_t& key);

// Records whose editor layer class is below 3 (signal, plane, unclassified).
int conductiveLayerCount(const std::vector<LayerRow>& rows);

// Click handler of every export box; runs after the state has changed.
void onExportBoxClick(LayerTableModel& table, widgets::CheckBox& sender);

// Position of the record whose export box is `box` (the last if several), or -1.
int indexOfExportBox(const std::vector<LayerRow>& rows, const widgets::CheckBox* box);

// Applies the code's text when it is a complete code (three fields);
// otherwise does nothing. A field that is not an integer raises the
// invalid-integer error before any box changes.
void applyBoardTypeCode(LayerTableModel& table);

}  // namespace layers
