// The decisions of an export run that need no window: the checks of the
// layer table before anything is written, the error policy, and the plot
// driver's command line.
#pragma once

#include <cstdint>
#include <string>

namespace exportrun {

// A signal or plane layer other than "Top" and "Bottom" that is not exported.
bool hasUnexportedSignalLayer();
// The first exported layer without a CAM layer type, or -1.
int firstExportedWithoutType();
// Whether any layer is exported.
bool anyExported();

enum class ErrorPolicy { Continue, Stop, Ask };
// 1 stops, 2 asks, every other value continues.
ErrorPolicy errorPolicyOf(int32_t errcheck);

// "<driver>" <handle> "<D>pcad.ini" "<D><B>.ERR" <dw> <dc> <1 when the policy stops, else 0>
std::wstring driverCommandLine(const std::wstring& driver, uint32_t editor,
                               const std::wstring& outputDir, const std::wstring& baseName,
                               int32_t dw, int32_t dc, ErrorPolicy policy);

// "Обнаруженно N ошибок."
std::wstring errorCountText(int32_t count);

}  // namespace exportrun
