// The layer dialog and its list.
#include "layers_dialog.h"

#include <commctrl.h>

#include "editor_ids.h"

namespace standin {

LayersDialog::LayersDialog(StandinApp& app)
    : DialogWindow(app, kTitleLayers, L"\"" + std::wstring(kTitleLayers) + L"\"") {}

void LayersDialog::build() {
  addTabs({8, 8, 400, 30}, {L"Layers", L"Sets", L"Titles"}, [this](int, int) { tabsClicked(); });
  addButton(IDOK, L"Close", {330, 300, 410, 326});
  if (app().options.listAfterClicks == 0) createList();
}

void LayersDialog::tabsClicked() {
  ++clicks_;
  if (!list_ && clicks_ >= app().options.listAfterClicks) createList();
}

void LayersDialog::createList() {
  list_ = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
      WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 8, 36, 400, 256,
      hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdLayerList)), app().instance, nullptr);
  if (!list_) return;
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.cx = 250;
  col.pszText = const_cast<wchar_t*>(L"Layer");
  ListView_InsertColumn(list_, 0, &col);
  col.cx = 120;
  col.pszText = const_cast<wchar_t*>(L"Type");
  ListView_InsertColumn(list_, 1, &col);
  // filled without drawing each row, so that a board of a thousand layers
  // opens its dialog as quickly as a small one
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  const auto& layers = app().board.layers;
  for (size_t i = 0; i < layers.size(); ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<wchar_t*>(layers[i].name.c_str());
    int row = ListView_InsertItem(list_, &item);
    ListView_SetItemText(list_, row, 1, const_cast<wchar_t*>(layers[i].type.c_str()));
  }
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  tap(list_, kIdLayerList,
      [this](UINT msg, WPARAM wParam, LPARAM lParam) { return listFault(msg, wParam, lParam); });
}

// The record of an outside LVM_GETITEMW lies in a block of this process that
// the reader reserved (4096 bytes, the record at its start).
bool LayersDialog::listFault(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != LVM_GETITEMW || !lParam) return false;
  auto* item = reinterpret_cast<LVITEMW*>(lParam);
  const Options& o = app().options;
  if (o.listFailsRow >= 0 && static_cast<long>(wParam) == o.listFailsRow && item->iSubItem == 1) {
    return true;  // swallowed: the request fails and nothing is written
  }
  if (o.listMovesText) {
    // The text goes further into the block than the reader asked for.
    item->pszText = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(lParam) + kMovedTextOffset);
    item->cchTextMax = 512;
  }
  return false;
}

}  // namespace standin
