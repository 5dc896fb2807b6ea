// The plot driver's command line: the editor's main window, the job, the
// driver's own report, the two search delays and the stop flag. Checked
// strictly, because a driver that guesses would drive the wrong window or
// write its logs into the wrong folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plotrelay {

struct DriverArgs {
  uint32_t editor = 0;       // the editor's main window handle
  std::wstring jobPath;      // D + "pcad.ini"
  std::wstring reportPath;   // D + B + ".ERR"
  int32_t windowDelay = 0;   // ms between window lookups (negative counts as 0)
  int32_t controlDelay = 0;  // ms between control lookups
  bool stopOnError = false;  // "1": stop at the first failed block
};

// The outcome of the check. When the command line is malformed, `error`
// says why and `logDir` / `reportPath` hold what could still be derived
// from it (empty when nothing safe could be), so the problem can be reported
// where the caller looks for it.
struct ArgsCheck {
  bool ok = false;
  DriverArgs args;
  std::wstring error;
  std::wstring logDir;      // D, ending with a path separator, or empty
  std::wstring reportPath;  // the .ERR report's path, or empty
};

// `args` are the arguments after the driver's own path: exactly six.
ArgsCheck checkDriverArgs(const std::vector<std::wstring>& args);

// The directory part of a path, with its trailing separator ("" when the
// path has none).
std::wstring directoryOf(const std::wstring& path);
// The file name of a path without its extension.
std::wstring baseNameOf(const std::wstring& path);

}  // namespace plotrelay
