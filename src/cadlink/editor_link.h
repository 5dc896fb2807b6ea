// The program's link to the one editor it works with: the editor's main
// window, the pacing of the searches in its windows, the version and build
// it reported, and what the searches met on the way (the lookup counts and
// the record of what the editor failed to give). Start-up fills it in; the
// main window, its dialogs and the export run are handed it. Portable: the
// window is kept as the number the command line and the plot driver use.
#pragma once

#include <cstdint>
#include <string>

#include "cadlink/editor_misses.h"
#include "cadlink/retry_search.h"

namespace cadlink {

struct EditorLink {
  uint32_t editorWindow = 0;    // the editor's main window; 0 while none is chosen
  int32_t windowDelayMs = 10;   // pause before each lookup of a window search
  int32_t controlDelayMs = 10;  // pause before each lookup of a control search
  std::wstring editorVersion;   // the editor's major version, decimal ("2004")
  std::wstring editorBuild;     // the editor's build number, decimal ("215")
  LookupCounters counters;
  EditorMisses misses;

  bool attached() const { return editorWindow != 0; }
};

}  // namespace cadlink
