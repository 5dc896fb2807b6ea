// Base of the stand-in's window classes: the object is attached to its HWND
// on creation, one static procedure routes messages to handle(), and the
// object is detached (and, for self-owned windows, deleted) at WM_NCDESTROY.
#pragma once

#include <windows.h>

#include <string>

namespace standin {

class WindowBase {
 public:
  explicit WindowBase(bool deleteOnDestroy) : deleteOnDestroy_(deleteOnDestroy) {}
  virtual ~WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers a class of this name once per process.
  static void registerClass(HINSTANCE instance, const wchar_t* className, UINT style = 0);
  HWND createWindow(HINSTANCE instance, const wchar_t* className, const std::wstring& title,
                    DWORD style, DWORD exStyle, RECT bounds, HWND parent, HMENU menuOrId);

  virtual LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT defaultHandle(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  bool deleteOnDestroy_;
};

}  // namespace standin
