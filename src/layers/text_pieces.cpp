// Splitting texts into their non-empty pieces.
#include "layers/text_pieces.h"

namespace layers {

std::vector<std::wstring> splitPieces(std::wstring_view text, wchar_t separator) {
  std::vector<std::wstring> pieces;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(separator, start);
    if (end == std::wstring_view::npos) end = text.size();
    if (end > start) pieces.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

}  // namespace layers
