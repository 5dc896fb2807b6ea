// Views, pictures, telling Gerber from Excellon, and a file's layer laid
// over the picture in its colours.
#include "render/render.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/excellon_reader.h"
#include "render/gerber_reader.h"
#include "render/plotter.h"
#include "render/source.h"

namespace render {

namespace {

constexpr int kMaxSide = 1 << 15;  // pixels a side of a picture at most

// Excellon when, in the first few kilobytes, a line holds M48 before any
// Gerber statement (one ending in "*" or an extended one "%XX"), or when
// there is none of those and some line is a tool, INCH or METRIC.
bool looksLikeDrill(const std::string& path) {
  ByteSource in(path);
  std::string head;
  int c;
  while (head.size() < 8192 && (c = in.get()) >= 0) head += static_cast<char>(c);
  bool drillLines = false;
  size_t start = 0;
  while (start < head.size()) {
    size_t end = head.find_first_of("\r\n", start);
    if (end == std::string::npos) end = head.size();
    std::string line = head.substr(start, end - start);
    start = end + 1;
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    line.erase(0, first);
    if (line[0] == ';') continue;
    if (line.rfind("M48", 0) == 0) return true;
    if (line.find('*') != std::string::npos ||
        (line[0] == '%' && line.size() > 1 && line[1] >= 'A' && line[1] <= 'Z')) {
      return false;
    }
    if ((line[0] == 'T' && line.size() > 1 && line[1] >= '0' && line[1] <= '9') ||
        line.rfind("INCH", 0) == 0 || line.rfind("METRIC", 0) == 0) {
      drillLines = true;
    }
  }
  return drillLines;
}

FileReport readFile(const std::string& path, Plotter& plotter) {
  ByteSource in(path);
  if (!in.opened()) {
    FileReport report;
    report.unreadable = true;
    report.error = "файл не открывается";
    return report;
  }
  return looksLikeDrill(path) ? readExcellon(in, plotter) : readGerber(in, plotter);
}

std::uint8_t blend(std::uint8_t under, std::uint8_t over, std::uint8_t alpha) {
  return static_cast<std::uint8_t>((over * alpha + under * (255 - alpha) + 127) / 255);
}

}  // namespace

void Box::add(const Box& other) {
  if (other.empty()) return;
  if (empty()) {
    *this = other;
    return;
  }
  minX = std::min(minX, other.minX);
  minY = std::min(minY, other.minY);
  maxX = std::max(maxX, other.maxX);
  maxY = std::max(maxY, other.maxY);
}

Image::Image(int w, int h, Colour background) : width(std::max(0, w)), height(std::max(0, h)) {
  rgba.resize(static_cast<size_t>(width) * height * 4);
  for (size_t i = 0; i < rgba.size(); i += 4) {
    rgba[i] = background.r;
    rgba[i + 1] = background.g;
    rgba[i + 2] = background.b;
    rgba[i + 3] = background.a;
  }
}

View viewAt(const Box& board, double dpi, double margin, bool mirrored) {
  View v;
  v.mirrored = mirrored;
  if (board.empty() || !(dpi > 0)) return v;
  const double w = board.maxX - board.minX + 2 * margin;
  const double h = board.maxY - board.minY + 2 * margin;
  v.width = static_cast<int>(std::min<double>(kMaxSide, std::max(1.0, std::ceil(w * dpi - 1e-6))));
  v.height = static_cast<int>(std::min<double>(kMaxSide, std::max(1.0, std::ceil(h * dpi - 1e-6))));
  // keep the scale at dpi: the window grows to whole pixels
  v.window.minX = board.minX - margin;
  v.window.maxY = board.maxY + margin;
  v.window.maxX = v.window.minX + v.width / dpi;
  v.window.minY = v.window.maxY - v.height / dpi;
  return v;
}

View fitView(const Box& board, int width, int height, int margin, bool mirrored) {
  View v;
  v.mirrored = mirrored;
  v.width = std::max(0, width);
  v.height = std::max(0, height);
  if (board.empty() || width <= 2 * margin || height <= 2 * margin) return v;
  const double bw = std::max(board.maxX - board.minX, 1e-6);
  const double bh = std::max(board.maxY - board.minY, 1e-6);
  const double scale = std::min((width - 2 * margin) / bw, (height - 2 * margin) / bh);
  const double cx = (board.minX + board.maxX) / 2, cy = (board.minY + board.maxY) / 2;
  v.window = {cx - width / scale / 2, cy - height / scale / 2, cx + width / scale / 2,
              cy + height / scale / 2};
  return v;
}

FileReport measureFile(const std::string& path, Box& extent) {
  Box box;
  Plotter plotter(box);
  FileReport report = readFile(path, plotter);
  extent = box;
  return report;
}

FileReport drawFile(const Layer& layer, const View& view, Image& image) {
  if (view.width <= 0 || view.height <= 0 || view.width != image.width ||
      view.height != image.height || view.window.empty()) {
    Box unused;
    return measureFile(layer.path, unused);
  }
  std::vector<std::uint8_t> coverage(static_cast<size_t>(view.width) * view.height, kEmpty);
  Plotter plotter(view, coverage);
  const FileReport report = readFile(layer.path, plotter);
  std::uint8_t* px = image.rgba.data();
  for (size_t i = 0; i < coverage.size(); ++i, px += 4) {
    if (coverage[i] == kEmpty) continue;
    const Colour& c = coverage[i] == kFlash ? layer.flash : layer.line;
    px[0] = blend(px[0], c.r, c.a);
    px[1] = blend(px[1], c.g, c.a);
    px[2] = blend(px[2], c.b, c.a);
    px[3] = std::max(px[3], c.a);
  }
  return report;
}

}  // namespace render
