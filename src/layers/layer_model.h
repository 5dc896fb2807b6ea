// The board's layers as the program holds them: one record per layer of the
// editor's layer list (`layers`), the drill files of an export (`drills`),
// the editor layer class, the CAM layer type groups and the ordering
// `sortmass`. A record refers to its row's controls; their state is the
// row's state.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "widgets/controls.h"


// Editor layer classes.
constexpr int32_t kSignalLayer = 1;
constexpr int32_t kPlaneLayer = 2;
constexpr int32_t kNonSignalLayer = 3;
constexpr int32_t kUnclassifiedLayer = -1;

// The nine object classes, in column and job order.
constexpr int kObjectClassCount = 9;
extern const wchar_t* const kObjectClassNames[kObjectClassCount];  // "Pad" ... "Titles"

struct TLpcad {
  std::wstring name;
  std::shared_ptr<widgets::CheckBox> Pad, Vias, PVHoles, NoMtHole, RefDes, Tipe, Value, Mirror,
      Titles;
  int32_t ltype = 0;

  // Box k of the nine, 0 = Pad ... 8 = Titles.
  widgets::CheckBox* box(int k) const;
  std::shared_ptr<widgets::CheckBox>& boxRef(int k);
};

struct TLcam {
  int32_t Ltype = 0;
  std::shared_ptr<widgets::DropDown> LTCB;
  std::shared_ptr<widgets::ColourBox> Lcolor;
  std::shared_ptr<widgets::ColourBox> Fcolor;
};

struct Tlayer {
  std::shared_ptr<widgets::CheckBox> Exp;
  int32_t id = 0;
  TLpcad pcad;
  TLcam cam;
  std::wstring gerbername;

  // Checked state of the export box; false while the row has no controls.
  bool exported() const { return Exp && Exp->checked(); }
  // CAM layer type index; -1 while the row has no type drop-down.
  int camType() const { return cam.LTCB ? cam.LTCB->itemIndex() : -1; }

  // Click handler of the row's type drop-down: presets the nine object-class
  // boxes for the picked type; each box that changes runs its own handler.
  void LTCBClick();
};

struct drill {
  int32_t froml = -1;
  int32_t tol = -1;
  std::wstring drlput;
};

extern std::vector<Tlayer> layers;
extern std::vector<drill> drills;

// Editor layer class of a type text: "SEA"/"SEV"/"SEH" 1, "PE " 2, "NE " 3,
// anything else -1.
int32_t layerClassOf(const std::wstring& tipe);

// Appends one record with its name and editor layer class.
void addlayer(const std::wstring& name, const std::wstring& tipe);

// Gives every record its sort key and orders `layers` by it, stably.
void sortmass();

// CAM layer type groups.
enum class LayerGroup { Metal, Mask, Silk, Other };
LayerGroup groupOf(int camType);
