// The journaling subclass of controls.
#include "control_tap.h"

#include <commctrl.h>

namespace standin {

namespace {

struct Tap {
  StandinApp* app;
  std::wstring target;
  OutsideHook hook;
};

LRESULT CALLBACK tapProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                         DWORD_PTR data) {
  auto* tap = reinterpret_cast<Tap*>(data);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &tapProc, id);
    delete tap;
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  Origin origin = tap->app->origin.classify();
  if (origin == Origin::Internal) return DefSubclassProc(hwnd, msg, wParam, lParam);
  MessageOrigin::Scope scope(tap->app->origin, origin);
  tap->app->journal.record(tap->target, msg, wParam, lParam);
  if (tap->hook && tap->hook(msg, wParam, lParam)) return 0;
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void tapControl(StandinApp& app, HWND control, const std::wstring& target, OutsideHook hook) {
  if (!control) return;
  SetWindowSubclass(control, &tapProc, 1,
                    reinterpret_cast<DWORD_PTR>(new Tap{&app, target, std::move(hook)}));
}

}  // namespace standin
