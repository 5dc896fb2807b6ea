// Gerber post-processing (see gerber_post.h).
#include "export/gerber_post.h"

#include <cstring>
#include <string>

#include "base/encoding.h"
#include "base/line_stream.h"
#include "export/export_paths.h"
#include "export/fab_package.h"
#include "export/gerber_naming.h"
#include "layers/layer_model.h"
#include "layers/layer_table.h"

namespace exportcore {

namespace {

// Passes whole lines of an 8-bit file on to `writer`, line by line. Runs
// of kept lines that already end in CR LF go out as one piece straight from
// the read buffer; another break (a lone CR or LF, none at the end of the
// file) is written as CR LF.
void passEachLine(std::string_view lines, bool removeRepeated, bool& seenLayerName,
                  base::LineWriter& writer) {
  const char* p = lines.data();
  const char* const end = p + lines.size();
  const char* run = p;  // start of the bytes that go out as they are
  while (p != end) {
    const bool layerName =
        removeRepeated && end - p >= 3 && p[0] == '%' && p[1] == 'L' && p[2] == 'N';
    // the line's break: its LF, or a CR before it
    const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p));
    const char* brk = lf ? static_cast<const char*>(lf) : end;
    if (const void* cr = std::memchr(p, '\r', static_cast<size_t>(brk - p))) {
      brk = static_cast<const char*>(cr);
    }
    const bool crLf = end - brk >= 2 && brk[0] == '\r' && brk[1] == '\n';
    const char* const next = brk == end ? end : brk + (crLf ? 2 : 1);
    if (layerName && seenLayerName) {
      writer.writeBytes(std::string_view(run, static_cast<size_t>(p - run)));
      run = next;
    } else if (!crLf) {
      writer.writeLine(std::string_view(run, static_cast<size_t>(brk - run)));
      run = next;
    }
    seenLayerName = seenLayerName || layerName;
    p = next;
  }
  writer.writeBytes(std::string_view(run, static_cast<size_t>(end - run)));
}

// Passes whole lines of an 8-bit file on to `writer`. The common files, all
// of whose breaks are CR LF or all LF, are not looked at line by line: only
// each "%" is, to find the layer-name lines that go, and the pieces between
// them go out whole (LF breaks becoming CR LF on the way). Other files go
// line by line.
void passLines(std::string_view lines, bool removeRepeated, bool& seenLayerName,
               base::LineWriter& writer) {
  const bool lfOnly = !std::memchr(lines.data(), '\r', lines.size());
  if (!lfOnly && !base::breaksAreCrLf(lines)) {
    passEachLine(lines, removeRepeated, seenLayerName, writer);
    return;
  }
  const char* const begin = lines.data();
  const char* const end = begin + lines.size();
  const char* run = begin;  // start of the bytes not written yet
  const char* from = begin;
  for (;;) {
    const void* found = std::memchr(from, '%', static_cast<size_t>(end - from));
    const char* const percent = static_cast<const char*>(found);
    const bool layerName = removeRepeated && percent && (percent == begin || percent[-1] == '\n') &&
                           end - percent >= 3 && percent[1] == 'L' && percent[2] == 'N';
    if (percent && !(layerName && seenLayerName)) {
      seenLayerName = seenLayerName || layerName;
      from = percent + 1;
      continue;
    }
    const std::string_view piece(run, static_cast<size_t>((percent ? percent : end) - run));
    if (lfOnly) {
      writer.writeLfLines(piece);
    } else {
      writer.writeBytes(piece);
    }
    if (!percent) return;
    // the layer-name line is left out, its break with it
    const void* lf = std::memchr(percent, '\n', static_cast<size_t>(end - percent));
    run = from = lf ? static_cast<const char*>(lf) + 1 : end;
  }
}

}  // namespace

void finishGerber(const std::filesystem::path& path, bool removeRepeated, const GerberStamp* stamp,
                  size_t readBuffer) {
  base::rewriteFile(
      path,
      [&](base::LineReader& reader, base::LineWriter& writer) {
        if (stamp) {
          const std::wstring header[] = {
              L"G04 Korvant TAVROLIN*",
              L"G04 layer position = " + std::to_wstring(stamp->position) + L"*",
              L"G04 layer base position = " + stamp->basePosition + L"*",
              L"G04 layer type = " + std::to_wstring(stamp->type) + L"*",
              L"G04 layer flash color = " + std::to_wstring(stamp->flashColour) + L"*",
              L"G04 layer line color = " + std::to_wstring(stamp->lineColour) + L"*"};
          for (const std::wstring& text : header) {
            writer.writeLine(base::encodeText(text, reader.encoding()));
          }
          for (const std::wstring& text : stamp->attributes) {
            writer.writeLine(base::encodeText(text, reader.encoding()));
          }
        }
        bool seen = false;
        if (reader.unitSize() == 1) {
          std::string_view lines;
          while (reader.nextLines(lines)) passLines(lines, removeRepeated, seen, writer);
          return;
        }
        const size_t unit = reader.unitSize();
        std::string_view line;
        while (reader.next(line)) {
          if (removeRepeated && base::lineStartsWith(line, unit, "%LN")) {
            if (seen) continue;
            seen = true;
          }
          writer.writeLine(line);
        }
      },
      readBuffer);
}

void removeRepeatedLayerNames(const std::filesystem::path& path) {
  finishGerber(path, true, nullptr);
}

void stampGerber(const std::filesystem::path& path, const GerberStamp& stamp) {
  finishGerber(path, false, &stamp);
}

GerberStamp gerberStampOf(const layers::LayerTableModel& table, int row) {
  const layers::LayerRow& layer = rowLayer(table, row);
  GerberStamp stamp;
  stamp.position = row - 1;
  stamp.basePosition = table.grid.cell(layers::kColId, row);
  stamp.type = layer.camType();
  stamp.flashColour = layer.cam.flashColour ? layer.cam.flashColour->itemIndex() : -1;
  stamp.lineColour = layer.cam.lineColour ? layer.cam.lineColour->itemIndex() : -1;
  return stamp;
}

void keepFirstLayerName(const layers::LayerTableModel& table, const RunFiles* run) {
  for (const layers::LayerRow& layer : table.rows) {
    if (!layer.exported() || !toWorkOn(layer.gerberPath, run)) continue;
    removeRepeatedLayerNames(toPath(layer.gerberPath));
  }
}

void stampGerberHeaders(const layers::LayerTableModel& table, const RunFiles* run,
                        const X2Setup* x2) {
  const std::vector<int> copper = copperNumbers(table);
  for (int row = 1; row < table.grid.rowCount(); ++row) {
    const layers::LayerRow& layer = rowLayer(table, row);
    if (!layer.exported() || !toWorkOn(layer.gerberPath, run)) continue;
    GerberStamp stamp = gerberStampOf(table, row);
    if (x2)
      stamp.attributes =
          gerberAttributeLines(attributeValues(*x2, rowFileFunction(table, row, *x2, copper)));
    stampGerber(toPath(layer.gerberPath), stamp);
  }
}

}  // namespace exportcore
