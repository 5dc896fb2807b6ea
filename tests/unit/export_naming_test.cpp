// Gerber file naming, the design base name and the row-to-record mapping.
#include <gtest/gtest.h>

#include "base/encoding.h"
#include "base/path_text.h"
#include "base/error.h"
#include "export/export_paths.h"
#include "export/gerber_naming.h"
#include "export_test_support.h"

namespace {

using exporttest::Row;

std::vector<std::wstring> allExtensions(const layers::LayerTableModel& form) {
  std::vector<std::wstring> out;
  for (int r = 1; r < form.grid.rowCount(); ++r)
    out.push_back(exportcore::gerberExtension(form, r));
  return out;
}

TEST(ExportNaming, ExampleBoard) {
  layers::LayerTableModel form;
  exporttest::buildTable(form, {{L"Top", 1, 0},
                                {L"Inner1", 1, 1},
                                {L"Inner2", 1, 1},
                                {L"Plane", 2, 2},
                                {L"Bottom", 1, 3},
                                {L"Top Silk", 3, 6}});
  EXPECT_EQ(allExtensions(form),
            (std::vector<std::wstring>{L"GTL", L"G1", L"G2", L"GP1", L"GBL", L"GTO"}));
}

TEST(ExportNaming, TypesAndCounters) {
  struct Case {
    const char* what;
    std::vector<int> types;
    std::vector<std::wstring> expected;
  };
  const Case cases[] = {
      {"every fixed type once",
       {0, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17},
       {L"GTL", L"GBL", L"GRB", L"brd", L"GTO", L"GBO", L"GTS", L"GBS", L"GM", L"ppl", L"rdtop",
        L"rdbot", L"ins", L"GTP", L"GBP", L"txt"}},
      {"repeated type counts from the second row", {0, 0, 0}, {L"GTL", L"GTL1", L"GTL2"}},
      {"types 1 and 2 always numbered", {2, 1, 2, 1}, {L"GP1", L"G1", L"GP2", L"G2"}},
      {"no type and high types", {-1, -1, 18, 19, 18}, {L"gbr", L"gbr1", L"gbr", L"gbr", L"gbr1"}},
      {"rows below never count", {6, 0, 6}, {L"GTO", L"GTL", L"GTO1"}},
  };
  for (const Case& c : cases) {
    layers::LayerTableModel form;
    std::vector<Row> rows;
    for (int t : c.types) rows.push_back({L"L", 1, t});
    exporttest::buildTable(form, rows);
    EXPECT_EQ(allExtensions(form), c.expected) << c.what;
  }
}

TEST(ExportNaming, UnexportedRowsStillCount) {
  layers::LayerTableModel form;
  exporttest::buildTable(form, {{L"Inner1", 1, 1, false}, {L"Inner2", 1, 1, true}});
  EXPECT_EQ(exportcore::gerberExtension(form, 2), L"G2");
}

TEST(ExportNaming, MovedRowsFollowTheDisplayOrder) {
  layers::LayerTableModel form;
  exporttest::buildTable(form, {{L"A", 1, 0}, {L"B", 1, 0}, {L"C", 1, 1}, {L"D", 1, 1}});
  form.grid.moveRow(2, 1);  // B above A
  form.grid.moveRow(4, 3);  // D above C
  EXPECT_EQ(exportcore::rowLayer(form, 1).editor.name, L"B");
  EXPECT_EQ(allExtensions(form), (std::vector<std::wstring>{L"GTL", L"GTL1", L"G1", L"G2"}));
  EXPECT_EQ(exportcore::rowLayer(form, 3).editor.name, L"D");
}

TEST(ExportNaming, BadIdCellIsAnError) {
  layers::LayerTableModel form;
  exporttest::buildTable(form, {{L"A", 1, 0}});
  form.grid.setCell(15, 1, L"7");
  EXPECT_THROW(exportcore::gerberExtension(form, 1), base::AppError);
  form.grid.setCell(15, 1, L"x");
  EXPECT_THROW(exportcore::gerberExtension(form, 1), base::AppError);
}

TEST(ExportNaming, FlagText) {
  EXPECT_EQ(exportcore::flagText(true), L"true");
  EXPECT_EQ(exportcore::flagText(false), L"false");
}

TEST(ExportPaths, DesignBaseName) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"board.pcb", L"board"},
      {L"my.board.pcb", L"my.board"},
      {L"plain", L"plain"},
      {L"", L""},
      {L".pcb", L""},
      {L"Плата 1.PCB", L"Плата 1"},
      {L"..\\..\\evil.pcb", L".._.._evil"},
      {L"../x.pcb", L".._x"},
      {L"C:board.pcb", L"C_board"},
      {L"a*b?c\"d<e>f|g.pcb", L"a_b_c_d_e_f_g"},
      {L"...", L"__"},
      {L"..", L"_"},
  };
  for (const auto& [name, expected] : cases) {
    EXPECT_EQ(exportcore::designBaseName(name), expected) << base::toUtf8(name);
  }
}

TEST(ExportPaths, DirectoryPart) {
  EXPECT_EQ(base::directoryPart(L"C:\\out\\pcad.ini"), L"C:\\out\\");
  EXPECT_EQ(base::directoryPart(L"/tmp/out/pcad.ini"), L"/tmp/out/");
  EXPECT_EQ(base::directoryPart(L"pcad.ini"), L"");
}

}  // namespace
