// Times building the layer table for a large board and applying one
// complete board type code, and prints the figures.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "layers/layer_table_model.h"
#include "layers/board_type_code.h"
#include "layers/layer_model.h"
#include "layers/layer_table.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// 300 layers in an editor's usual mess: signal and plane layers, the named
// non-signal layers and many others, in reverse of the table's order.
void fillLayers(std::vector<layers::LayerRow>& rows, int count) {
  const wchar_t* named[] = {L"Board", L"Bot Silk", L"Top Silk", L"Bot Mask", L"Top Mask"};
  for (const wchar_t* name : named) layers::addEditorLayer(rows, name, L"NE ");
  layers::addEditorLayer(rows, L"Bottom", L"SEA");
  for (int i = 0; static_cast<int>(rows.size()) < count - 1; ++i) {
    switch (i % 3) {
      case 0:
        layers::addEditorLayer(rows, L"Inner" + std::to_wstring(i), L"SEV");
        break;
      case 1:
        layers::addEditorLayer(rows, L"Plane" + std::to_wstring(i), L"PE ");
        break;
      default:
        layers::addEditorLayer(rows, L"Doc" + std::to_wstring(i), L"NE ");
        break;
    }
  }
  layers::addEditorLayer(rows, L"Top", L"SEA");
}

}  // namespace

int main() {
  const int kLayers = 300;
  const int kRounds = 20;
  std::vector<std::wstring> keys;
  for (int k = 0; k < 18; ++k) keys.push_back(L"TYPE" + std::to_wstring(k));
  auto readValue = [](const std::wstring&) { return std::wstring(L"21,6,6"); };

  double buildTotal = 0, buildWorst = 0;
  double applyTotal = 0, applyWorst = 0;
  for (int round = 0; round < kRounds; ++round) {
    layers::LayerTableModel form;
    fillLayers(form.rows, kLayers);
    Clock::time_point start = Clock::now();
    layers::buildLayerTable(form, keys, readValue);
    double ms = msSince(start);
    buildTotal += ms;
    if (ms > buildWorst) buildWorst = ms;

    form.boardTypeCode.setText(std::to_wstring(layers::conductiveLayerCount(form.rows) / 2) +
                               L" 2 2");
    wchar_t key = L'\r';
    start = Clock::now();
    layers::onBoardTypeCodeKey(form, key);
    ms = msSince(start);
    applyTotal += ms;
    if (ms > applyWorst) applyWorst = ms;
  }
  std::printf("layer table of %d layers, %d rounds\n", kLayers, kRounds);
  std::printf("  build layer table:    mean %8.3f ms, worst %8.3f ms\n", buildTotal / kRounds,
              buildWorst);
  std::printf("  apply board type code: mean %8.3f ms, worst %8.3f ms\n", applyTotal / kRounds,
              applyWorst);
  return 0;
}
