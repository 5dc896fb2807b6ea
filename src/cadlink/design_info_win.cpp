// Reading the design's directory and file name (see design_info_win.h).
#include "cadlink/design_info_win.h"

#include "cadlink/editor_access_win.h"
#include "cadlink/editor_protocol.h"

namespace cadlink {

namespace {

LRESULT send(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  return w ? SendMessageW(w, message, wParam, lParam) : 0;
}

std::wstring readDesignField(HWND h, int32_t field, const std::wstring& emptyValue) {
  postCommand(h, kCmdDesignInfo);
  HWND d = fw(0, 0, nullptr, kDesignInfoTitle);
  send(gd(d, kDesignInfoTab), WM_LBUTTONDOWN, kMkLButton, kDesignInfoClick);
  send(gd(d, kDesignInfoTab), WM_LBUTTONUP, 0, kDesignInfoClick);
  std::wstring text = gettext(gd(d, field));
  send(d, WM_COMMAND, kIdOk, 0);
  if (text.empty()) text = emptyValue;
  send(d, WM_COMMAND, kIdOk, 0);
  return text;
}

}  // namespace

std::wstring getcadput(HWND h) { return readDesignField(h, kDesignDirField, kEmptyDesignDir); }

std::wstring getcadname(HWND h) { return readDesignField(h, kDesignNameField, std::wstring()); }

}  // namespace cadlink
