// The error branches of the file layer as one table, run natively and under
// Wine: every writer with each step that can fail under it (a fault switched
// on for that one step, or a read-only target). The failure must be reported
// with the writer's message naming the file, the file keep its bytes, and
// nothing else (no temporary file) be left in its folder.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>

#include "base/settings_store.h"
#include "base/error.h"
#include "base/file_faults.h"
#include "base/line_stream.h"
#include "base/path_text.h"
#include "dialogs/settings_form.h"
#include "export/drill_check.h"
#include "export/gerber_post.h"
#include "export/job_writer.h"
#include "export_test_support.h"
#include "layers/layer_model.h"

namespace filefaults {

namespace fs = std::filesystem;
using base::FileStep;
using Step = std::optional<FileStep>;  // none: a read-only target

struct Writer {
  const char* name;
  std::string before;        // the file's bytes
  std::wstring reportStart;  // then the file's path and a quote; empty: the file layer's own
  std::vector<Step> steps;
  std::function<void(const fs::path& file)> run;  // throws AppError with the report
  std::string keptAs = {};  // the file's name afterwards when the writer moved it first
};

// The file layer's own report of a failed step, up to the file's path.
inline std::wstring fileReport(const Step& step) {
  if (step == FileStep::TempCreate) return L"Не удалось создать файл \"";
  if (step == FileStep::Read) return L"Не удалось прочитать файл \"";
  if (step == FileStep::Replace) return L"Не удалось заменить файл \"";
  return L"Не удалось записать файл \"";  // a write, flush, or a read-only target
}

// The job description written as `file` from the smallest templates beside
// its folder, for one exported layer.
inline void writeJob(const fs::path& file) {
  const fs::path macros = file.parent_path().parent_path() / "macros";
  fs::create_directories(macros);
  const std::string l =
      "a\nb\nc\nd\ne\nf\ng\nh\nLayer=\nExt=\nk\nX=\nY=\nn\n" + std::string(9, '\n');
  const std::pair<const char*, std::string> templates[] = {
      {"1_2.ini", "#layerinit#\n#layers#\n#drillinit#\n#drills#\n"},
      {"1_2_l.ini", l},
      {"1_2_d.ini", std::string(13, '\n')},
      {"1_2_dl.ini", "a\nb\nX=\nY=\n"}};
  for (const auto& [name, text] : templates) std::ofstream(macros / name, std::ios::binary) << text;
  layers::LayerTableModel table;
  exporttest::buildTable(table, {{L"Top Silk", layers::kNonSignalLayer, 6}});
  exportcore::writeJobDescription(table, base::pathText(file),
                                  {base::pathText(macros) + L"/", L"1", L"2", L"b.pcb"});
}

// The drill check of one request; throws the failure report as the operator sees it.
inline void checkDrill(const fs::path& file) {
  const std::vector<std::wstring> failures =
      exportcore::finishDrillFiles({{1, 2, base::pathText(file)}});
  EXPECT_EQ(failures.size(), 1u);
  throw base::AppError(exportcore::drillFailureText(failures));
}

inline const std::vector<Writer>& writers() {
  const std::vector<Step> rewrite = {FileStep::TempCreate, FileStep::Write, FileStep::Flush,
                                     FileStep::Replace, std::nullopt};
  const std::string holes = "M48\r\nT01C0.8\r\n%\r\nT01\r\nX1Y1\r\nM30\r\n";
  const std::string noHoles = "M48\r\n%\r\nT01\r\nM30\r\n";
  const std::wstring drill = L"Не все файлы сверловки обработаны:\rне удалось ";
  static const std::vector<Writer> all = {
      {"text file", "old\n", L"", rewrite,
       [](const fs::path& f) {
         base::writeTextFile(f, {base::Encoding::Ansi, {L"x"}});
       }},
      {"job description", "old job\r\n", L"", rewrite, writeJob},
      {"layer names", "%LN1\n%LN2\n", L"", rewrite,
       [](const fs::path& f) { exportcore::removeRepeatedLayerNames(f); }},
      {"line reader",
       "%LN1\n%LN2\n",
       L"",
       {FileStep::Read},
       [](const fs::path& f) { exportcore::removeRepeatedLayerNames(f); }},
      {"gerber stamp", "G01*\n", L"", rewrite,
       [](const fs::path& f) { exportcore::stampGerber(f, {}); }},
      {"settings store", "[main]\ndw=10\n", L"Не удалось записать файл настроек \"", rewrite,
       [](const fs::path& f) { base::SettingsStore(f).writeInteger(L"main", L"dw", 50); }},
      {"settings dialog", "[main]\r\ndw=10\r\n",
       L"Не удалось сохранить настройку «dir»: Не удалось записать файл настроек \"", rewrite,
       [](const fs::path& f) {
         base::SettingsStore ini(f);
         dialogs::SettingsForm form;
         form.load(ini, [](const std::wstring&) { return true; });
         form.save(ini, [](const std::wstring&) { return true; });
       }},
      {"drill stamp", holes, drill + L"подписать \"", rewrite, checkDrill, "b.TXT"},
      {"drill delete", noHoles, drill + L"удалить \"", {FileStep::Delete}, checkDrill},
      {"drill move", holes, drill + L"переименовать \"", {FileStep::Rename}, checkDrill},
  };
  return all;
}

// Runs every case in a folder of its own under `root`.
inline void runFileFaultTable(const fs::path& root) {
  int n = 0;
  for (const Writer& w : writers()) {
    for (const Step& step : w.steps) {
      SCOPED_TRACE(std::string(w.name) +
                   (step ? ", step " + std::to_string(static_cast<int>(*step)) : ", read-only"));
      const fs::path dir = root / std::to_string(n++), file = dir / "b.1_2";
      const fs::path kept = w.keptAs.empty() ? file : dir / w.keptAs;
      fs::create_directories(dir);
      std::ofstream(file, std::ios::binary) << w.before;
      if (!step) fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
      std::wstring report;
      try {
        std::optional<base::FileFaultForTest> fault;
        if (step) fault.emplace(*step);
        w.run(file);
      } catch (const base::AppError& e) {
        report = e.text();
      }
      const std::wstring start = w.reportStart.empty() ? fileReport(step) : w.reportStart;
      EXPECT_EQ(report.rfind(start + base::pathText(kept) + L"\"", 0), 0u) << base::toUtf8(report);
      std::ifstream in(kept, std::ios::binary);
      EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), w.before);
      EXPECT_TRUE(std::vector<fs::path>(fs::directory_iterator(dir), {}) == std::vector{kept});
      fs::permissions(kept, fs::perms::owner_all, fs::perm_options::add);
    }
  }
  // A folder that does not exist: the temporary file cannot be created.
  EXPECT_THROW(base::writeTextFile(root / "no/x", {base::Encoding::Ansi, {L"x"}}), base::AppError);
  EXPECT_THROW(base::LineWriter(root / "no/x", base::Encoding::Ansi), base::AppError);
  EXPECT_THROW(base::SettingsStore(root / "no/x").writeBool(L"main", L"autoclose", true),
               base::AppError);
}

}  // namespace filefaults
