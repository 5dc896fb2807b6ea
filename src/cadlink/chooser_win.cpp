// The editor chooser window (see chooser_win.h).
#include "cadlink/chooser_win.h"

#include <string>

#include "base/error.h"
#include "cadlink/editor_access_win.h"
#include "cadlink/editor_protocol.h"
#include "cadlink/editor_version_win.h"
#include "widgets/dpi_win.h"

namespace cadlink {

namespace {

const wchar_t* const kCaption = L"Выберите окно(двойной клик)!";
constexpr int kClientWidth = 580;
constexpr int kClientHeight = 341;
constexpr UINT_PTR kHideTimerId = 1;
constexpr UINT kHideTimerMs = 10;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;

uint32_t handleNumber(HWND w) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(w)); }

}  // namespace

EditorChooser::~EditorChooser() {
  if (hwnd()) KillTimer(hwnd(), kHideTimerId);
  if (font_) DeleteObject(font_);
}

bool EditorChooser::create() {
  RECT r{0, 0, widgets::scaled(kClientWidth), widgets::scaled(kClientHeight)};
  AdjustWindowRectEx(&r, kStyle, FALSE, 0);
  return createWindow(kWindowClass, kCaption, kStyle, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                      r.right - r.left, r.bottom - r.top, nullptr, nullptr);
}

LRESULT EditorChooser::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    createList();
    return 0;
  }
  return Window::onMessage(message, wParam, lParam);
}

bool EditorChooser::onSize(int width, int height) {
  MoveWindow(list_, 0, 0, width, height, TRUE);
  return true;
}

bool EditorChooser::onCommand(int id, int code, HWND) {
  if (id == kListId && code == LBN_DBLCLK) onListDoubleClick();
  return true;
}

bool EditorChooser::onTimer(UINT_PTR id) {
  if (id == kHideTimerId) onHideTimer();
  return true;
}

bool EditorChooser::onClose() {
  // Closing the chooser leaves the program without an editor choice.
  hide();
  return true;
}

void EditorChooser::createList() {
  list_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0,
                          0, kClientWidth, kClientHeight, hwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
                          GetModuleHandleW(nullptr), nullptr);
  const int height = -MulDiv(8, widgets::screenDpi(), 72);
  font_ = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

void EditorChooser::armHideTimer(bool on) {
  if (on && !timerArmed_) SetTimer(hwnd(), kHideTimerId, kHideTimerMs, nullptr);
  if (!on && timerArmed_) KillTimer(hwnd(), kHideTimerId);
  timerArmed_ = on;
}

void EditorChooser::showListed() {
  listEditors();
  show();
  UpdateWindow(hwnd());
}

void EditorChooser::listEditors() {
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  candidates_.clear();
  EnumWindows(takeEditorWindow, reinterpret_cast<LPARAM>(this));
  if (candidates_.empty()) {
    armHideTimer(true);
  } else if (candidates_.size() == 1) {
    link_.editorWindow = handleNumber(candidates_.front());
    armHideTimer(true);
  }
}

void EditorChooser::onListDoubleClick() {
  const LRESULT selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (selected < 0 || static_cast<size_t>(selected) >= candidates_.size()) return;
  link_.editorWindow = handleNumber(candidates_[static_cast<size_t>(selected)]);
  hide();
}

void EditorChooser::onHideTimer() {
  if (visible()) {
    hide();
    armHideTimer(false);
  }
}

BOOL CALLBACK EditorChooser::takeEditorWindow(HWND w, LPARAM chooser) {
  wchar_t cls[128] = {};
  GetClassNameW(w, cls, 127);
  if (std::wstring(cls) == kEditorClass) reinterpret_cast<EditorChooser*>(chooser)->addCandidate(w);
  return TRUE;
}

void EditorChooser::addCandidate(HWND editor) {
  const std::wstring title = readCandidateTitle(link_, editor);
  // A title or build text that is not a number is listed with -1 rather than
  // ending the listing of the other editors.
  int32_t version = -1;
  int32_t build = kUnknownBuild;
  try {
    version = versionFromTitle(title);
    build = readCandidateBuild(link_, editor, version);
  } catch (const base::AppError&) {
  }
  const std::wstring entry = chooserEntry(title, version, build);
  SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  candidates_.push_back(editor);
}

}  // namespace cadlink
