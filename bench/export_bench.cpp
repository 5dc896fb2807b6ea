// Post-processing speed and memory: a Gerber set of 12 files, 300 MB in
// all, cleaned of repeated "%LN" records, stamped and drill-checked in one
// run, beside one read of the files (cat to /dev/null, the floor), a plain
// cp, a copy through a user-space buffer (read and write of 1 MiB blocks),
// a cp to a temporary file moved over the file (what replacing a file costs)
// and an awk pipeline doing the same clean-up and header. Prints the times
// and their ratios, then the peak memory of the post-processing of two
// files of 25 MiB and of 100 MiB, each in a fresh process of its own.
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "layers/layer_table_model.h"
#include "base/encoding.h"
#include "export/post_process.h"
#include "layers/layer_model.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 12;
constexpr size_t kMiBPerFile = 25;  // 12 x 25 MiB = 300 MiB

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
void writeGerber(const fs::path& path, size_t bytes, bool crlf, int salt) {
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
  for (long n = 0; written + out.size() < bytes; ++n) {
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

// User plus system time of this process and of its waited-for children.
double cpuSeconds() {
  double total = 0;
  for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
    rusage usage{};
    getrusage(who, &usage);
    for (const timeval& t : {usage.ru_utime, usage.ru_stime}) {
      total += static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    }
  }
  return total;
}

// Wall-clock and processor time of one piece of work. The machine is shared:
// the processor time is the steadier figure when others load it.
struct Spent {
  double wall = 0;
  double cpu = 0;
};

Spent spentOn(const std::function<void()>& work) {
  const double cpuStart = cpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  work();
  return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
          cpuSeconds() - cpuStart};
}

std::wstring wide(const fs::path& path) { return base::fromUtf8(path.string()); }

// A layer table with one exported row per file and its drill requests.
layers::LayerTableModel tableOf(const std::vector<fs::path>& gerbers,
                                const std::vector<fs::path>& drills) {
  layers::LayerTableModel form;
  form.grid.setSize(16, static_cast<int>(gerbers.size()) + 1);
  for (size_t i = 0; i < gerbers.size(); ++i) {
    layers::LayerRow layer;
    layer.editor.name = L"L" + std::to_wstring(i);
    layer.exportBox = std::make_shared<widgets::CheckBox>();
    layer.exportBox->setChecked(true);
    layer.cam.typeBox = std::make_shared<widgets::DropDown>();
    layer.cam.typeBox->setItems({L"a", L"b"});
    layer.cam.typeBox->setItemIndex(static_cast<int>(i % 2));
    layer.gerberPath = wide(gerbers[i]);
    form.rows.push_back(std::move(layer));
    form.grid.setCell(15, static_cast<int>(i) + 1, std::to_wstring(i));
  }
  int from = 1;
  for (const fs::path& drill : drills) {
    form.drills.push_back({from, from + 1, wide(drill)});
    ++from;
  }
  return form;
}

