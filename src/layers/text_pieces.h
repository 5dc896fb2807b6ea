// Splitting a text into its non-empty pieces, as the layer table reads the
// [layers] values (at commas) and the board type code (at blanks).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace layers {

// Pieces between separators; empty pieces are dropped, nothing is trimmed.
std::vector<std::wstring> splitPieces(std::wstring_view text, wchar_t separator);

}  // namespace layers
