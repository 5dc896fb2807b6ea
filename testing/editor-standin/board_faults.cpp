// Board changes from the command line.
#include "board_faults.h"

namespace standin {

namespace {

// `head` followed by a cycle of `fill` up to exactly `length` characters.
std::wstring longText(const std::wstring& head, const std::wstring& fill, size_t length) {
  std::wstring out = head;
  while (out.size() < length) out += fill;
  out.resize(length);
  return out;
}

}  // namespace

void applyBoardOptions(const Options& options, Board& board) {
  if (options.designDirGiven) board.designDir = options.designDir;
  if (options.longTexts) {
    board.designDir = longText(L"C:\\", L"very long directory name\\", kLongDirLength - 1) + L"\\";
    board.params.solderMaskSwell = longText(L"0.1", L"0", kLongSwellLength);
    if (!board.layers.empty()) {
      board.layers[0].name =
          longText(board.layers[0].name + L" ", L"long layer name ", kLongLayerNameLength);
    }
  }
  if (options.emptyFields) {
    board.designDir.clear();
    board.fileName.clear();
    board.params = {};
    if (!board.layers.empty()) board.layers[0].type.clear();
  }
}

}  // namespace standin
