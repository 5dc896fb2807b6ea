// Working the editor through window messages (see win_editor_port.h).
// Messages are sent with a time limit, so an editor that hangs in one of
// its dialogs cannot hold the driver for ever; the waits that follow then
// report the step that did not come through.
#include "editor_port_win.h"

#include <vector>

#include "widgets/message_pump_win.h"

namespace plotrelay {

namespace {

constexpr UINT kSendTimeoutMs = 15000;

HWND hwndOf(uintptr_t handle) { return reinterpret_cast<HWND>(handle); }

LRESULT sendTo(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(target, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                           kSendTimeoutMs, &result)) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

std::wstring windowTitle(HWND w) {
  const int length = GetWindowTextLengthW(w);
  if (length <= 0) return {};
  std::vector<wchar_t> buf(static_cast<size_t>(length) + 2);
  const int got = GetWindowTextW(w, buf.data(), static_cast<int>(buf.size()));
  return std::wstring(buf.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

std::wstring listItemText(HWND list, LRESULT index) {
  const LRESULT length = sendTo(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::vector<wchar_t> buf(static_cast<size_t>(length) + 2);
  const LRESULT got =
      sendTo(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data()));
  return std::wstring(buf.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

// LB_FINDSTRINGEXACT ignores case; the item must match exactly, so further
// matches are looked at until the search wraps around.
LRESULT findExactItem(HWND list, const std::wstring& text) {
  LRESULT first = LB_ERR;
  LRESULT from = -1;
  for (;;) {
    const LRESULT index = sendTo(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(from),
                                 reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0 || index == first) return LB_ERR;
    if (listItemText(list, index) == text) return index;
    if (first == LB_ERR) first = index;
    if (index <= from) return LB_ERR;  // wrapped around
    from = index;
  }
}

struct WindowSearch {
  DWORD pid;
  const std::wstring* title;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND w, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != search->pid || !IsWindowVisible(w)) return TRUE;
  if (windowTitle(w) != *search->title) return TRUE;
  search->found = w;
  return FALSE;
}

}  // namespace

WinEditorPort::WinEditorPort(HWND editor) : editor_(editor) {
  if (IsWindow(editor_)) GetWindowThreadProcessId(editor_, &pid_);
}

bool WinEditorPort::editorAlive() { return pid_ != 0 && IsWindow(editor_); }

void WinEditorPort::postCommand(int32_t id) {
  PostMessageW(editor_, WM_COMMAND, static_cast<WPARAM>(static_cast<uint32_t>(id)), 0);
}

uintptr_t WinEditorPort::findWindow(const std::wstring& title) {
  if (pid_ == 0) return 0;
  WindowSearch search{pid_, &title, nullptr};
  EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
  return reinterpret_cast<uintptr_t>(search.found);
}

bool WinEditorPort::windowShown(uintptr_t window) {
  return IsWindow(hwndOf(window)) && IsWindowVisible(hwndOf(window));
}

uintptr_t WinEditorPort::findControl(uintptr_t dialog, int32_t id) {
  return reinterpret_cast<uintptr_t>(GetDlgItem(hwndOf(dialog), id));
}

void WinEditorPort::setText(uintptr_t control, const std::wstring& text) {
  sendTo(hwndOf(control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void WinEditorPort::setCheck(uintptr_t control, bool checked) {
  sendTo(hwndOf(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool WinEditorPort::selectItem(uintptr_t dialog, uintptr_t list, int32_t id,
                               const std::wstring& text) {
  HWND box = hwndOf(list);
  const LRESULT index = findExactItem(box, text);
  if (index < 0) return false;
  const LONG style = GetWindowLongW(box, GWL_STYLE);
  if (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
    sendTo(box, LB_SETSEL, FALSE, -1);
    sendTo(box, LB_SETSEL, TRUE, index);
  } else {
    sendTo(box, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  sendTo(hwndOf(dialog), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), LBN_SELCHANGE),
         reinterpret_cast<LPARAM>(box));
  return true;
}

void WinEditorPort::click(uintptr_t control) { sendTo(hwndOf(control), BM_CLICK, 0, 0); }

void WinEditorPort::sleep(int32_t ms) {
  // the driver ends when its job is done, not on a quit request
  widgets::MessagePump pump(widgets::MessagePump::OnQuit::Ignore);
  pump.waitFor(ms);
}

}  // namespace plotrelay
