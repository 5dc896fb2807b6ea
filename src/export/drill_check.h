// The drill file check after the plot driver has run: drill files without
// holes are deleted, the others get their final names B.TXT, B.TXT1, ...
// and are stamped with the maker and the layer rows they join.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "export/run_files.h"
#include "layers/layer_model.h"

namespace exportcore {

// True when the drill file holds no holes: its third line from the end is
// exactly "%". Throws AppError when the file cannot be read or has fewer
// than three lines.
bool drillFileIsEmpty(const std::filesystem::path& path);

// stem + ".TXT" when no file of that name exists, else stem + ".TXT" + n
// with the smallest n from 1 up that names no file.
std::wstring freeDrillName(const std::wstring& stem);

// Puts `lines` after the file's first line.
void insertAfterFirstLine(const std::filesystem::path& path,
                          const std::vector<std::wstring>& lines);

// Puts ";Korvant TAVROLIN", ";From Layer " + fromRow and ";To Layer " +
// toRow after the file's first line.
void stampDrill(const std::filesystem::path& path, int fromRow, int toRow);

// The message that tells the operator which drill files were left as they
// were, one per line.
std::wstring drillFailureText(const std::vector<std::wstring>& failures);

// A drill file the check kept: the request and the final name it was moved to.
struct KeptDrill {
  layers::DrillFile request;
  std::wstring path;
};

// Checks every drill file of the export in order: an empty one is deleted, any
// other is moved to its final name and stamped. A missing or too short file
// stops the check with an AppError. A delete, move or stamp that fails does
// not stop it: the check goes on and returns one text per such file (empty
// when all went well), for the caller to show with drillFailureText.
// With `run`, a file that the driver did not write in that run (absent, or
// left from an earlier export) is passed over: not read, deleted or moved.
// With `kept`, every file moved and stamped is added to it.
std::vector<std::wstring> finishDrillFiles(const std::vector<layers::DrillFile>& drills,
                                           const RunFiles* run = nullptr,
                                           std::vector<KeptDrill>* kept = nullptr);

}  // namespace exportcore
