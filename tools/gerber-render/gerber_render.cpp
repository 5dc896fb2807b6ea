// The gerber-render command: arguments, the picture's window, one line of
// messages per file, and the PNG.
#include "gerber_render.h"

#include <chrono>
#include <cmath>
#include <cstdlib>

#include "png_write.h"
#include "render/render.h"

namespace {

constexpr double kMargin = 0.1;                 // inches around the files' extent
constexpr double kMaxPixels = double(1 << 28);  // a picture of 1 GiB at most
constexpr std::uint8_t kOpacity = 0xC0;

// One colour per file in the order given, distinct on black.
const render::Colour kPalette[] = {
    {0xE0, 0x30, 0x30, kOpacity}, {0x30, 0xC0, 0x40, kOpacity}, {0x40, 0x70, 0xFF, kOpacity},
    {0xF0, 0xD0, 0x20, kOpacity}, {0xD0, 0x40, 0xD0, kOpacity}, {0x30, 0xD0, 0xD0, kOpacity},
    {0xF0, 0x90, 0x20, kOpacity}, {0xE0, 0xE0, 0xE0, kOpacity},
};

bool parseColour(const std::string& text, render::Colour& out) {
  if (text.size() != 7 || text[0] != '#') return false;
  char* end = nullptr;
  const unsigned long v = std::strtoul(text.c_str() + 1, &end, 16);
  if (*end) return false;
  out = {std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v), kOpacity};
  return true;
}

std::string baseName(const std::string& path) {
  const size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

struct Options {
  std::vector<std::string> files;
  std::string output;
  double dpi = 600;
  bool hasWindow = false;
  render::Box window;
  std::vector<std::pair<std::string, render::Colour>> colours;
  bool mirrored = false;
  bool times = false;
};

bool parseArgs(const std::vector<std::string>& args, Options& o, std::string& problem) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "-o" || a == "--dpi" || a == "--window" || a == "--colour") {
      if (!hasValue) {
        problem = "после " + a + " нет значения";
        return false;
      }
      const std::string& v = args[++i];
      if (a == "-o") {
        o.output = v;
      } else if (a == "--dpi") {
        char* end = nullptr;
        o.dpi = std::strtod(v.c_str(), &end);
        if (*end || !(o.dpi >= 1 && o.dpi <= 100000)) {
          problem = "неверное разрешение: " + v;
          return false;
        }
      } else if (a == "--window") {
        double n[4];
        const char* p = v.c_str();
        for (int k = 0; k < 4; ++k) {
          char* end = nullptr;
          n[k] = std::strtod(p, &end);
          if (end == p || !std::isfinite(n[k]) || (k < 3 ? *end != ',' : *end != 0)) {
            problem = "неверное окно: " + v;
            return false;
          }
          p = end + 1;
        }
        if (!(n[2] > 0 && n[3] > 0)) {
          problem = "неверное окно: " + v;
          return false;
        }
        o.hasWindow = true;
        o.window = {n[0], n[1], n[0] + n[2], n[1] + n[3]};
      } else {
        const size_t eq = v.rfind('=');
        render::Colour c;
        if (eq == std::string::npos || !parseColour(v.substr(eq + 1), c)) {
          problem = "неверный цвет: " + v;
          return false;
        }
        o.colours.emplace_back(v.substr(0, eq), c);
      }
    } else if (a == "--mirror") {
      o.mirrored = true;
    } else if (a == "--times") {
      o.times = true;
    } else if (!a.empty() && a[0] == '-' && a != "-") {
      problem = "неизвестный ключ: " + a;
      return false;
    } else {
      o.files.push_back(a);
    }
  }
  if (o.files.empty() || o.output.empty()) {
    problem = "нужны файлы и -o OUT.png";
    return false;
  }
  return true;
}

std::string describe(const std::string& file, const render::FileReport& r) {
  if (r.unreadable && r.objects == 0) return file + ": ошибка: " + r.error;
  std::string line =
      file + ": " + (r.drill ? "сверловка" : "Gerber") + ", объектов: " + std::to_string(r.objects);
  if (!r.error.empty()) line += "; ошибка: " + r.error;
  if (!r.skipped.empty()) {
    line += "; пропущено:";
    for (size_t i = 0; i < r.skipped.size(); ++i) line += (i ? ", " : " ") + r.skipped[i];
  }
  return line;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int runGerberRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options o;
  std::string problem;
  if (!parseArgs(args, o, problem)) {
    err << "gerber-render: " << problem << "\n"
        << "вызов: gerber-render ФАЙЛ... -o OUT.png [--dpi N] [--window X,Y,W,H] "
           "[--colour ФАЙЛ=#RRGGBB] [--mirror]\n";
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  render::Box board = o.window;
  if (!o.hasWindow) {
    for (const std::string& f : o.files) {
      render::Box extent;
      render::measureFile(f, extent);
      board.add(extent);
    }
    if (board.empty()) board = {0, 0, 1, 1};
  }
  const double measured = secondsSince(start);
  const render::View view = o.hasWindow ? render::viewAt(board, o.dpi, 0, o.mirrored)
                                        : render::viewAt(board, o.dpi, kMargin, o.mirrored);
  const double w = (board.maxX - board.minX + (o.hasWindow ? 0 : 2 * kMargin)) * o.dpi;
  const double h = (board.maxY - board.minY + (o.hasWindow ? 0 : 2 * kMargin)) * o.dpi;
  if (!(w * h <= kMaxPixels)) {
    err << "gerber-render: картинка слишком велика (" << std::llround(w) << " x " << std::llround(h)
        << " точек): уменьшите --dpi или --window\n";
    return 2;
  }
  render::Image image(view.width, view.height, {0, 0, 0, 255});
  int code = 0;
  for (size_t i = 0; i < o.files.size(); ++i) {
    const std::string& f = o.files[i];
    render::Layer layer{f, kPalette[i % std::size(kPalette)], kPalette[i % std::size(kPalette)]};
    for (const auto& [name, colour] : o.colours) {
      if (name == f || name == baseName(f)) layer.flash = layer.line = colour;
    }
    const render::FileReport report = render::drawFile(layer, view, image);
    out << describe(f, report) << "\n";
    if (report.unreadable) code = 1;
  }
  const double drawn = secondsSince(start);
  if (!writePng(o.output, image)) {
    err << "gerber-render: не записать " << o.output << "\n";
    return 2;
  }
  if (o.times) {
    err << "размеры: " << measured << " с, рисование: " << drawn - measured
        << " с, PNG: " << secondsSince(start) - drawn << " с, картинка " << view.width << " x "
        << view.height << "\n";
  }
  return code;
}
