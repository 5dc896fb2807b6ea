// The board parameter reads and writes (see board_params_win.h).
#include "cadlink/board_params_win.h"

#include <utility>

#include "cadlink/editor_access_win.h"
#include "cadlink/editor_protocol.h"

namespace cadlink {

namespace {

LPARAM textParam(const std::wstring& s) { return reinterpret_cast<LPARAM>(s.c_str()); }

// Opens "Options Configure" and brings its swell fields up: two clicks on
// the tab control around a click on the button. Returns the dialog.
HWND openConfigure(EditorLink& link) {
  postCommand(mainWindowOf(link), kCmdOptionsConfigure);
  HWND d = findWindow(link, kOptionsConfigureTitle);
  auto control = [&](int32_t id) { return findControl(link, d, id); };
  sendToEditor(link, control(kConfigureTab), WM_LBUTTONDOWN, kMkLButton, kConfigureFirstClick);
  sendToEditor(link, control(kConfigureTab), WM_LBUTTONUP, 0, kConfigureFirstClick);
  sendToEditor(link, control(kConfigureButton), BM_CLICK, 0, 0);
  sendToEditor(link, control(kConfigureTab), WM_LBUTTONDOWN, kMkLButton, kConfigureSecondClick);
  sendToEditor(link, control(kConfigureTab), WM_LBUTTONUP, 0, kConfigureSecondClick);
  return d;
}

std::wstring readSwell(EditorLink& link, const SwellParameter& p) {
  HWND d = openConfigure(link);
  const std::wstring result = readWindowText(link, findControl(link, d, p.field));
  sendToEditor(link, d, WM_COMMAND, kIdOk, 0);
  return result;
}

void writeSwell(EditorLink& link, const SwellParameter& p, const std::wstring& value) {
  HWND d = openConfigure(link);
  sendToEditor(link, findControl(link, d, p.field), WM_SETTEXT, 0, textParam(value));
  for (uint32_t wParam : swellNotifications(p)) {
    sendToEditor(link, d, WM_COMMAND, wParam, static_cast<LPARAM>(p.notifyLParam));
  }
  sendToEditor(link, d, WM_COMMAND, kIdOk, 0);
}

// Opens the Gerber dialog and its "Aperture Assignments"; returns both.
std::pair<HWND, HWND> openApertures(EditorLink& link) {
  postCommand(mainWindowOf(link), kCmdGerberOut);
  HWND gerber = findWindow(link, gerberDialogTitle(link.editorVersion));
  if (!gerber) return {nullptr, nullptr};  // nothing asked to open, nothing to wait for
  postCommand(gerber, kCmdApertureAssignments);
  HWND apertures = findWindow(link, kApertureTitle);
  return {gerber, apertures};
}

void closeApertures(EditorLink& link, const std::pair<HWND, HWND>& dialogs) {
  sendToEditor(link, dialogs.second, WM_COMMAND, kIdOk, 0);
  sendToEditor(link, dialogs.first, WM_COMMAND, kIdOk, 0);
}

}  // namespace

std::wstring readSolderMaskSwell(EditorLink& link) { return readSwell(link, kSolderMaskSwell); }
std::wstring readPlaneSwell(EditorLink& link) { return readSwell(link, kPlaneSwell); }

void writeSolderMaskSwell(EditorLink& link, const std::wstring& value) {
  writeSwell(link, kSolderMaskSwell, value);
}

void writePlaneSwell(EditorLink& link, const std::wstring& value) {
  writeSwell(link, kPlaneSwell, value);
}

std::wstring readDrawApertureSize(EditorLink& link) {
  const auto dialogs = openApertures(link);
  const std::wstring result =
      readWindowText(link, findControl(link, dialogs.second, kApertureField));
  closeApertures(link, dialogs);
  return result;
}

void writeDrawApertureSize(EditorLink& link, const std::wstring& value) {
  const auto dialogs = openApertures(link);
  HWND field = findControl(link, dialogs.second, kApertureField);
  sendToEditor(link, field, WM_SETFOCUS, 0, 0);
  sendToEditor(link, field, WM_LBUTTONDBLCLK, kMkLButton, 0);
  sendToEditor(link, field, WM_SETTEXT, 0, textParam(value));
  sendToEditor(link, dialogs.second, WM_KEYDOWN, kVkReturn, 0);
  sendToEditor(link, dialogs.second, WM_KEYUP, kVkReturn, 0);
  closeApertures(link, dialogs);
}

}  // namespace cadlink
