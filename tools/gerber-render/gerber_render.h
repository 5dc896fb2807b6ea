// The gerber-render command: draws Gerber and Excellon files into one PNG.
//   gerber-render FILE... -o OUT.png [--dpi N] [--window X,Y,W,H]
//                 [--colour FILE=#RRGGBB] [--mirror] [--times]
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Runs the command on its arguments (UTF-8, without the program's name);
// messages go to `out`, usage and write errors to `err`. Returns the exit code:
// 0, 1 when a file could not be read at all, 2 on a usage or write error.
int runGerberRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
