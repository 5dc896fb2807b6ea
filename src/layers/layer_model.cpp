// The layer records, the editor layer class of a type text, the CAM layer
// type groups and the one-time ordering of the records.
#include "layers/layer_model.h"

#include <utility>

std::vector<Tlayer> layers;
std::vector<drill> drills;

const wchar_t* const kObjectClassNames[kObjectClassCount] = {
    L"Pad", L"Vias", L"PVHoles", L"NoMtHole", L"RefDes", L"Tipe", L"Value", L"Mirror", L"Titles"};

widgets::CheckBox* TLpcad::box(int k) const {
  switch (k) {
    case 0: return Pad.get();
    case 1: return Vias.get();
    case 2: return PVHoles.get();
    case 3: return NoMtHole.get();
    case 4: return RefDes.get();
    case 5: return Tipe.get();
    case 6: return Value.get();
    case 7: return Mirror.get();
    case 8: return Titles.get();
    default: return nullptr;
  }
}

std::shared_ptr<widgets::CheckBox>& TLpcad::boxRef(int k) {
  switch (k) {
    case 0: return Pad;
    case 1: return Vias;
    case 2: return PVHoles;
    case 3: return NoMtHole;
    case 4: return RefDes;
    case 5: return Tipe;
    case 6: return Value;
    case 7: return Mirror;
    default: return Titles;
  }
}

int32_t layerClassOf(const std::wstring& tipe) {
  if (tipe == L"SEA" || tipe == L"SEV" || tipe == L"SEH") return kSignalLayer;
  if (tipe == L"PE ") return kPlaneLayer;
  if (tipe == L"NE ") return kNonSignalLayer;
  return kUnclassifiedLayer;
}

void addlayer(const std::wstring& name, const std::wstring& tipe) {
  Tlayer record;
  record.pcad.name = name;
  record.pcad.ltype = layerClassOf(tipe);
  layers.push_back(std::move(record));
}

namespace {

int32_t sortKeyOf(const TLpcad& pcad, int position) {
  const std::wstring& name = pcad.name;
  if (pcad.ltype == kSignalLayer && name == L"Top") return 0;
  if (pcad.ltype == kSignalLayer && name == L"Bottom") return 1000;
  if (pcad.ltype == kSignalLayer || pcad.ltype == kPlaneLayer) return position + 1;
  if (pcad.ltype == kNonSignalLayer) {
    if (name == L"Top Mask") return 1001;
    if (name == L"Bot Mask") return 1002;
    if (name == L"Top Silk") return 1003;
    if (name == L"Bot Silk") return 1004;
    if (name == L"Board") return 1005;
  }
  return 1006;
}

}  // namespace

void sortmass() {
  const int n = static_cast<int>(layers.size());
  for (int p = 0; p < n; ++p) layers[p].id = sortKeyOf(layers[p].pcad, p);
  // Exchange sort: a record moves only past strictly greater keys, so equal
  // keys keep the editor's order.
  for (int i = 1; i < n; ++i)
    for (int j = n - 1; j >= i; --j)
      if (layers[j - 1].id > layers[j].id) std::swap(layers[j - 1], layers[j]);
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
