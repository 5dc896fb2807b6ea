// Common behaviour of the editor's dialogs.
#include "dialog_window.h"

namespace standin {

namespace {
constexpr wchar_t kClassName[] = L"StandinDialog";
constexpr UINT kMsgDestroyLater = WM_APP + 1;
}  // namespace

DialogWindow::DialogWindow(StandinApp& app, std::wstring title, std::wstring target)
    : WindowBase(true), app_(app), title_(std::move(title)), target_(std::move(target)) {}

bool DialogWindow::show(HWND owner, int width, int height) {
  registerClass(app_.instance, kClassName);
  RECT bounds{120, 120, 120 + width, 120 + height};
  if (owner) {
    RECT o;
    GetWindowRect(owner, &o);
    OffsetRect(&bounds, o.left, o.top);
  }
  // Titled only once its controls exist: whoever finds it by its title
  // finds it complete.
  HWND w = createWindow(app_.instance, kClassName, L"",
                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME,
                        bounds, owner, nullptr);
  if (!w) {
    delete this;
    return false;
  }
  build();
  SetWindowTextW(w, title_.c_str());
  ShowWindow(w, SW_SHOWNORMAL);
  UpdateWindow(w);
  return true;
}

void DialogWindow::onCommand(Origin, WPARAM, LPARAM) {}

void DialogWindow::onKey(Origin, UINT, WPARAM, LPARAM) {}

HWND DialogWindow::addChild(const wchar_t* cls, int id, const std::wstring& text, DWORD style,
                            DWORD exStyle, RECT bounds) {
  HWND w =
      CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, bounds.left,
                      bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, hwnd(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), app_.instance, nullptr);
  SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return w;
}

HWND DialogWindow::addLabel(const std::wstring& text, RECT bounds) {
  return addChild(L"STATIC", -1, text, SS_LEFT, 0, bounds);
}

HWND DialogWindow::addEdit(int id, const std::wstring& text, RECT bounds, OutsideHook hook) {
  HWND w = addChild(L"EDIT", id, text, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, bounds);
  tap(w, id, std::move(hook));
  return w;
}

HWND DialogWindow::addButton(int id, const std::wstring& text, RECT bounds) {
  HWND w = addChild(L"BUTTON", id, text, WS_TABSTOP | BS_PUSHBUTTON, 0, bounds);
  tap(w, id);
  return w;
}

HWND DialogWindow::addCheckBox(int id, const std::wstring& text, RECT bounds) {
  HWND w = addChild(L"BUTTON", id, text, WS_TABSTOP | BS_AUTOCHECKBOX, 0, bounds);
  tap(w, id);
  return w;
}

HWND DialogWindow::addRadioButton(int id, const std::wstring& text, RECT bounds) {
  HWND w = addChild(L"BUTTON", id, text, WS_TABSTOP | BS_RADIOBUTTON, 0, bounds);
  tap(w, id);
  return w;
}

HWND DialogWindow::addListBox(int id, const std::vector<std::wstring>& items, RECT bounds) {
  HWND w = addChild(L"LISTBOX", id, L"", WS_TABSTOP | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY,
                    WS_EX_CLIENTEDGE, bounds);
  for (const std::wstring& item : items)
    SendMessageW(w, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  tap(w, id);
  return w;
}

std::wstring DialogWindow::controlText(int id) const {
  HWND w = GetDlgItem(hwnd(), id);
  int n = w ? GetWindowTextLengthW(w) : 0;
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  if (n > 0) GetWindowTextW(w, text.data(), n + 1);
  text.resize(static_cast<size_t>(n));
  return text;
}

void DialogWindow::closeLater() {
  // Posted before the window hides: whoever sees it hidden and asks for a
  // new dialog posts behind this, so the old one is gone first.
  PostMessageW(hwnd(), kMsgDestroyLater, 0, 0);
  ShowWindow(hwnd(), SW_HIDE);
}

HWND DialogWindow::addTabs(RECT bounds, std::vector<std::wstring> tabs,
                           TabStrip::ClickHandler onClick) {
  TabStrip* strip =
      TabStrip::create(app_.instance, hwnd(), 998, bounds, std::move(tabs), std::move(onClick));
  if (!strip) return nullptr;
  tap(strip->hwnd(), 998);
  return strip->hwnd();
}

void DialogWindow::tap(HWND control, int id, OutsideHook hook) {
  tapControl(app_, control, target_ + L"#" + std::to_wstring(id), std::move(hook));
}

LRESULT DialogWindow::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
    case WM_CLOSE:
    case WM_GETTEXT:
    case WM_SETTEXT:
    case WM_KEYDOWN:
    case WM_KEYUP:
      break;
    case kMsgDestroyLater:
      DestroyWindow(hwnd());
      return 0;
    case WM_DESTROY:
      // The main window shows the board's parameters: let it show changes.
      InvalidateRect(GetWindow(hwnd(), GW_OWNER), nullptr, TRUE);
      return 0;
    default:
      return defaultHandle(msg, wParam, lParam);
  }
  Origin origin = app_.origin.classify();
  MessageOrigin::Scope scope(app_.origin, origin);
  if (origin != Origin::Internal) app_.journal.record(target_, msg, wParam, lParam);
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && HIWORD(wParam) == 0) {
        onOk();
        DestroyWindow(hwnd());
      } else if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == 0) {
        DestroyWindow(hwnd());
      } else {
        onCommand(origin, wParam, lParam);
      }
      return 0;
    case WM_CLOSE:
      DestroyWindow(hwnd());
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      onKey(origin, msg, wParam, lParam);
      return 0;
    default:
      return defaultHandle(msg, wParam, lParam);
  }
}

}  // namespace standin
