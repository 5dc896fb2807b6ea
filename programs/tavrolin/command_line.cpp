// Scans the command line for the editor handle.
#include "tavrolin/command_line.h"

#include "base/int_text.h"

namespace app {
namespace {

// A signed 32-bit decimal integer (no hexadecimal forms).
bool readDecimal(const std::wstring& text, int32_t& out) {
  if (text.find_first_of(L"$xX") != std::wstring::npos) return false;
  return base::parseInt(text, out);
}

}  // namespace

uint32_t scanEditorHandle(const std::vector<std::wstring>& args, uint32_t current) {
  uint32_t handle = current;
  for (size_t i = 0; i < args.size() && !args[i].empty(); ++i) {
    if (args[i] != L"-h" || i + 1 >= args.size() || args[i + 1].empty()) continue;
    int32_t value = 0;
    if (readDecimal(args[i + 1], value)) handle = static_cast<uint32_t>(value);
  }
  return handle;
}

}  // namespace app
