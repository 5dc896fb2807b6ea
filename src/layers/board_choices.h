// The operator's choices for one board, apart from the controls that hold
// them: the board type code, the two switches of the top band, the export
// units, the offsets and, per layer by its name, the export box, the CAM
// type by its name, the two colours and the nine object-class boxes. Taken
// from the main window's model at export and put back onto a freshly built
// table at the next start, or onto the rules' table by the reset command.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "layers/layer_model.h"
#include "layers/layer_table_model.h"

namespace layers {

struct LayerChoice {
  std::wstring name;      // the layer name as the editor shows it
  bool exported = false;  // the export box
  std::wstring typeName;  // the CAM type's name; empty for no type
  int flashColour = -1;   // palette position; -1 for none
  int lineColour = -1;
  std::array<bool, kObjectClassCount> classes{};  // Pad ... Titles
};

struct BoardChoices {
  std::wstring boardTypeCode;  // as the edit shows it
  bool bindToType = true;
  bool viasCoveredByMask = true;
  bool inch = false;
  std::wstring offsetX;
  std::wstring offsetY;
  std::vector<LayerChoice> layers;  // in the table's display order
};

// What a restore could not take over as saved.
struct RestoreNotes {
  std::vector<std::wstring> newLayers;    // rows whose name the choices do not hold
  std::vector<std::wstring> unknownType;  // layers whose saved type the list lacks
  std::vector<std::wstring> badColour;    // layers with a colour outside the palette
};

// The choices the model shows now.
BoardChoices choicesOf(const LayerTableModel& table);

// Puts the choices onto the model: the switches, code, units and offsets;
// then every row whose name they hold (the n-th row of a name takes the n-th
// saved layer of that name) takes its saved export box, type, colours and
// object-class boxes, without running the rules of the boxes, and these rows
// take the saved order among the places they hold; rows they do not hold
// keep what they have and where they are. A type the row's list lacks and a colour
// outside the palette leave that control empty and are noted. Finally every
// cell of the matrix is marked afresh and the other-group count is shown.
RestoreNotes applyChoices(LayerTableModel& table, const BoardChoices& choices);

}  // namespace layers
