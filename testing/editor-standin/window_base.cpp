// Window object attachment and message routing.
#include "window_base.h"

namespace standin {

void WindowBase::registerClass(HINSTANCE instance, const wchar_t* className, UINT style) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(instance, className, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = &WindowBase::proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className;
  RegisterClassExW(&wc);
}

HWND WindowBase::createWindow(HINSTANCE instance, const wchar_t* className,
                              const std::wstring& title, DWORD style, DWORD exStyle, RECT bounds,
                              HWND parent, HMENU menuOrId) {
  return CreateWindowExW(exStyle, className, title.c_str(), style, bounds.left, bounds.top,
                         bounds.right - bounds.left, bounds.bottom - bounds.top, parent, menuOrId,
                         instance, this);
}

LRESULT WindowBase::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  return defaultHandle(msg, wParam, lParam);
}

LRESULT WindowBase::defaultHandle(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK WindowBase::proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  LRESULT result = self->handle(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    if (self->deleteOnDestroy_) delete self;
  }
  return result;
}

}  // namespace standin
