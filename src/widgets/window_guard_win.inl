// Inline part of window_win.h: the error guard around event handlers.
#pragma once

#include <exception>

#include "base/error.h"
#include "base/encoding.h"

namespace widgets {

template <typename F>
void guarded(HWND owner, F&& action) {
  try {
    action();
  } catch (const base::AppError& e) {
    showErrorBox(owner, e.text());
  } catch (const std::exception& e) {
    // not one of the program's own errors: the run-time's text only as detail
    showErrorBox(owner, L"Непредвиденная ошибка программы: " + base::fromUtf8(e.what()));
  }
}

}  // namespace widgets
