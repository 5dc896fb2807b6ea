// The decisions of an export run that need no window: the checks of the
// layer table before anything is written, the error policy, and the plot
// driver's command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "layers/layer_model.h"

namespace exportcore {

// A signal or plane layer other than "Top" and "Bottom" that is not exported.
bool hasUnexportedSignalLayer(const std::vector<layers::LayerRow>& rows);
// The first exported layer without a CAM layer type, or -1.
int firstExportedWithoutType(const std::vector<layers::LayerRow>& rows);
// Whether any layer is exported.
bool anyExported(const std::vector<layers::LayerRow>& rows);

enum class ErrorPolicy { Continue, Stop, Ask };
// 1 stops, 2 asks, every other value continues.
ErrorPolicy errorPolicyOf(int32_t errcheck);

// "<driver>" <handle> "<D>pcad.ini" "<D><B>.ERR" <window delay> <control delay>
// <1 when the policy stops, else 0>
std::wstring driverCommandLine(const std::wstring& driver, uint32_t editor,
                               const std::wstring& outputDir, const std::wstring& baseName,
                               int32_t windowDelayMs, int32_t controlDelayMs, ErrorPolicy policy);

// "Обнаруженно N ошибок."
std::wstring errorCountText(int32_t count);

// How the plot driver ended: its exit code, and its error log when it left one.
struct DriverEnd {
  uint32_t exitCode = 0;
  bool logFound = false;
  int32_t logErrors = 0;  // the log's error count
};

// What the run makes of the driver's end. Errors counted in the log are the
// driver's own report. A driver that left no log, or that ended with a
// non-zero code while its log counts no error (it crashed, was killed, or
// could not finish the log), failed as a whole.
enum class DriverVerdict { Clean, ErrorsCounted, Failed };
DriverVerdict judgeDriver(const DriverEnd& end);

// The message for a driver that failed as a whole.
std::wstring driverFailureText(const DriverEnd& end);

}  // namespace exportcore
