// The board parameter reads and writes (see board_params_win.h).
#include "cadlink/board_params_win.h"

#include "app/run_values.h"
#include "cadlink/editor_access_win.h"
#include "cadlink/editor_protocol.h"

namespace cadlink {

namespace {

void send(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  sendToEditor(w, message, wParam, lParam);
}

LPARAM textParam(const std::wstring& s) { return reinterpret_cast<LPARAM>(s.c_str()); }

// Opens "Options Configure" and brings its swell fields up: two clicks on
// the tab control around a click on the button. Returns the dialog.
HWND openConfigure(HWND h) {
  postCommand(h, kCmdOptionsConfigure);
  HWND d = fw(0, 0, nullptr, kOptionsConfigureTitle);
  send(gd(d, kConfigureTab), WM_LBUTTONDOWN, kMkLButton, kConfigureFirstClick);
  send(gd(d, kConfigureTab), WM_LBUTTONUP, 0, kConfigureFirstClick);
  send(gd(d, kConfigureButton), BM_CLICK, 0, 0);
  send(gd(d, kConfigureTab), WM_LBUTTONDOWN, kMkLButton, kConfigureSecondClick);
  send(gd(d, kConfigureTab), WM_LBUTTONUP, 0, kConfigureSecondClick);
  return d;
}

std::wstring readSwell(HWND h, const SwellParameter& p) {
  std::wstring result;
  HWND d = openConfigure(h);
  result = gettext(gd(d, p.field));
  send(d, WM_COMMAND, kIdOk, 0);
  return result;
}

void writeSwell(HWND h, const SwellParameter& p, const std::wstring& s) {
  HWND d = openConfigure(h);
  send(gd(d, p.field), WM_SETTEXT, 0, textParam(s));
  for (uint32_t wParam : swellNotifications(p)) {
    send(d, WM_COMMAND, wParam, static_cast<LPARAM>(p.notifyLParam));
  }
  send(d, WM_COMMAND, kIdOk, 0);
}

// Opens the Gerber dialog and its "Aperture Assignments"; returns both.
std::pair<HWND, HWND> openApertures(HWND h) {
  postCommand(h, kCmdGerberOut);
  HWND gerber = fw(0, 0, nullptr, gerberDialogTitle(version));
  if (!gerber) return {nullptr, nullptr};  // nothing asked to open, nothing to wait for
  postCommand(gerber, kCmdApertureAssignments);
  HWND apertures = fw(0, 0, nullptr, kApertureTitle);
  return {gerber, apertures};
}

void closeApertures(const std::pair<HWND, HWND>& dialogs) {
  send(dialogs.second, WM_COMMAND, kIdOk, 0);
  send(dialogs.first, WM_COMMAND, kIdOk, 0);
}

}  // namespace

std::wstring getSolderMaskSwell(HWND h) { return readSwell(h, kSolderMaskSwell); }
std::wstring getPlaneSwell(HWND h) { return readSwell(h, kPlaneSwell); }
void SetSolderMaskSwell(HWND h, const std::wstring& s) { writeSwell(h, kSolderMaskSwell, s); }
void SetPlaneSwell(HWND h, const std::wstring& s) { writeSwell(h, kPlaneSwell, s); }

std::wstring getDrawApertureSize(HWND h) {
  std::wstring result;
  const auto dialogs = openApertures(h);
  result = gettext(gd(dialogs.second, kApertureField));
  closeApertures(dialogs);
  return result;
}

void SetDrawApertureSize(HWND h, const std::wstring& s) {
  const auto dialogs = openApertures(h);
  HWND field = gd(dialogs.second, kApertureField);
  send(field, WM_SETFOCUS, 0, 0);
  send(field, WM_LBUTTONDBLCLK, kMkLButton, 0);
  send(field, WM_SETTEXT, 0, textParam(s));
  send(dialogs.second, WM_KEYDOWN, kVkReturn, 0);
  send(dialogs.second, WM_KEYUP, kVkReturn, 0);
  closeApertures(dialogs);
}

}  // namespace cadlink
