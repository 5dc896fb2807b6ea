// The picture: a child window that shows an image drawn by the program,
// stretched to the window's size.
#pragma once

#include <functional>

#include "widgets/window_win.h"

namespace widgets {

class Picture : public Window {
 public:
  using Painter = std::function<void(HDC dc, int width, int height)>;
  // The image is drawn once by `painter`, which draws at imageWidth x
  // imageHeight, and shown stretched over the window's client area. The
  // window's place and the image's size are given at 96 DPI; on a larger
  // screen the image is drawn larger, so that it stays sharp.
  bool create(HWND parent, int x, int y, int width, int height, int imageWidth, int imageHeight,
              Painter painter);
  ~Picture() override;

 protected:
  void onPaint(HDC dc) override;
  LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  HBITMAP image_ = nullptr;
  int imageWidth_ = 0;
  int imageHeight_ = 0;
};

}  // namespace widgets
