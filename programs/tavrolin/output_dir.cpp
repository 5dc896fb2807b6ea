// Resolution of the output directory.
#include "tavrolin/output_dir.h"

#include "base/path_text.h"

namespace app {

std::wstring resolveOutputDir(const std::wstring& dir, const std::wstring& designDir,
                              const DirectoryOps& ops) {
  if (!dir.empty() && ops.exists(dir)) {
    wchar_t last = dir.back();
    return (last == L'\\' || last == L'/') ? dir : dir + L"\\";
  }
  if (dir == L"gerber") {
    std::wstring stem = base::directoryPart(designDir) + L"gerber";
    // the numbers run out only after every 32-bit one is taken
    for (unsigned n = 0;; ++n) {
      std::wstring candidate = stem + std::to_wstring(n) + L"\\";
      if (!ops.exists(candidate)) {
        ops.create(candidate);
        return candidate;
      }
      if (n == 0xFFFFFFFFu) return candidate;
    }
  }
  return base::directoryPart(designDir);
}

std::wstring resolveOutputDir(const std::wstring& dir, const std::wstring& designDir,
                              bool designDirWhole, const DirectoryOps& ops) {
  if (!designDirWhole && !(!dir.empty() && ops.exists(dir))) return std::wstring();
  return resolveOutputDir(dir, designDir, ops);
}

}  // namespace app
