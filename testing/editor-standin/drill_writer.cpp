// Excellon output of one drill span.
#include "drill_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace standin {

namespace {

bool sameSpan(int fromA, int toA, int fromB, int toB) {
  return std::min(fromA, toA) == std::min(fromB, toB) &&
         std::max(fromA, toA) == std::max(fromB, toB);
}

std::string number(double value, OutputUnits units) {
  char buf[32];
  std::snprintf(buf, sizeof buf, units == OutputUnits::Inch ? "%.4f" : "%.3f",
                units == OutputUnits::Inch ? value / kMmPerInch : value);
  return buf;
}

void line(std::string& out, const std::string& text) { out += text + "\r\n"; }

}  // namespace

std::vector<DrillHit> drillHits(const Board& board, const std::vector<int>& span) {
  const bool all = span.empty();
  const int first = all ? 0 : span.front();
  const int last = all ? 0 : span.back();
  std::vector<DrillHit> hits;
  for (const Pad& p : board.pads) {
    if (p.hole > 0 && (all || sameSpan(p.fromLayer, p.toLayer, first, last)))
      hits.push_back({p.at, p.hole});
  }
  for (const Via& v : board.vias) {
    if (all || sameSpan(v.fromLayer, v.toLayer, first, last)) hits.push_back({v.at, v.hole});
  }
  const bool through =
      all || (firstMetalLayer(board) >= 0 &&
              sameSpan(first, last, firstMetalLayer(board), lastMetalLayer(board)));
  if (through) {
    for (const Hole& h : board.holes) hits.push_back({h.at, h.diameter});
  }
  return hits;
}

std::string writeDrill(const Board& board, const DrillJob& job) {
  std::vector<DrillHit> hits = drillHits(board, job.span);
  // The tool table is the board's: one tool per diameter as written,
  // smallest first, in every file; a file selects only the tools it uses.
  std::vector<std::string> tools;
  for (const DrillHit& h : drillHits(board, {})) tools.push_back(number(h.diameter, job.units));
  std::sort(tools.begin(), tools.end(),
            [](const std::string& a, const std::string& b) { return std::stod(a) < std::stod(b); });
  tools.erase(std::unique(tools.begin(), tools.end()), tools.end());
  auto toolName = [](size_t i) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "T%02u", static_cast<unsigned>(i + 1));
    return std::string(buf);
  };

  std::string out;
  line(out, "M48");
  line(out, ";editor-standin N/C drill output");
  line(out, job.units == OutputUnits::Inch ? "INCH,TZ" : "METRIC,TZ");
  for (size_t i = 0; i < tools.size(); ++i) line(out, toolName(i) + "C" + tools[i]);
  line(out, "%");
  line(out, "G90");
  for (size_t i = 0; i < tools.size(); ++i) {
    bool selected = false;
    for (const DrillHit& h : hits) {
      if (number(h.diameter, job.units) != tools[i]) continue;
      if (!selected) line(out, toolName(i));
      selected = true;
      line(out, "X" + number(h.at.x + job.offset.x, job.units) + "Y" +
                    number(h.at.y + job.offset.y, job.units));
    }
  }
  line(out, "M30");
  return out;
}

}  // namespace standin
