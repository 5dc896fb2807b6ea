// The colour box on the screen: an owner-drawn drop-down list that shows each
// palette colour's swatch and name. The grid creates it for a ColourBox
// object and routes the owner-draw messages here.
#pragma once

#include <windows.h>

namespace widgets {

class ColourBoxPainter {
 public:
  // Creates the real control for a colour box (items added by the caller).
  static HWND create(HWND parent, int x, int y, int width, int height, HFONT font);
  // Handles WM_MEASUREITEM / WM_DRAWITEM for such a control.
  static void measure(MEASUREITEMSTRUCT* mis);
  static void draw(const DRAWITEMSTRUCT* dis);
};

}  // namespace widgets
