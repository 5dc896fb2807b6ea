// Display scaling. The program's windows give every size and position as it
// is on a 96 DPI screen (100 %); scaled() turns it into pixels of the screen
// the program runs on, so that at 120, 144 or 192 DPI a window looks like
// the 96 DPI one made larger. At 96 DPI every size stays as given.
#pragma once

namespace widgets {

// The screen's pixels per logical inch, read once (the program is system
// DPI aware: the value holds for its whole run).
int screenDpi();

// A size or position at 96 DPI in the screen's pixels.
int scaled(int size96);

}  // namespace widgets
