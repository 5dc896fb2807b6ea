// Checks, error policy and driver command line of the export run.
#include "export/export_run.h"

#include "layers/layer_model.h"

namespace exportcore {

bool hasUnexportedSignalLayer(const std::vector<layers::LayerRow>& rows) {
  for (const layers::LayerRow& l : rows) {
    bool conductive =
        l.editor.layerClass == layers::kSignalLayer || l.editor.layerClass == layers::kPlaneLayer;
    if (conductive && !l.exported() && l.editor.name != L"Top" && l.editor.name != L"Bottom") {
      return true;
    }
  }
  return false;
}

int firstExportedWithoutType(const std::vector<layers::LayerRow>& rows) {
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].exported() && rows[i].camType() == -1) return static_cast<int>(i);
  }
  return -1;
}

bool anyExported(const std::vector<layers::LayerRow>& rows) {
  for (const layers::LayerRow& l : rows) {
    if (l.exported()) return true;
  }
  return false;
}

ErrorPolicy errorPolicyOf(int32_t errcheck) {
  if (errcheck == 1) return ErrorPolicy::Stop;
  if (errcheck == 2) return ErrorPolicy::Ask;
  return ErrorPolicy::Continue;
}

std::wstring driverCommandLine(const std::wstring& driver, uint32_t editor,
                               const std::wstring& outputDir, const std::wstring& baseName,
                               int32_t windowDelayMs, int32_t controlDelayMs, ErrorPolicy policy) {
  return L"\"" + driver + L"\" " + std::to_wstring(editor) + L" \"" + outputDir + L"pcad.ini\" \"" +
         outputDir + baseName + L".ERR\" " + std::to_wstring(windowDelayMs) + L" " +
         std::to_wstring(controlDelayMs) + L" " + (policy == ErrorPolicy::Stop ? L"1" : L"0");
}

std::wstring errorCountText(int32_t count) {
  return L"Обнаруженно " + std::to_wstring(count) + L" ошибок.";
}

DriverVerdict judgeDriver(const DriverEnd& end) {
  if (!end.logFound) return DriverVerdict::Failed;
  if (end.logErrors > 0) return DriverVerdict::ErrorsCounted;
  return end.exitCode == 0 ? DriverVerdict::Clean : DriverVerdict::Failed;
}

std::wstring driverFailureText(const DriverEnd& end) {
  const std::wstring code = std::to_wstring(end.exitCode);
  if (!end.logFound) {
    return L"Драйвер вывода не оставил журнал ошибок (код завершения " + code +
           L").\rВывод мог быть прерван.";
  }
  return L"Драйвер вывода завершился с кодом " + code + L".\rВывод мог быть прерван.";
}

}  // namespace exportcore
