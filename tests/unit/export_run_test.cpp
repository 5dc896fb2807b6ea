// The checks and decisions of the export run.
#include "export/export_run.h"

#include <gtest/gtest.h>

#include <memory>

#include "layers/layer_model.h"

namespace {

struct Row {
  const wchar_t* name;
  int32_t layerClass;
  bool exported;
  int type;  // CAM layer type index, -1 none
};

std::vector<layers::LayerRow> build(const std::vector<Row>& rows) {
  std::vector<layers::LayerRow> table;
  for (const Row& r : rows) {
    layers::LayerRow l;
    l.editor.name = r.name;
    l.editor.layerClass = r.layerClass;
    l.exportBox = std::make_shared<widgets::CheckBox>();
    l.exportBox->setChecked(r.exported);
    l.cam.typeBox = std::make_shared<widgets::DropDown>();
    l.cam.typeBox->setItems(std::vector<std::wstring>(20, L"t"));
    l.cam.typeBox->setItemIndex(r.type);
    table.push_back(std::move(l));
  }
  return table;
}

TEST(ExportRun, SignalLayerCheck) {
  struct Case {
    const char* what;
    std::vector<Row> rows;
    bool asks;
  };
  const Case cases[] = {
      {"all exported",
       {{L"Top", 1, true, 0}, {L"Inner", 1, true, 1}, {L"Bottom", 1, true, 3}},
       false},
      {"inner signal left out", {{L"Top", 1, true, 0}, {L"Inner", 1, false, 1}}, true},
      {"plane left out", {{L"GND", 2, false, 2}, {L"Top", 1, true, 0}}, true},
      {"only Top and Bottom left out", {{L"Top", 1, false, 0}, {L"Bottom", 1, false, 3}}, false},
      {"non-signal and unclassified left out",
       {{L"Board", 3, false, 5}, {L"X", -1, false, -1}},
       false},
      {"a plane named Top is left out too", {{L"Top", 2, false, 2}}, false},
      {"top in lower case is another layer", {{L"top", 1, false, 0}}, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(exportcore::hasUnexportedSignalLayer(build(c.rows)), c.asks) << c.what;
  }
}

TEST(ExportRun, TypeCheckAndSelection) {
  const auto some = build({{L"Top", 1, true, 0}, {L"Mask", 3, false, -1}, {L"Board", 3, true, -1}});
  EXPECT_EQ(exportcore::firstExportedWithoutType(some), 2);
  EXPECT_TRUE(exportcore::anyExported(some));
  const auto none = build({{L"Top", 1, false, 0}, {L"Mask", 3, false, -1}});
  EXPECT_EQ(exportcore::firstExportedWithoutType(none), -1);
  EXPECT_FALSE(exportcore::anyExported(none));
}

TEST(ExportRun, ErrorPolicyAndDriverCommandLine) {
  using exportcore::ErrorPolicy;
  EXPECT_EQ(exportcore::errorPolicyOf(0), ErrorPolicy::Continue);
  EXPECT_EQ(exportcore::errorPolicyOf(1), ErrorPolicy::Stop);
  EXPECT_EQ(exportcore::errorPolicyOf(2), ErrorPolicy::Ask);
  EXPECT_EQ(exportcore::errorPolicyOf(7), ErrorPolicy::Continue);
  EXPECT_EQ(exportcore::errorPolicyOf(-1), ErrorPolicy::Continue);
  EXPECT_EQ(
      exportcore::driverCommandLine(L"C:\\t\\plotrelay.exe", 0x80001234u, L"C:\\out\\", L"board",
                                    10, 20, ErrorPolicy::Stop),
      L"\"C:\\t\\plotrelay.exe\" 2147488308 \"C:\\out\\pcad.ini\" \"C:\\out\\board.ERR\" 10 20 1");
  EXPECT_EQ(exportcore::driverCommandLine(L"p.exe", 5, L"D\\", L"", 0, 0, ErrorPolicy::Ask),
            L"\"p.exe\" 5 \"D\\pcad.ini\" \"D\\.ERR\" 0 0 0");
  EXPECT_EQ(exportcore::errorCountText(5), L"Обнаруженно 5 ошибок.");
}

// A crashed or killed driver leaves no log or a non-zero exit code with no
// error counted: that is a failure of the driver, not a clean run.
TEST(ExportRun, DriverEndIsJudgedByItsLogAndExitCode) {
  using exportcore::DriverVerdict;
  struct Case {
    uint32_t exitCode;
    bool logFound;
    int32_t logErrors;
    DriverVerdict verdict;
  } const cases[] = {
      {0, true, 0, DriverVerdict::Clean},
      {1, true, 2, DriverVerdict::ErrorsCounted},  // blocks failed, and the log says so
      {0, true, 3, DriverVerdict::ErrorsCounted},
      {1, true, 0, DriverVerdict::Failed},
      {0xC0000005u, true, 0, DriverVerdict::Failed},
      {0, false, 0, DriverVerdict::Failed},
      {1, false, 0, DriverVerdict::Failed},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(exportcore::judgeDriver({c.exitCode, c.logFound, c.logErrors}), c.verdict)
        << c.exitCode << " " << c.logFound << " " << c.logErrors;
  }
  EXPECT_EQ(
      exportcore::driverFailureText({3, false, 0}),
      L"Драйвер вывода не оставил журнал ошибок (код завершения 3).\rВывод мог быть прерван.");
  EXPECT_EQ(exportcore::driverFailureText({1, true, 0}),
            L"Драйвер вывода завершился с кодом 1.\rВывод мог быть прерван.");
}

}  // namespace
