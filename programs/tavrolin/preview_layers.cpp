// The entries of the preview window and their stacking (see preview_layers.h).
#include "tavrolin/preview_layers.h"

#include <algorithm>

namespace app {
namespace {

// The side a CAM layer type belongs to, as the shipped [layers] list has the
// types: 0 top copper, 1 inner copper, 2 plane, 3 bottom copper, 4 drill
// drawing, 5 outline, 6/7 silk, 8/9 mask, 10 mechanical, 11 inner copper,
// 12/13 assembly, 14 isolation, 15/16 paste, 17 text.
enum class Side { Top, Inner, Bottom, Neither };

struct TypeInfo {
  Side side;
  int depth;  // within its side: 0 for the copper, larger further out
  bool translucent;
};

TypeInfo typeInfo(int camType) {
  switch (camType) {
    case 0:
      return {Side::Top, 0, false};
    case 3:
      return {Side::Bottom, 0, false};
    case 8:
      return {Side::Top, 1, true};
    case 9:
      return {Side::Bottom, 1, true};
    case 15:
      return {Side::Top, 2, true};
    case 16:
      return {Side::Bottom, 2, true};
    case 6:
      return {Side::Top, 3, false};
    case 7:
      return {Side::Bottom, 3, false};
    case 12:
      return {Side::Top, 4, false};
    case 13:
      return {Side::Bottom, 4, false};
    case 1:
    case 2:
    case 11:
    case 14:
      return {Side::Inner, 0, false};
    default:
      return {Side::Neither, 0, false};
  }
}

uint32_t paletteRgb(const std::shared_ptr<widgets::ColourBox>& box) {
  if (!box) return kUnchosenColour;
  const int index = box->itemIndex();
  const auto& palette = widgets::layerPalette();
  if (index < 0 || index >= static_cast<int>(palette.size())) return kUnchosenColour;
  return palette[static_cast<size_t>(index)].rgb;
}

// ".GTL" of "D:\\out\\board.GTL"; the whole file name when it has no dot.
std::wstring extensionOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? name : name.substr(dot);
}

// Draw rank: larger is nearer the viewer. The side facing the viewer comes
// copper first and assembly last, the far side the other way round.
int rankOf(const PreviewLayer& layer, bool fromBottom) {
  if (layer.drill) return 100;
  const TypeInfo info = typeInfo(layer.camType);
  switch (info.side) {
    case Side::Inner:
      return 20;
    case Side::Neither:
      return 50;
    case Side::Top:
    case Side::Bottom:
      break;
  }
  const bool facing = (info.side == Side::Bottom) == fromBottom;
  return facing ? 30 + info.depth : 10 - info.depth;
}

}  // namespace

std::vector<PreviewLayer> previewLayers(const layers::LayerTableModel& table,
                                        const std::vector<exportcore::KeptDrill>& kept) {
  std::vector<PreviewLayer> out;
  for (const layers::LayerRow& row : table.rows) {
    if (!row.exported() || row.gerberPath.empty()) continue;
    PreviewLayer layer;
    layer.label = row.editor.name + L" (" + extensionOf(row.gerberPath) + L")";
    layer.path = row.gerberPath;
    layer.camType = row.camType();
    layer.flashRgb = paletteRgb(row.cam.flashColour);
    layer.lineRgb = paletteRgb(row.cam.lineColour);
    layer.translucent = typeInfo(layer.camType).translucent;
    out.push_back(std::move(layer));
  }
  for (const exportcore::KeptDrill& drill : kept) {
    PreviewLayer layer;
    std::wstring name = L"Сверловка";
    if (drill.request.fromRow >= 0 && drill.request.toRow >= 0) {
      name += L" " + std::to_wstring(drill.request.fromRow) + L"-" +
              std::to_wstring(drill.request.toRow);
    }
    layer.label = name + L" (" + extensionOf(drill.path) + L")";
    layer.path = drill.path;
    layer.drill = true;
    layer.flashRgb = layer.lineRgb = kDrillColour;
    out.push_back(std::move(layer));
  }
  return out;
}

std::vector<size_t> drawingOrder(const std::vector<PreviewLayer>& layers, bool fromBottom) {
  std::vector<size_t> order(layers.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  auto rank = [&](size_t i) { return rankOf(layers[i], fromBottom); };
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const int ra = rank(a), rb = rank(b);
    if (ra != rb) return ra < rb;
    // equal rank: table order seen from the bottom, the reverse from the top,
    // so that the inner layer nearer the viewer is drawn later
    return fromBottom ? a < b : a > b;
  });
  return order;
}

}  // namespace app
