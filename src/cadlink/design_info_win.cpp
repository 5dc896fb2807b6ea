// Reading the design's directory and file name (see design_info_win.h).
#include "cadlink/design_info_win.h"

#include "cadlink/editor_access_win.h"
#include "cadlink/editor_protocol.h"

namespace cadlink {

namespace {

std::wstring readDesignField(HWND h, int32_t field, const std::wstring& emptyValue, bool* whole) {
  postCommand(h, kCmdDesignInfo);
  HWND d = fw(0, 0, nullptr, kDesignInfoTitle);
  sendToEditor(gd(d, kDesignInfoTab), WM_LBUTTONDOWN, kMkLButton, kDesignInfoClick);
  sendToEditor(gd(d, kDesignInfoTab), WM_LBUTTONUP, 0, kDesignInfoClick);
  std::wstring text;
  const bool read = readWholeText(gd(d, field), text);
  if (whole) *whole = read;
  sendToEditor(d, WM_COMMAND, kIdOk, 0);
  if (text.empty()) text = emptyValue;
  sendToEditor(d, WM_COMMAND, kIdOk, 0);
  return text;
}

}  // namespace

std::wstring getcadput(HWND h, bool* whole) {
  return readDesignField(h, kDesignDirField, kEmptyDesignDir, whole);
}

std::wstring getcadname(HWND h) {
  return readDesignField(h, kDesignNameField, std::wstring(), nullptr);
}

}  // namespace cadlink
