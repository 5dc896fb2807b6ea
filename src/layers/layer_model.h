// The board's layers as the program holds them: one row record per layer of
// the editor's layer list, the drill files of an export, the editor layer
// class, the CAM layer type groups and the table's ordering. A record refers
// to its row's controls; their state is the row's state.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "widgets/controls.h"

namespace layers {

// Editor layer classes.
constexpr int32_t kSignalLayer = 1;
constexpr int32_t kPlaneLayer = 2;
constexpr int32_t kNonSignalLayer = 3;
constexpr int32_t kUnclassifiedLayer = -1;

// The nine object classes, in column and job order.
constexpr int kObjectClassCount = 9;
extern const wchar_t* const kObjectClassNames[kObjectClassCount];  // "Pad" ... "Titles"

// The layer as the editor lists it, and its object-class boxes.
struct EditorLayer {
  std::wstring name;
  std::shared_ptr<widgets::CheckBox> pad, vias, pvHoles, noMtHole, refDes, componentType, value,
      mirror, titles;
  int32_t layerClass = 0;

  // Box k of the nine, 0 = Pad ... 8 = Titles.
  widgets::CheckBox* box(int k) const;
  std::shared_ptr<widgets::CheckBox>& boxRef(int k);
};

// What the layer becomes in the output: its CAM layer type and colours.
struct CamLayer {
  std::shared_ptr<widgets::DropDown> typeBox;
  std::shared_ptr<widgets::ColourBox> lineColour;
  std::shared_ptr<widgets::ColourBox> flashColour;
};

struct LayerRow {
  std::shared_ptr<widgets::CheckBox> exportBox;
  int32_t sortKey = 0;
  EditorLayer editor;
  CamLayer cam;
  std::wstring gerberPath;  // set by the job description writer

  // Checked state of the export box; false while the row has no controls.
  bool exported() const { return exportBox && exportBox->checked(); }
  // CAM layer type index; -1 while the row has no type drop-down.
  int camType() const { return cam.typeBox ? cam.typeBox->itemIndex() : -1; }

  // Click handler of the row's type drop-down: presets the nine object-class
  // boxes for the picked type; each box that changes runs its own handler.
  void presetObjectClasses();
};

// A drill file the export asks for: the table rows of its layer pair
// (-1 for the single drill file of a board without pairs) and its path.
struct DrillFile {
  int32_t fromRow = -1;
  int32_t toRow = -1;
  std::wstring path;
};

// Editor layer class of a type text: "SEA"/"SEV"/"SEH" 1, "PE " 2, "NE " 3,
// anything else -1.
int32_t layerClassOf(const std::wstring& typeText);

// Appends one record with its name and editor layer class.
void addEditorLayer(std::vector<LayerRow>& rows, const std::wstring& name,
                    const std::wstring& typeText);

// Gives every record its sort key and orders the records by it, stably.
void sortForTable(std::vector<LayerRow>& rows);

// CAM layer type groups.
enum class LayerGroup { Metal, Mask, Silk, Other };
LayerGroup groupOf(int camType);

}  // namespace layers