// Copies each file through one user-space buffer: read(2) and write(2) of
// 1 MiB blocks, no line handling. False when a call fails.
bool copyThroughBuffer(const std::vector<fs::path>& files, const fs::path& toDir) {
  std::vector<char> buffer(1u << 20);
  for (const fs::path& from : files) {
    const int in = ::open(from.c_str(), O_RDONLY);
    const int out = ::open((toDir / from.filename()).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    bool ok = in >= 0 && out >= 0;
    for (ssize_t got = 1; ok && got > 0;) {
      got = ::read(in, buffer.data(), buffer.size());
      ok = got >= 0 && ::write(out, buffer.data(), static_cast<size_t>(got)) == got;
    }
    if (in >= 0) ::close(in);
    if (out >= 0) ::close(out);
    if (!ok) return false;
  }
  return true;
}

// The peak memory of post-processing two files of `mib` MiB (one with CR LF,
// one with LF line breaks) in this process; prints it and returns the exit code.
int peakRun(const fs::path& root, size_t mib) {
  fs::create_directories(root);
  const std::vector<fs::path> gerbers = {root / "b.G0", root / "b.G1"};
  for (size_t i = 0; i < gerbers.size(); ++i) {
    writeGerber(gerbers[i], mib << 20, i == 0, static_cast<int>(i));
  }
  const long before = peakKb();
  bool ok = true;
  try {
    exportcore::finishExportFiles(tableOf(gerbers, {}), true, nullptr);
  } catch (const std::exception& e) {
    std::printf("post-processing failed: %s\n", e.what());
    ok = false;
  }
  std::printf(
      "peak memory with 2 files of %zu MiB: %ld kB before the post-processing, %ld kB "
      "after\n",
      mib, before, peakKb());
  std::error_code ec;
  fs::remove_all(root, ec);
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path root =
      fs::temp_directory_path() / ("tavrolin-export-bench-" + std::to_string(::getpid()));
  if (argc == 3 && std::string(argv[1]) == "--peak") {
    return peakRun(root, static_cast<size_t>(std::atol(argv[2])));
  }
  const fs::path orig = root / "orig";
  const fs::path ours = root / "ours";
  const fs::path viaAwk = root / "awk";
  const fs::path viaCp = root / "cp";
  const fs::path viaBuffer = root / "buffer";
  const fs::path viaReplace = root / "replace";
  for (const auto& dir : {orig, ours, viaAwk, viaCp, viaBuffer}) fs::create_directories(dir);

  std::printf("generating %d Gerber files of %zu MiB in %s\n", kFiles, kMiBPerFile,
              root.string().c_str());
  std::vector<fs::path> originals, gerbers;
  std::string files;  // their names for the shell
  for (int i = 0; i < kFiles; ++i) {
    const std::string name = "b.G" + std::to_string(i);
    writeGerber(orig / name, kMiBPerFile << 20, i % 2 == 0, i);
    originals.push_back(orig / name);
    gerbers.push_back(ours / name);
    files += (i ? " " : "") + name;
  }
  const std::string holes = "M48\r\nT01C0.8\r\n%\r\nT01\r\nX1Y1\r\nM30\r\n";
  const std::string noHoles = "M48\r\n%\r\nT01\r\nM30\r\n";
  std::ofstream(orig / "b.1_2", std::ios::binary) << holes;
  std::ofstream(orig / "b.1_3", std::ios::binary) << noHoles;
  std::ofstream(orig / "b.2_3", std::ios::binary) << holes;
  uintmax_t total = 0;
  for (auto& e : fs::directory_iterator(orig)) total += fs::file_size(e.path());
  // 12 exported rows, one per file; three drill requests
  const layers::LayerTableModel form =
      tableOf(gerbers, {ours / "b.1_2", ours / "b.1_3", ours / "b.2_3"});

  bool broken = false;  // figures of work that failed are worth nothing
  const auto shell = [&](const char* what, const std::string& cmd) {
    return spentOn([&] {
      if (std::system(cmd.c_str()) != 0) {
        std::printf("%s failed\n", what);
        broken = true;
      }
    });
  };
  const std::string inOrig = "cd '" + orig.string() + "' && ";
  // Each copy and the post-processing run three times; the fastest run
  // counts. Before each run the previous outputs are gone and every dirty
  // page is on disk, so that no run pays for the write-back of another.
  const auto fastest = [&](const fs::path& outDir, const std::function<void()>& work,
                           bool fromCopies = false) {
    Spent best{1e30, 1e30};
    for (int run = 0; run < 3; ++run) {
      fs::remove_all(outDir);
      fs::create_directories(outDir);
      if (fromCopies) {
        for (auto& e : fs::directory_iterator(orig))
          fs::copy_file(e.path(), outDir / e.path().filename());
      }
      ::sync();
      const Spent spent = spentOn(work);
      if (spent.wall < best.wall) best = spent;
    }
    return best;
  };
  const Spent oneRead =
      fastest(viaCp, [&] { shell("cat", inOrig + "cat " + files + " > /dev/null"); });
  const Spent copy =
      fastest(viaCp, [&] { shell("cp", inOrig + "cp " + files + " '" + viaCp.string() + "'"); });
  const Spent buffer = fastest(viaBuffer, [&] {
    if (!copyThroughBuffer(originals, viaBuffer)) {
      std::printf("copy through a buffer failed\n");
      broken = true;
    }
  });

  // what replacing a file costs the file system beyond the copy: the old
  // file's pages and blocks are freed, and ext4 gives the new file its blocks
  // at the rename
  const Spent replace = fastest(
      viaReplace,
      [&] {
        shell("cp and mv", "cd '" + viaReplace.string() + "' && for f in " + files +
                               "; do cp $f $f.tmp && mv -f $f.tmp $f; done");
      },
      true);

  size_t failures = 0;
  const Spent pass = fastest(
      ours,
      [&] {
        try {
          failures = exportcore::finishExportFiles(form, true, nullptr).size();
        } catch (const std::exception& e) {
          std::printf("post-processing failed: %s\n", e.what());
          broken = true;
        }
      },
      true);

  const std::string script =
      "BEGIN { RS = \"\\r?\\n\"; ORS = \"\\r\\n\";"
      " print \"G04 Korvant TAVROLIN*\"; print \"G04 layer position = 0*\";"
      " print \"G04 layer base position = 0*\"; print \"G04 layer type = 0*\";"
      " print \"G04 layer flash color = -1*\"; print \"G04 layer line color = -1*\" }"
      " substr($0, 1, 3) == \"%LN\" { if (seen++) next } { print }";
  const std::string awkDir = "'" + viaAwk.string() + "'";
  const Spent awk =
      shell("awk", inOrig + "for f in " + files + "; do LC_ALL=C awk '" + script + "' $f > " +
                       awkDir + "/$f.tmp && mv " + awkDir + "/$f.tmp " + awkDir + "/$f; done");

  uintmax_t ourBytes = 0;
  for (const fs::path& gerber : gerbers) ourBytes += fs::file_size(gerber);
  const double mib = static_cast<double>(total) / (1 << 20);
  std::printf("input: %.1f MiB in %d Gerber files (+3 drill files), output %.1f MiB\n", mib, kFiles,
              static_cast<double>(ourBytes) / (1 << 20));
  const auto row = [&](const char* what, const Spent& spent) {
    std::printf("%-36s %6.2f s %7.0f MiB/s %6.2f s\n", what, spent.wall, mib / spent.wall,
                spent.cpu);
  };
  std::printf("%-36s %8s %13s %8s\n", "", "wall", "of input", "cpu");
  row("layer names + headers, drill files", pass);
  row("awk clean-up + header", awk);
  row("cp of the Gerber files", copy);
  row("copy through a 1 MiB buffer", buffer);
  row("one read (cat > /dev/null)", oneRead);
  row("cp to a temporary file, mv over the file", replace);
  std::printf("drill failures %zu\n", failures);
  const auto ratios = [&](const char* what, double Spent::*figure) {
    const double ours = pass.*figure;
    std::printf(
        "ratio %s  ours/awk: %.2f  ours/cp: %.2f  ours/buffer copy: %.2f  ours/read: %.2f  "
        "ours/(cp and mv): %.2f\n",
        what, ours / (awk.*figure), ours / (copy.*figure), ours / (buffer.*figure),
        ours / (oneRead.*figure), ours / (replace.*figure));
  };
  ratios("wall", &Spent::wall);
  ratios("cpu ", &Spent::cpu);
  std::error_code ec;
  fs::remove_all(root, ec);
  std::printf("removed %s%s\n", root.string().c_str(), ec ? " (failed)" : "");

  // Peak memory, each size in a fresh process.
  std::fflush(stdout);
  for (const char* size : {"25", "100"}) {
    const std::string cmd = "'" + fs::read_symlink("/proc/self/exe").string() + "' --peak " + size;
    if (std::system(cmd.c_str()) != 0) broken = true;
  }
  return broken || failures != 0 ? 1 : 0;
}
