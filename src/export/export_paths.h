// Path texts of the export: the design base name B that every output file
// is named after, and the conversion of the program's wide path texts into
// file system paths.
#pragma once

#include <filesystem>
#include <string>

namespace exportcore {

// A wide path text as a file system path (UTF-8 bytes outside Windows).
std::filesystem::path toPath(const std::wstring& text);

// The design base name B of a design file name: the name without the part
// from its last dot on. The name comes from text the editor shows, so it is
// made safe to put behind the output directory: \ / : * ? " < > | and
// control characters become "_", and B is never "." or "..". An empty name
// stays empty.
std::wstring designBaseName(const std::wstring& designName);

}  // namespace exportcore
