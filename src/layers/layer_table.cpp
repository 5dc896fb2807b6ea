// Building the layer table: ordering the records, creating each row's
// controls, laying out the grid, presetting the rows from their editor class
// and the [layers] settings, and binding the table's rules.
#include "layers/layer_table.h"

#include <memory>
#include <optional>

#include "layers/board_type_code.h"
#include "base/int_text.h"
#include "layers/text_pieces.h"
#include "layers/layer_model.h"
#include "layers/matrix_rules.h"

namespace layers {
namespace {

struct ColumnLayout {
  const wchar_t* header;
  int width;
};

constexpr ColumnLayout kLayout[kLayerTableCols] = {
    {L"", 20},
    {L"Ex", 20},
    {L"Layer (pcad)", 80},
    {L"Layer type(cam)", 120},
    {L"Flash color", 40},
    {L"Line color", 40},
    {L"Pa", 20},
    {L"Vi", 20},
    {L"PV", 20},
    {L"NH", 20},
    {L"RD", 21},
    {L"Ty", 20},
    {L"Va", 20},
    {L"Mi", 20},
    {L"Ti", 20},
    {L"Id", 30},
};

// What a row starts with: the [layers] key whose colours it takes, its type
// and the object-class boxes checked (bit k = box k).
struct RowPreset {
  int key;
  int type;
  unsigned boxes;
};

constexpr unsigned kPadBit = 1u << 0;
constexpr unsigned kViasBit = 1u << 1;
constexpr unsigned kRefDesBit = 1u << 4;

std::optional<RowPreset> presetOf(const EditorLayer& layer) {
  const std::wstring& name = layer.name;
  switch (layer.layerClass) {
    case kSignalLayer:
      if (name == L"Top") return RowPreset{0, 0, kPadBit | kViasBit};
      if (name == L"Bottom") return RowPreset{3, 3, kPadBit | kViasBit};
      return RowPreset{1, 1, kPadBit | kViasBit};
    case kPlaneLayer:
      return RowPreset{2, 2, kPadBit | kViasBit};
    case kNonSignalLayer:
      if (name == L"Top Mask") return RowPreset{8, 8, kPadBit};
      if (name == L"Bot Mask") return RowPreset{9, 9, kPadBit};
      if (name == L"Top Silk") return RowPreset{6, 6, kRefDesBit};
      if (name == L"Bot Silk") return RowPreset{7, 7, kRefDesBit};
      if (name == L"Board") return RowPreset{5, 5, 0};
      return RowPreset{4, -1, 0};
    default:
      return std::nullopt;
  }
}

void createControls(LayerTableModel& table, size_t i, const std::vector<std::wstring>& typeKeys) {
  LayerRow& layer = table.rows[i];
  layer.exportBox = std::make_shared<widgets::CheckBox>();
  layer.exportBox->setOnClick(
      [&table](widgets::CheckBox& sender) { onExportBoxClick(table, sender); });
  for (int k = 0; k < kObjectClassCount; ++k)
    layer.editor.boxRef(k) = std::make_shared<widgets::CheckBox>();
  layer.cam.flashColour = std::make_shared<widgets::ColourBox>();
  layer.cam.flashColour->fillPalette();
  layer.cam.lineColour = std::make_shared<widgets::ColourBox>();
  layer.cam.lineColour->fillPalette();
  layer.cam.typeBox = std::make_shared<widgets::DropDown>();
  layer.cam.typeBox->setItems(typeKeys);
  // The record's position never changes once the table exists.
  layer.cam.typeBox->onClick = [&table, i](widgets::DropDown&) {
    if (i < table.rows.size()) table.rows[i].presetObjectClasses();
  };
}

// Line colour from piece 2, then flash colour from piece 1; a missing or
// non-integer piece ends the step.
void presetColours(LayerRow& layer, const std::wstring& value) {
  const std::vector<std::wstring> pieces = splitPieces(value, L',');
  if (pieces.size() < 3) return;
  int32_t line = 0;
  if (!base::parseInt(pieces[2], line)) return;
  layer.cam.lineColour->setItemIndex(line);
  int32_t flash = 0;
  if (!base::parseInt(pieces[1], flash)) return;
  layer.cam.flashColour->setItemIndex(flash);
}

void placeRow(LayerTableModel& table, size_t i, const std::vector<std::wstring>& typeKeys,
              const LayerKeyReader& readValue) {
  widgets::GridModel& grid = table.grid;
  LayerRow& layer = table.rows[i];
  const int row = static_cast<int>(i) + 1;
  grid.setControl(kColExport, row, layer.exportBox.get());
  grid.setCell(kColName, row, layer.editor.name);
  grid.setControl(kColType, row, layer.cam.typeBox.get());
  grid.setControl(kColFlashColour, row, layer.cam.flashColour.get());
  grid.setControl(kColLineColour, row, layer.cam.lineColour.get());
  for (int k = 0; k < kObjectClassCount; ++k) {
    widgets::CheckBox* box = layer.editor.box(k);
    grid.setControl(kColFirstClass + k, row, box);
    box->setOnClick([&table](widgets::CheckBox& sender) { onClassBoxClick(table, sender); });
  }
  grid.setCell(kColId, row, std::to_wstring(i));

  const std::optional<RowPreset> preset = presetOf(layer.editor);
  if (!preset) return;
  // Without the preset's key in the type list the row gets no type and no
  // colours, only its object classes.
  if (preset->key < static_cast<int>(typeKeys.size())) {
    const std::wstring value =
        readValue ? readValue(typeKeys[static_cast<size_t>(preset->key)]) : std::wstring();
    layer.cam.typeBox->setItemIndex(preset->type);
    presetColours(layer, value);
  }
  for (int k = 0; k < kObjectClassCount; ++k)
    layer.editor.box(k)->setChecked((preset->boxes >> k) & 1u);
}

}  // namespace

int recordOfRow(const LayerTableModel& table, int row) {
  int32_t id = -1;
  if (!base::parseInt(table.grid.cell(kColId, row), id)) return -1;
  if (id < 0 || static_cast<size_t>(id) >= table.rows.size()) return -1;
  return id;
}

void bindViasSwitch(LayerTableModel& table) {
  table.viasCoveredByMask.setOnClick([&table](widgets::CheckBox&) { onViasSwitchClick(table); });
}

void buildLayerTable(LayerTableModel& table, const std::vector<std::wstring>& typeKeys,
                     const LayerKeyReader& readValue) {
  bindViasSwitch(table);
  sortForTable(table.rows);
  for (size_t i = 0; i < table.rows.size(); ++i) createControls(table, i, typeKeys);

  widgets::GridModel& grid = table.grid;
  grid.setSize(kLayerTableCols, 1 + static_cast<int>(table.rows.size()));
  for (int c = 0; c < kLayerTableCols; ++c) {
    grid.setColWidth(c, grid.scaled(kLayout[c].width));
    grid.setCell(c, 0, kLayout[c].header);
  }
  for (size_t i = 0; i < table.rows.size(); ++i) placeRow(table, i, typeKeys, readValue);
}

}  // namespace layers
