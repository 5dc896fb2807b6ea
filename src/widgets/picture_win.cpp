// The picture widget: draws its image once into a bitmap, paints it stretched.
#include "widgets/picture_win.h"

#include "widgets/dpi_win.h"

namespace widgets {
namespace {

// The picture's window class; nothing outside the program looks for it.
constexpr wchar_t kPictureClass[] = L"TavrolinPicture";

}  // namespace

bool Picture::create(HWND parent, int x, int y, int width, int height, int imageWidth,
                     int imageHeight, Painter painter) {
  imageWidth_ = scaled(imageWidth);
  imageHeight_ = scaled(imageHeight);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  image_ = CreateCompatibleBitmap(screen, imageWidth_, imageHeight_);
  HGDIOBJ old = SelectObject(mem, image_);
  if (imageWidth_ != imageWidth || imageHeight_ != imageHeight) {
    // the painter draws at 96 DPI; the transform draws it at the screen's
    SetGraphicsMode(mem, GM_ADVANCED);
    const XFORM toScreen{static_cast<float>(imageWidth_) / static_cast<float>(imageWidth),   0, 0,
                         static_cast<float>(imageHeight_) / static_cast<float>(imageHeight), 0, 0};
    SetWorldTransform(mem, &toScreen);
  }
  painter(mem, imageWidth, imageHeight);
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return createWindow(kPictureClass, L"", WS_CHILD | WS_VISIBLE, 0, scaled(x), scaled(y),
                      scaled(width), scaled(height), parent, nullptr);
}

Picture::~Picture() {
  if (image_) DeleteObject(image_);
}

void Picture::onPaint(HDC dc) {
  RECT rc;
  GetClientRect(hwnd(), &rc);
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, image_);
  SetStretchBltMode(dc, HALFTONE);
  StretchBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, imageWidth_, imageHeight_, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

LRESULT Picture::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) return 1;
  return Window::onMessage(msg, wp, lp);
}

}  // namespace widgets
