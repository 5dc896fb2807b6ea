// Gerber file naming (see gerber_naming.h).
#include "export/gerber_naming.h"

#include "base/error.h"
#include "base/int_text.h"

namespace exportcore {

int rowLayerIndex(const widgets::GridModel& grid, int row) {
  const int32_t index = base::strToInt(grid.cell(kIdColumn, row));
  if (index < 0 || static_cast<size_t>(index) >= layers.size()) base::throwListIndex(index);
  return index;
}

Tlayer& rowLayer(const widgets::GridModel& grid, int row) {
  return layers[static_cast<size_t>(rowLayerIndex(grid, row))];
}

const wchar_t* baseExtension(int camType) {
  static const wchar_t* const kExtensions[] = {
      L"GTL", L"G",  L"GP",  L"GBL",   L"GRB",   L"brd", L"GTO", L"GBO", L"GTS",
      L"GBS", L"GM", L"ppl", L"rdtop", L"rdbot", L"ins", L"GTP", L"GBP", L"txt"};
  constexpr int kCount = static_cast<int>(sizeof kExtensions / sizeof kExtensions[0]);
  return camType >= 0 && camType < kCount ? kExtensions[camType] : L"gbr";
}

}  // namespace exportcore

std::wstring GetExt(const widgets::GridModel& grid, int index) {
  const int type = exportcore::rowLayer(grid, index).camType();
  int counter = 0;
  for (int r = 1; r < index; ++r) {
    if (exportcore::rowLayer(grid, r).camType() == type) ++counter;
  }
  // Inner signal and plane layers are numbered from the first one on.
  if (type == 1 || type == 2) ++counter;
  std::wstring ext = exportcore::baseExtension(type);
  if (counter > 0) ext += std::to_wstring(counter);
  return ext;
}

std::wstring b2s(bool b) { return b ? L"true" : L"false"; }
