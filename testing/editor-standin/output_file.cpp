// Generate counting and whole-file output.
#include "output_file.h"

#include <windows.h>

namespace standin {

bool takeGenerate(StandinApp& app) { return !app.options.generateFails(++app.generates); }

bool writeOutputFile(const std::wstring& path, const std::string& bytes) {
  if (path.empty()) return false;
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  ok = CloseHandle(f) && ok;
  if (!ok) DeleteFileW(path.c_str());
  return ok;
}

}  // namespace standin
