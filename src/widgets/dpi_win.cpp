// Display scaling (see dpi_win.h).
#include "widgets/dpi_win.h"

#include <windows.h>

namespace widgets {

int screenDpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    const int value = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return dpi;
}

int scaled(int size96) { return MulDiv(size96, screenDpi(), 96); }

}  // namespace widgets
