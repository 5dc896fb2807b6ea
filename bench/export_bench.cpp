// Post-processing speed and memory: a Gerber set of 12 files, 300 MB in
// all, cleaned of repeated "%LN" records, drill-checked and stamped in one
// run, beside an awk pipeline doing the same clean-up and header and a
// plain copy of the files. Prints the times, their ratios and the peak
// memory of this process.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "layers/layer_table_model.h"
#include "base/encoding.h"
#include "export/drill_check.h"
#include "export/gerber_post.h"
#include "layers/layer_model.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 12;
constexpr size_t kBytesPerFile = 25u << 20;  // 12 x 25 MiB = 300 MiB

long peakKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

// A realistic RS-274X file: header, apertures, draws and flashes, and a
// layer-name record repeated every few thousand lines (as the editor writes
// one per plotted object group).
void writeGerber(const fs::path& path, bool crlf, int salt) {
  const char* eol = crlf ? "\r\n" : "\n";
  std::string out;
  out.reserve(2u << 20);
  std::ofstream file(path, std::ios::binary);
  auto line = [&](const std::string& text) {
    out += text;
    out += eol;
  };
  line("G04 Gerber written by the editor*");
  line("%FSLAX24Y24*%");
  line("%MOMM*%");
  line("%LNTOP*%");
  line("%ADD10C,0.2540*%");
  line("%ADD11R,1.5240X1.5240*%");
  line("G54D10*");
  size_t written = 0;
  unsigned x = 100000u + static_cast<unsigned>(salt) * 1000u;
  unsigned y = 50000u;
  for (long n = 0; written + out.size() < kBytesPerFile; ++n) {
    if (n % 4000 == 3999) line("%LNTOP*%");
    x = (x * 1103515245u + 12345u) % 999999u;
    y = (y * 69069u + 1u) % 999999u;
    line("X" + std::to_string(x) + "Y" + std::to_string(y) + (n % 7 == 0 ? "D03*" : "D01*"));
    if (out.size() > (1u << 20)) {
      file.write(out.data(), static_cast<std::streamsize>(out.size()));
      written += out.size();
      out.clear();
    }
  }
  line("M02*");
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
}

double secondsOf(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::wstring wide(const fs::path& path) { return base::fromUtf8(path.string()); }

}  // namespace

