// The system's ANSI code page as a 256-entry table (see ansi_page.h).
#include <windows.h>

#include <array>
#include <set>

#include "base/ansi_page.h"
#include "base/encoding.h"

namespace base {

bool installSystemAnsiTable() {
  CPINFO info{};
  if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize != 1) return false;
  std::array<wchar_t, 256> table{};
  std::set<wchar_t> seen;
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    wchar_t ch = 0;
    if (MultiByteToWideChar(CP_ACP, 0, &byte, 1, &ch, 1) != 1) return false;
    // A byte the page leaves undefined stands for U+00xx, as Windows maps it.
    if (b >= 0x80 && ch == 0xFFFD) ch = static_cast<wchar_t>(b);
    if (!seen.insert(ch).second) return false;
    table[b] = ch;
  }
  setAnsiTable(table);
  return true;
}

}  // namespace base
