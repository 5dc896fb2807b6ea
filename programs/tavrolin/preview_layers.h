// What the preview window shows of a finished export: one entry per file
// the run left (the Gerber file of every exported row, then the drill
// files kept), its name in the layer list, its colours, and the order in
// which the entries are stacked when the board is seen from the top or
// from the bottom.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "export/drill_check.h"
#include "layers/layer_table_model.h"

namespace app {

// Colour of entries without a chosen colour, and of the drill holes (0xRRGGBB).
inline constexpr uint32_t kUnchosenColour = 0x808080;
inline constexpr uint32_t kDrillColour = 0xFFFFFF;

struct PreviewLayer {
  std::wstring label;  // the layer list's text: "Top (.GTL)", "Сверловка 1-4 (.TXT)"
  std::wstring path;   // the file as the run left it
  int camType = -1;    // the row's CAM layer type; -1 for a drill file
  bool drill = false;
  uint32_t flashRgb = kUnchosenColour;  // pads and other flashes
  uint32_t lineRgb = kUnchosenColour;   // tracks, arcs and regions
  bool translucent = false;             // mask and paste: what lies under them shows through
};

// The entries of a finished run: the exported rows in table order, each in
// its row's colours, then the drill files in the order they were kept.
std::vector<PreviewLayer> previewLayers(const layers::LayerTableModel& table,
                                        const std::vector<exportcore::KeptDrill>& kept);

// The order in which to draw `layers`, farthest from the viewer first: seen
// from the top, the bottom side's layers, the inner ones, then the top
// side's (copper, mask, paste, silk, assembly); seen from the bottom the
// same with the sides swapped. Layers of neither side (outline, mechanical,
// untyped) come after them and the drill files last of all. Inner layers
// nearer the viewer are drawn later: table order from the bottom, the
// reverse from the top.
std::vector<size_t> drawingOrder(const std::vector<PreviewLayer>& layers, bool fromBottom);

}  // namespace app