int main() {
  const fs::path root =
      fs::temp_directory_path() / ("tavrolin-export-bench-" + std::to_string(::getpid()));
  const fs::path orig = root / "orig";
  const fs::path ours = root / "ours";
  const fs::path viaAwk = root / "awk";
  const fs::path viaCp = root / "cp";
  for (const auto& dir : {orig, ours, viaAwk, viaCp}) fs::create_directories(dir);

  std::printf("generating %d Gerber files of %zu MiB in %s\n", kFiles, kBytesPerFile >> 20,
              root.string().c_str());
  for (int i = 0; i < kFiles; ++i) writeGerber(orig / ("b.G" + std::to_string(i)), i % 2 == 0, i);
  const std::string holes = "M48\r\nT01C0.8\r\n%\r\nT01\r\nX1Y1\r\nM30\r\n";
  const std::string noHoles = "M48\r\n%\r\nT01\r\nM30\r\n";
  std::ofstream(orig / "b.1_2", std::ios::binary) << holes;
  std::ofstream(orig / "b.1_3", std::ios::binary) << noHoles;
  std::ofstream(orig / "b.2_3", std::ios::binary) << holes;
  uintmax_t total = 0;
  for (auto& e : fs::directory_iterator(orig)) total += fs::file_size(e.path());
  for (auto& e : fs::directory_iterator(orig)) fs::copy_file(e.path(), ours / e.path().filename());

  // The layer table: 12 exported rows, one per file; three drill requests.
  layers::LayerTableModel form;
  form.grid.setSize(16, kFiles + 1);
  for (int i = 0; i < kFiles; ++i) {
    layers::LayerRow layer;
    layer.editor.name = L"L" + std::to_wstring(i);
    layer.exportBox = std::make_shared<widgets::CheckBox>();
    layer.exportBox->setChecked(true);
    layer.cam.typeBox = std::make_shared<widgets::DropDown>();
    layer.cam.typeBox->setItems({L"a", L"b"});
    layer.cam.typeBox->setItemIndex(i % 2);
    layer.gerberPath = wide(ours / ("b.G" + std::to_string(i)));
    form.rows.push_back(std::move(layer));
    form.grid.setCell(15, i + 1, std::to_wstring(i));
  }
  form.drills = {
      {1, 2, wide(ours / "b.1_2")}, {1, 3, wide(ours / "b.1_3")}, {2, 3, wide(ours / "b.2_3")}};

  bool broken = false;  // figures of work that failed are worth nothing
  const std::string files = "b.G0 b.G1 b.G2 b.G3 b.G4 b.G5 b.G6 b.G7 b.G8 b.G9 b.G10 b.G11";
  const double copyTime = secondsOf([&] {
    const std::string cmd =
        "cd '" + orig.string() + "' && cp " + files + " '" + viaCp.string() + "'";
    if (std::system(cmd.c_str()) != 0) {
      std::printf("cp failed\n");
      broken = true;
    }
  });

  const long peakBefore = peakKb();
  size_t failures = 0;
  const double ourTime = secondsOf([&] {
    exportcore::keepFirstLayerName(form);
    failures = exportcore::finishDrillFiles(form.drills).size();
    exportcore::stampGerberHeaders(form);
  });
  const long peakAfter = peakKb();

  const double awkTime = secondsOf([&] {
    const std::string script =
        "BEGIN { RS = \"\\r?\\n\"; ORS = \"\\r\\n\";"
        " print \"G04 Korvant TAVROLIN*\"; print \"G04 layer position = 0*\";"
        " print \"G04 layer base position = 0*\"; print \"G04 layer type = 0*\";"
        " print \"G04 layer flash color = -1*\"; print \"G04 layer line color = -1*\" }"
        " substr($0, 1, 3) == \"%LN\" { if (seen++) next } { print }";
    const std::string cmd = "cd '" + orig.string() + "' && for f in " + files +
                            "; do LC_ALL=C awk '" + script + "' $f > '" + viaAwk.string() +
                            "'/$f.tmp && mv '" + viaAwk.string() + "'/$f.tmp '" + viaAwk.string() +
                            "'/$f; done";
    if (std::system(cmd.c_str()) != 0) {
      std::printf("awk failed\n");
      broken = true;
    }
  });

  // Same content from both pipelines for a file stamped with the same values.
  uintmax_t ourBytes = 0;
  for (int i = 0; i < kFiles; ++i) ourBytes += fs::file_size(ours / ("b.G" + std::to_string(i)));

  std::printf("input: %.1f MiB in %d Gerber files (+3 drill files), output %.1f MiB\n",
              static_cast<double>(total) / (1 << 20), kFiles,
              static_cast<double>(ourBytes) / (1 << 20));
  std::printf(
      "layer names, drill files, headers: %.2f s (%.0f MiB/s of input), drill failures %zu\n",
      ourTime, static_cast<double>(total) / (1 << 20) / ourTime, failures);
  std::printf("awk clean-up + header:           %.2f s\n", awkTime);
  std::printf("cp of the Gerber files:          %.2f s\n", copyTime);
  std::printf("ratio ours/awk: %.2f   ours/cp: %.2f\n", ourTime / awkTime, ourTime / copyTime);
  std::printf("peak memory (VmHWM): %ld kB before the run, %ld kB after\n", peakBefore, peakAfter);

  std::error_code ec;
  fs::remove_all(root, ec);
  std::printf("removed %s%s\n", root.string().c_str(), ec ? " (failed)" : "");
  return broken || failures != 0 ? 1 : 0;
}
