// The job description writer: assembles the plot driver's job pcad.ini from
// the job templates of the editor's version and build, one block per
// exported layer and one per drill pair of exported conductive layers, and
// records the Gerber path of every exported row and the requested drill
// files in `drills`.
#pragma once

#include <string>

#include "app/main_form_model.h"

// What the job is made for: the design's file name with its extension (the
// output files take its base name), and the editor's version and build,
// decimal, which pick the template set.
struct JobSource {
  std::wstring designFileName;
  std::wstring editorVersion;
  std::wstring editorBuild;
};

// Writes the job description `outfile` (D + "pcad.ini"; D, the output
// directory, is its directory part) from the templates macrodir + version +
// "_" + build + ".ini" / "_inch.ini" / "_l.ini" / "_d.ini" / "_dl.ini".
// Throws AppError naming the template when one cannot be read, is too short
// or lacks a marker line; `outfile` is then left as it was. The file is
// written once, complete, through a temporary file.
void genpcsdscr(MainFormModel& form, const std::wstring& outfile, const std::wstring& macrodir,
                const JobSource& source);
