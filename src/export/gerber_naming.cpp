// Gerber file naming (see gerber_naming.h).
#include "export/gerber_naming.h"

#include "base/error.h"
#include "base/int_text.h"
#include "layers/layer_table.h"

namespace exportcore {

int rowLayerIndex(const layers::LayerTableModel& table, int row) {
  const int32_t index = base::strToInt(table.grid.cell(layers::kColId, row));
  if (index < 0 || static_cast<size_t>(index) >= table.rows.size()) base::throwListIndex(index);
  return index;
}

layers::LayerRow& rowLayer(layers::LayerTableModel& table, int row) {
  return table.rows[static_cast<size_t>(rowLayerIndex(table, row))];
}

const layers::LayerRow& rowLayer(const layers::LayerTableModel& table, int row) {
  return table.rows[static_cast<size_t>(rowLayerIndex(table, row))];
}

const wchar_t* baseExtension(int camType) {
  static const wchar_t* const kExtensions[] = {L"GTL",   L"G",     L"GP",  L"GBL", L"GRB", L"brd",
                                               L"GTO",   L"GBO",   L"GTS", L"GBS", L"GM",  L"ppl",
                                               L"rdtop", L"rdbot", L"ins", L"GTP", L"GBP", L"txt"};
  constexpr int kCount = static_cast<int>(sizeof kExtensions / sizeof kExtensions[0]);
  return camType >= 0 && camType < kCount ? kExtensions[camType] : L"gbr";
}

std::wstring gerberExtension(const layers::LayerTableModel& table, int row) {
  const int type = rowLayer(table, row).camType();
  int counter = 0;
  for (int r = 1; r < row; ++r) {
    if (rowLayer(table, r).camType() == type) ++counter;
  }
  // Inner signal and plane layers are numbered from the first one on.
  if (type == 1 || type == 2) ++counter;
  std::wstring ext = baseExtension(type);
  if (counter > 0) ext += std::to_wstring(counter);
  return ext;
}

std::wstring flagText(bool flag) { return flag ? L"true" : L"false"; }

}  // namespace exportcore
