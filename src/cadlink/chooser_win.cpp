// The editor chooser window (see chooser_win.h).
#include "cadlink/chooser_win.h"

#include <string>

#include "app/run_values.h"
#include "base/error.h"
#include "cadlink/editor_access_win.h"
#include "cadlink/editor_protocol.h"
#include "cadlink/editor_version_win.h"

TForm10* Form10 = nullptr;

namespace {

const wchar_t* const kWindowClass = L"TavrolinChooser";
const wchar_t* const kCaption = L"Выберите окно(двойной клик)!";
constexpr int kClientWidth = 580;
constexpr int kClientHeight = 341;
constexpr int kListId = 100;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerInterval = 10;

bool registerClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

TForm10* TForm10::create(HINSTANCE instance) {
  if (!registerClass(instance, windowProc)) return nullptr;
  auto* form = new TForm10();
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
  RECT r{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&r, style, FALSE, 0);
  HWND w = CreateWindowExW(0, kWindowClass, kCaption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                           r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, form);
  if (!w) {
    delete form;
    return nullptr;
  }
  return form;
}

TForm10::~TForm10() {
  if (hwnd_) {
    KillTimer(hwnd_, kTimerId);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (font_) DeleteObject(font_);
}

LRESULT CALLBACK TForm10::windowProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TForm10*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->hwnd_ = w;
    SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TForm10*>(GetWindowLongPtrW(w, GWLP_USERDATA));
  if (!form) return DefWindowProcW(w, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(w, GWLP_USERDATA, 0);
    form->hwnd_ = nullptr;
    return DefWindowProcW(w, message, wParam, lParam);
  }
  return form->handle(message, wParam, lParam);
}

LRESULT TForm10::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      onCreate();
      return 0;
    case WM_SIZE:
      MoveWindow(ListBox1, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_DBLCLK) ListBox1DblClick();
      return 0;
    case WM_TIMER:
      if (wParam == kTimerId) Timer1Timer();
      return 0;
    case WM_CLOSE:
      // Closing the chooser leaves the program without an editor choice.
      ShowWindow(hwnd_, SW_HIDE);
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void TForm10::onCreate() {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
  ListBox1 = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY |
                                 LBS_NOINTEGRALHEIGHT,
                             0, 0, kClientWidth, kClientHeight, hwnd_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance,
                             nullptr);
  HDC dc = GetDC(hwnd_);
  const int height = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(hwnd_, dc);
  font_ = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
  SendMessageW(ListBox1, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

void TForm10::armTimer(bool on) {
  if (on && !timerArmed_) SetTimer(hwnd_, kTimerId, kTimerInterval, nullptr);
  if (!on && timerArmed_) KillTimer(hwnd_, kTimerId);
  timerArmed_ = on;
}

void TForm10::show() {
  FormShow();
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

bool TForm10::visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

void TForm10::FormShow() {
  SendMessageW(ListBox1, LB_RESETCONTENT, 0, 0);
  pcads.clear();
  EnumWindows(pcad, reinterpret_cast<LPARAM>(this));
  if (pcads.empty()) {
    armTimer(true);
  } else if (pcads.size() == 1) {
    h = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pcads.front()));
    armTimer(true);
  }
}

void TForm10::ListBox1DblClick() {
  const LRESULT selected = SendMessageW(ListBox1, LB_GETCURSEL, 0, 0);
  if (selected < 0 || static_cast<size_t>(selected) >= pcads.size()) return;
  h = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pcads[static_cast<size_t>(selected)]));
  ShowWindow(hwnd_, SW_HIDE);
}

void TForm10::Timer1Timer() {
  if (visible()) {
    ShowWindow(hwnd_, SW_HIDE);
    armTimer(false);
  }
}

BOOL CALLBACK pcad(HWND w, LPARAM formParam) {
  auto* form = reinterpret_cast<TForm10*>(formParam);
  wchar_t cls[128] = {};
  GetClassNameW(w, cls, 127);
  if (std::wstring(cls) != cadlink::kEditorClass) return TRUE;
  const std::wstring title = cadlink::chooser::gettext(w);
  // A title or build text that is not a number is listed with -1 rather than
  // ending the listing of the other editors.
  int32_t version = -1;
  int32_t build = cadlink::kUnknownBuild;
  try {
    version = cadlink::getversion(title);
    build = cadlink::chooser::getbild(w, version);
  } catch (const base::AppError&) {
  }
  const std::wstring entry = cadlink::chooserEntry(title, version, build);
  SendMessageW(form->ListBox1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  form->pcads.push_back(w);
  return TRUE;
}
