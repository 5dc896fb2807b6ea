// Resolution of the output directory.
#include "tavrolin/output_dir.h"

namespace app {

std::wstring directoryPart(const std::wstring& path) {
  size_t cut = path.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

std::wstring resolveOutputDir(const std::wstring& dir, const std::wstring& pcbdir,
                              const DirectoryOps& ops) {
  if (!dir.empty() && ops.exists(dir)) {
    wchar_t last = dir.back();
    return (last == L'\\' || last == L'/') ? dir : dir + L"\\";
  }
  if (dir == L"gerber") {
    std::wstring base = directoryPart(pcbdir) + L"gerber";
    // the numbers run out only after every 32-bit one is taken
    for (unsigned n = 0;; ++n) {
      std::wstring candidate = base + std::to_wstring(n) + L"\\";
      if (!ops.exists(candidate)) {
        ops.create(candidate);
        return candidate;
      }
      if (n == 0xFFFFFFFFu) return candidate;
    }
  }
  return directoryPart(pcbdir);
}

std::wstring resolveOutputDir(const std::wstring& dir, const std::wstring& pcbdir,
                              bool pcbdirWhole, const DirectoryOps& ops) {
  if (!pcbdirWhole && !(!dir.empty() && ops.exists(dir))) return std::wstring();
  return resolveOutputDir(dir, pcbdir, ops);
}

}  // namespace app
