// Figures, not assertions on time: one export of the twelve-layer board with
// searches paced at 5 ms (at 0 the driver may give up on a dialog that the
// stand-in is still building), split into writing the job, the plot driver, and the
// post-processing; the program's own share is everything but the driver.
// The steps are the ones "Экспорт" runs, called in this process on a layer
// table read from the stand-in.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "layers/layer_table_model.h"
#include "base/settings_store.h"
#include "base/error.h"
#include "cadlink/design_info_win.h"
#include "cadlink/layer_readout_win.h"
#include "cadlink_fixture.h"
#include "export/exec_wait_win.h"
#include "export/export_paths.h"
#include "export/export_run.h"
#include "export/job_writer.h"
#include "export/post_process.h"
#include "harness.h"
#include "layers/board_type_code.h"
#include "layers/layer_model.h"
#include "layers/layer_table.h"
#include "repo_paths.h"
#include "tavrolin/preview_window_win.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

TEST(ExportBench, TwelveLayerBoard) {
  const fs::path design = harness::freshDir(L"export-bench");
  cadlink_test::Standin editor(harness::boardsDir() / L"twelve-layer.brd", L"export-bench",
                               L"--design-dir \"" + design.wstring() + L"\\\\\"");
  ASSERT_NE(editor.main(), nullptr);
  auto link = cadlink_test::attach(editor.main());
  auto model = std::make_unique<layers::LayerTableModel>();
  cadlink::readLayerList(link, [&](const std::wstring& layerName, const std::wstring& typeText) {
    layers::addEditorLayer(model->rows, layerName, typeText);
  });
  const std::wstring designName = cadlink::readDesignFileName(link);

  base::SettingsStore ini(harness::programDir() / L"main.ini");
  layers::buildLayerTable(*model, ini.readSectionKeys(L"layers"), [&ini](const std::wstring& key) {
    return ini.readString(L"layers", key, L"");
  });
  for (wchar_t ch : std::wstring(L"1222")) {
    wchar_t key = ch;
    layers::onBoardTypeCodeKey(*model, key);
  }
  ASSERT_EQ(model->boardTypeCode.text(), L"12 2 2");
  const std::wstring d = design.wstring() + L"\\";
  model->outputDir.setText(d);
  model->offsetX.setText(L"0");
  model->offsetY.setText(L"0");

  auto t = Clock::now();
  exportcore::writeJobDescription(
      *model, d + L"pcad.ini",
      {harness::programDir().wstring() + L"\\macros\\", L"2004", L"215", designName});
  const double job = msSince(t);

  t = Clock::now();
  DeleteFileW((d + L"error.log").c_str());
  const std::wstring command = exportcore::driverCommandLine(
      (harness::programDir() / L"plotrelay.exe").wstring(), link.editorWindow, d,
      exportcore::designBaseName(designName), 5, 5, exportcore::ErrorPolicy::Ask);
  ASSERT_TRUE(exportcore::runAndWait(command, SW_SHOWNORMAL));
  const double driver = msSince(t);

  t = Clock::now();
  std::string outcome = "complete";
  std::vector<exportcore::KeptDrill> kept;
  try {
    if (!exportcore::finishExportFiles(*model, true, nullptr, nullptr, &kept).empty())
      outcome = "drill files left as they were";
  } catch (const base::AppError& e) {
    outcome = e.what();
  }
  const double post = msSince(t);
  // figures of a broken export are worth nothing: the benchmark fails
  EXPECT_EQ(outcome, "complete");

  std::printf(
      "[ bench    ] export of the twelve-layer board: job %.1f ms, driver %.1f ms, "
      "post-processing %.1f ms; the program's own share %.1f ms (%s)\n",
      job, driver, post, job + post, outcome.c_str());

  // the preview of these files: opened (every file measured, then drawn),
  // then drawn again at each layer hidden or shown
  app::PreviewWindow preview;
  ASSERT_TRUE(preview.create(nullptr));
  preview.setLayers(app::previewLayers(*model, kept), designName);
  t = Clock::now();
  preview.open();
  const double open = msSince(t);
  const HWND w = preview.hwnd();
  const int files = static_cast<int>(SendMessageW(w, app::kPreviewLayerCount, 0, 0));
  ASSERT_GT(files, 0);
  constexpr int kRedraws = 40;
  t = Clock::now();
  for (int i = 0; i < kRedraws; ++i)
    SendMessageW(w, app::kPreviewShowLayer, i % files, i / files % 2);
  const double redraw = msSince(t) / kRedraws;
  EXPECT_EQ(SendMessageW(w, app::kPreviewFilesUnread, 0, 0), 0);
  RECT rc;
  GetClientRect(w, &rc);
  std::printf(
      "[ bench    ] preview of those %d files in a window of %ld x %ld pixels: opened in %.1f ms, "
      "one redraw %.1f ms (mean of %d)\n",
      files, rc.right, rc.bottom, open, redraw, kRedraws);
}

}  // namespace
