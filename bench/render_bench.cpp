// Drawing speed and memory of gerber-render beside gerbv: a generated Gerber
// file (tracks, arcs, pads, thermal macros, copper pours) of 100 MiB by
// default, drawn at 600 DPI into the same window by both, each in a fresh
// process: wall time and peak memory (maximum resident set). Files given
// after the size are drawn by both as well, all into one picture.
// Usage: render_bench [MIB] [FILE...]; RENDER_BENCH_KEEP=DIR keeps the files.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr double kBoardW = 10, kBoardH = 8;  // inches

// Tracks and arcs with round apertures, pads of every standard shape and a
// thermal macro, and now and then a pour with a clear pad in it.
void writeBoard(const fs::path& path, size_t bytes) {
  std::mt19937 random(1);
  auto coord = [&](double max) { return static_cast<long>(random() % long(max * 10000)); };
  std::ofstream file(path, std::ios::binary);
  std::string out =
      "G04 generated board*\n%FSLAX24Y24*%\n%MOIN*%\n"
      "%AMTHERMAL*7,0,0,$1,$2,0.01,45*%\n"
      "%ADD10C,0.008*%\n%ADD11C,0.012*%\n%ADD12R,0.06X0.04*%\n%ADD13O,0.08X0.04*%\n"
      "%ADD14P,0.07X6X0*%\n%ADD15C,0.06X0.03*%\n%ADD16THERMAL,0.08X0.05*%\nG75*\n";
  size_t written = 0;
  long x = 0, y = 0;
  for (long n = 0; written < bytes; ++n) {
    const int kind = random() % 100;
    char line[256];
    int len = 0;
    if (kind < 70) {  // a track of a few segments
      x = coord(kBoardW);
      y = coord(kBoardH);
      len = std::snprintf(line, sizeof line, "D%d*\nX%ldY%ldD02*\n", 10 + int(random() % 2), x, y);
      for (int s = 0; s < 4; ++s) {
        x = std::min(long(kBoardW * 10000), std::max(0L, x + long(random() % 3001) - 1500));
        y = std::min(long(kBoardH * 10000), std::max(0L, y + long(random() % 3001) - 1500));
        len += std::snprintf(line + len, sizeof line - len, "X%ldY%ldD01*\n", x, y);
      }
    } else if (kind < 75) {  // an arc
      len = std::snprintf(line, sizeof line, "D10*\nX%ldY%ldD02*\nG02X%ldY%ldI500J0D01*\nG01*\n", x,
                          y, x + 1000, y);
    } else if (kind < 99) {  // a pad
      len = std::snprintf(line, sizeof line, "D%d*\nX%ldY%ldD03*\n", 12 + int(random() % 5),
                          coord(kBoardW), coord(kBoardH));
    } else {  // a pour with a clear pad
      const long px = coord(kBoardW - 0.5), py = coord(kBoardH - 0.5);
      len = std::snprintf(line, sizeof line,
                          "G36*\nX%ldY%ldD02*\nX%ldY%ldD01*\nX%ldY%ldD01*\nX%ldY%ldD01*\n"
                          "X%ldY%ldD01*\nG37*\n%%LPC*%%\nD12*\nX%ldY%ldD03*\n%%LPD*%%\n",
                          px, py, px + 4000, py, px + 4000, py + 3000, px, py + 3000, px, py,
                          px + 2000, py + 1500);
    }
    out.append(line, len);
    if (out.size() > (1u << 20)) {
      file << out;
      written += out.size();
      out.clear();
    }
  }
  file << out << "M02*\n";
}

struct Run {
  bool ok = false;
  double seconds = 0;
  long peakKb = 0;
};

Run runProgram(const std::vector<std::string>& argv) {
  std::fflush(stdout);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  Run run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peakKb = usage.ru_maxrss;
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

bool haveGerbv() { return std::system("gerbv --version >/dev/null 2>&1") == 0; }

// Both programs on a set of files drawn into one picture, in the same window
// when one is given (else each takes the files' extent); false when
// gerber-render fails.
bool compare(const std::string& ours, const std::string& label, const std::vector<fs::path>& files,
             const fs::path& dir, const std::string& window, const std::string& gerbvOrigin,
             const std::string& gerbvSize) {
  double mib = 0;
  std::vector<std::string> a = {ours}, g = {"gerbv", "-x", "png", "--dpi=600"};
  for (const fs::path& f : files) {
    mib += double(fs::file_size(f)) / (1 << 20);
    a.push_back(f.string());
  }
  a.insert(a.end(), {"-o", (dir / "ours.png").string(), "--dpi", "600"});
  if (!window.empty()) {
    a.insert(a.end(), {"--window", window});
    g.insert(g.end(), {"-O", gerbvOrigin, "-W", gerbvSize});
  }
  g.insert(g.end(), {"-o", (dir / "gerbv.png").string()});
  for (const fs::path& f : files) g.push_back(f.string());
  const Run ra = runProgram(a);
  std::printf("%-28s %8.2f MiB  gerber-render: %7.2f s %8.1f MiB peak%s\n", label.c_str(), mib,
              ra.seconds, ra.peakKb / 1024.0, ra.ok ? "" : "  FAILED");
  if (haveGerbv()) {
    const Run rg = runProgram(g);
    std::printf("%-28s %8s      gerbv:         %7.2f s %8.1f MiB peak%s  (ratio %.1fx)\n", "", "",
                rg.seconds, rg.peakKb / 1024.0, rg.ok ? "" : "  FAILED", rg.seconds / ra.seconds);
  }
  std::fflush(stdout);
  return ra.ok;
}

}  // namespace

int main(int argc, char** argv) {
  const size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100;
  const fs::path self = fs::absolute(argv[0]).parent_path();
  const std::string ours = (self / "gerber-render").string();
  // RENDER_BENCH_KEEP=DIR keeps the generated file and the pictures there
  const char* keep = std::getenv("RENDER_BENCH_KEEP");
  const fs::path dir =
      keep ? fs::path(keep)
           : fs::temp_directory_path() / ("tavrolin-render-bench-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const fs::path board = dir / "board.gbr";
  writeBoard(board, mib << 20);
  bool ok = compare(ours, "generated board", {board}, dir, "0,0,10,8", "0x0", "10x8");
  if (argc > 2) {
    ok = compare(ours, std::to_string(argc - 2) + " files given", {argv + 2, argv + argc}, dir, "",
                 "", "") &&
         ok;
  }
  if (!keep) fs::remove_all(dir);
  return ok ? 0 : 1;
}
