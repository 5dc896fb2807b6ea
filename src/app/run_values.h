// The run-time values that the whole program shares for one run: the
// editor's main window, the two search delays, the design's location, the
// editor's version and build, and the plot driver's path.
#pragma once

#include <cstdint>
#include <string>

extern uint32_t h;          // the editor's main window; 0 for none
extern int32_t dw;          // window search delay, ms
extern int32_t dc;          // control search delay, ms
extern std::wstring pcbdir;   // the design's directory as the editor shows it
extern std::wstring pcbname;  // the design's file name with its extension
extern std::wstring version;  // the editor's major version, decimal
extern std::wstring bild;     // the editor's build number, decimal
extern std::wstring autopcad; // full path of the plot driver
