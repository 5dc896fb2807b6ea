// The layer records, the editor layer class of a type text, the CAM layer
// type groups and the one-time ordering of the records.
#include "layers/layer_model.h"

#include <utility>

namespace layers {

const wchar_t* const kObjectClassNames[kObjectClassCount] = {
    L"Pad", L"Vias", L"PVHoles", L"NoMtHole", L"RefDes", L"Tipe", L"Value", L"Mirror", L"Titles"};

widgets::CheckBox* EditorLayer::box(int k) const {
  switch (k) {
    case 0:
      return pad.get();
    case 1:
      return vias.get();
    case 2:
      return pvHoles.get();
    case 3:
      return noMtHole.get();
    case 4:
      return refDes.get();
    case 5:
      return componentType.get();
    case 6:
      return value.get();
    case 7:
      return mirror.get();
    case 8:
      return titles.get();
    default:
      return nullptr;
  }
}

std::shared_ptr<widgets::CheckBox>& EditorLayer::boxRef(int k) {
  switch (k) {
    case 0:
      return pad;
    case 1:
      return vias;
    case 2:
      return pvHoles;
    case 3:
      return noMtHole;
    case 4:
      return refDes;
    case 5:
      return componentType;
    case 6:
      return value;
    case 7:
      return mirror;
    default:
      return titles;
  }
}

int32_t layerClassOf(const std::wstring& typeText) {
  if (typeText == L"SEA" || typeText == L"SEV" || typeText == L"SEH") return kSignalLayer;
  if (typeText == L"PE ") return kPlaneLayer;
  if (typeText == L"NE ") return kNonSignalLayer;
  return kUnclassifiedLayer;
}

void addEditorLayer(std::vector<LayerRow>& rows, const std::wstring& name,
                    const std::wstring& typeText) {
  LayerRow record;
  record.editor.name = name;
  record.editor.layerClass = layerClassOf(typeText);
  rows.push_back(std::move(record));
}

namespace {

int32_t sortKeyOf(const EditorLayer& layer, int position) {
  const std::wstring& name = layer.name;
  if (layer.layerClass == kSignalLayer && name == L"Top") return 0;
  if (layer.layerClass == kSignalLayer && name == L"Bottom") return 1000;
  if (layer.layerClass == kSignalLayer || layer.layerClass == kPlaneLayer) return position + 1;
  if (layer.layerClass == kNonSignalLayer) {
    if (name == L"Top Mask") return 1001;
    if (name == L"Bot Mask") return 1002;
    if (name == L"Top Silk") return 1003;
    if (name == L"Bot Silk") return 1004;
    if (name == L"Board") return 1005;
  }
  return 1006;
}

}  // namespace

void sortForTable(std::vector<LayerRow>& rows) {
  const int n = static_cast<int>(rows.size());
  for (int p = 0; p < n; ++p) rows[p].sortKey = sortKeyOf(rows[p].editor, p);
  // Exchange sort: a record moves only past strictly greater keys, so equal
  // keys keep the editor's order.
  for (int i = 1; i < n; ++i)
    for (int j = n - 1; j >= i; --j)
      if (rows[j - 1].sortKey > rows[j].sortKey) std::swap(rows[j - 1], rows[j]);
}

LayerGroup groupOf(int camType) {
  switch (camType) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 11:
      return LayerGroup::Metal;
    case 8:
    case 9:
      return LayerGroup::Mask;
    case 6:
    case 7:
      return LayerGroup::Silk;
    default:
      return LayerGroup::Other;
  }
}

}  // namespace layers
