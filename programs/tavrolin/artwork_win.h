// The program's pictures, drawn in code: the banner of the main window and
// the picture of the about box.
#pragma once

#include <windows.h>

namespace app {

void drawBanner(HDC dc, int width, int height);
void drawAboutPicture(HDC dc, int width, int height);

}  // namespace app
