// Reading the design's directory and file name (see design_info_win.h).
#include "cadlink/design_info_win.h"

#include "cadlink/editor_access_win.h"
#include "cadlink/editor_protocol.h"

namespace cadlink {

namespace {

std::wstring readDesignField(EditorLink& link, int32_t field, const std::wstring& emptyValue,
                             bool* whole) {
  postCommand(mainWindowOf(link), kCmdDesignInfo);
  HWND d = findWindow(link, kDesignInfoTitle);
  sendToEditor(link, findControl(link, d, kDesignInfoTab), WM_LBUTTONDOWN, kMkLButton,
               kDesignInfoClick);
  sendToEditor(link, findControl(link, d, kDesignInfoTab), WM_LBUTTONUP, 0, kDesignInfoClick);
  std::wstring text;
  const bool read = readWholeText(link, findControl(link, d, field), text);
  if (whole) *whole = read;
  sendToEditor(link, d, WM_COMMAND, kIdOk, 0);
  if (text.empty()) text = emptyValue;
  sendToEditor(link, d, WM_COMMAND, kIdOk, 0);
  return text;
}

}  // namespace

std::wstring readDesignDir(EditorLink& link, bool* whole) {
  return readDesignField(link, kDesignDirField, kEmptyDesignDir, whole);
}

std::wstring readDesignFileName(EditorLink& link) {
  return readDesignField(link, kDesignNameField, std::wstring(), nullptr);
}

}  // namespace cadlink
