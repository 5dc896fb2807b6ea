// Base of the program's own windows: registers a window class, attaches the
// object to its HWND on creation and detaches it before teardown, and routes
// each message to a named handler. A derived window overrides only the
// handlers it needs:
//
//   onCommand  WM_COMMAND      onNotify    WM_NOTIFY      onPaint    WM_PAINT
//   onSize     WM_SIZE         onTimer     WM_TIMER       onShow     WM_SHOWWINDOW
//   onActivate WM_ACTIVATE     onClose     WM_CLOSE       onDestroy  WM_DESTROY
//   onMessage  every other message
//
// A handler that returns false leaves the message to the default window
// procedure (for WM_CLOSE that destroys the window). An error raised inside
// a handler ends that handler and is shown in the standard error box; the
// program then goes on with its event loop.
#pragma once

#include <windows.h>

#include <string>

namespace widgets {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }
  bool visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
  void show(int cmd = SW_SHOW) const { ShowWindow(hwnd_, cmd); }
  void hide() const { ShowWindow(hwnd_, SW_HIDE); }

 protected:
  // Registers `className` once and creates the window with this object
  // attached. The window starts hidden unless `style` says WS_VISIBLE.
  bool createWindow(const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle,
                    int x, int y, int width, int height, HWND parent, HMENU menu,
                    HBRUSH background = nullptr);

  // A menu item or shortcut (`control` null) or a child control's notification.
  virtual bool onCommand(int id, int code, HWND control);
  // A common control's notification; `result` is what the message returns.
  virtual bool onNotify(const NMHDR& note, LRESULT& result);
  // Draws between BeginPaint and EndPaint; the default draws nothing.
  virtual void onPaint(HDC dc);
  virtual bool onSize(int width, int height);
  virtual bool onTimer(UINT_PTR id);
  // `byProgram` is false when the window is only uncovered or restored.
  virtual bool onShow(bool shown, bool byProgram);
  virtual bool onActivate(bool active);
  virtual bool onClose();
  virtual void onDestroy();
  // Every message without a named handler; the default passes it on to
  // DefWindowProc.
  virtual LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp);

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT route(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT paint();
  HWND hwnd_ = nullptr;
};

// The application's standard error box: the error's text, an OK button.
void showErrorBox(HWND owner, const std::wstring& text);

// Runs `action`; an error raised in it is shown in the standard error box.
template <typename F>
void guarded(HWND owner, F&& action);

// Creates a child control of a standard class with the given font; its place
// and size are given at 96 DPI and scaled to the screen (dpi_win.h).
HWND createControl(const wchar_t* cls, const std::wstring& text, DWORD style, int x, int y,
                   int width, int height, HWND parent, int id, HFONT font, DWORD exStyle = 0);

// The program's font: Tahoma 8 pt.
HFONT programFont();

// The text of a window.
std::wstring windowText(HWND w);

}  // namespace widgets

#include "widgets/window_guard_win.inl"
