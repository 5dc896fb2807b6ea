// Installs the system's 8-bit code page as the table that fromAnsi/toAnsi use.
#pragma once

namespace base {

// Builds the table from the system's ANSI code page when that page has one
// character per byte and no two bytes share a character; otherwise keeps
// Windows-1252. Returns true when the system's page was installed.
bool installSystemAnsiTable();

}  // namespace base
