// Measures one attachment's worth of editor reads against the twelve-layer
// stand-in with both delays 0: layer list, design information and the three
// board parameters. Prints the wall time and the search and lookup counts;
// asserts only that the program made no more searches than the protocol
// needs.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>

#include "cadlink/board_params_win.h"
#include "cadlink/design_info_win.h"
#include "cadlink/layer_readout_win.h"
#include "cadlink_fixture.h"
#include "layers/layer_model.h"

namespace {

std::filesystem::path sampleBoard(const wchar_t* name) {
  for (std::filesystem::path p = harness::buildDir(); !p.empty() && p != p.parent_path();
       p = p.parent_path()) {
    if (std::filesystem::exists(p / L"dist" / L"boards" / name))
      return p / L"dist" / L"boards" / name;
  }
  return {};
}

// How many layer records the board description holds.
size_t layerRecords(const std::filesystem::path& board) {
  std::ifstream in(board);
  size_t n = 0;
  for (std::string l; std::getline(in, l);) {
    if (l.rfind("layer ", 0) == 0) ++n;
  }
  return n;
}

TEST(CadlinkBench, AttachmentReads) {
  const std::filesystem::path board = sampleBoard(L"twelve-layer.brd");
  ASSERT_FALSE(board.empty()) << "dist/boards/twelve-layer.brd not found";
  cadlink_test::Standin editor(board, L"bench", L"--version 2004");
  auto link = cadlink_test::attach(editor.main(), 0);
  link.editorVersion = L"2004";
  std::vector<layers::LayerRow> records;

  const auto start = std::chrono::steady_clock::now();
  cadlink::readLayerList(link, [&](const std::wstring& layerName, const std::wstring& typeText) {
    layers::addEditorLayer(records, layerName, typeText);
  });
  const std::wstring dir = cadlink::readDesignDir(link);
  const std::wstring name = cadlink::readDesignFileName(link);
  const std::wstring mask = cadlink::readSolderMaskSwell(link);
  const std::wstring plane = cadlink::readPlaneSwell(link);
  const std::wstring aperture = cadlink::readDrawApertureSize(link);
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

  const cadlink::LookupCounters& counts = link.counters;
  std::printf("[ bench    ] layers %zu, design %s%s, swells %s/%s, aperture %s\n", records.size(),
              base::toUtf8(dir).c_str(), base::toUtf8(name).c_str(), base::toUtf8(mask).c_str(),
              base::toUtf8(plane).c_str(), base::toUtf8(aperture).c_str());
  std::printf("[ bench    ] wall time %.1f ms\n", ms);
  std::printf("[ bench    ] window searches %llu, lookups %llu (least 7)\n",
              static_cast<unsigned long long>(counts.windowSearches),
              static_cast<unsigned long long>(counts.windowLookups));
  std::printf("[ bench    ] control searches %llu, lookups %llu (least 23)\n",
              static_cast<unsigned long long>(counts.controlSearches),
              static_cast<unsigned long long>(counts.controlLookups));

  EXPECT_EQ(records.size(), layerRecords(board));
  // The searches are the least the protocol allows: one wait per dialog
  // (layers, design information twice, configure twice, Gerber, apertures)
  // and, for controls, layer list 2 clicks + 2 list searches, design
  // information 3 + 3, two swells 6 + 6, aperture 1. Every search ends with
  // at least one lookup; more where the editor was still building a dialog.
  EXPECT_EQ(counts.windowSearches, 7u);
  EXPECT_EQ(counts.controlSearches, 23u);
}

}  // namespace
