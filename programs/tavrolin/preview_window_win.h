// "Просмотр": the files of the last finished export drawn as the board
// house will read them, stacked in the layer rows' colours with the drill
// holes on top. A list of check boxes shows or hides each file (it scrolls
// when it is longer than the window); the board is seen from the top or, mirrored, from the bottom;
// the mouse wheel zooms about the cursor, dragging pans, "Вписать" fits the board. The files are
// read from disk at every redraw and never written. Messages for other
// programs and tests: docs/preview-messages.md.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "render/render.h"
#include "tavrolin/preview_layers.h"
#include "widgets/window_win.h"

namespace app {

// The preview window's class; the Wine tests and the demo driver find it by it.
inline constexpr wchar_t kPreviewWindowClass[] = L"TavrolinPreview";

// Messages the preview answers (wParam: a layer's position in the list, from 0).
enum PreviewMessage : UINT {
  kPreviewLayerCount = WM_USER + 200,  // the number of entries in the layer list
  kPreviewLayerShown,                  // 1 shown, 0 hidden, -1 no such entry
  kPreviewShowLayer,                   // lParam 1 shows, 0 hides; 1 done, 0 no such entry
  kPreviewLayerControl,                // the control ID of the entry's check box, 0 none
  kPreviewFromBottom,                  // 1 when the board is seen from the bottom
  kPreviewFilesDrawn,                  // files drawn into the picture on the screen, -1 none yet
  kPreviewFilesUnread,                 // of the shown files, those that could not be read
  kPreviewScale,                       // the picture's pixels per inch, rounded
};

class PreviewWindow : public widgets::Window {
 public:
  bool create(HWND owner);
  // The files of a finished export and the design's file name for the title.
  void setLayers(std::vector<PreviewLayer> layers, const std::wstring& designName);
  bool hasLayers() const { return !layers_.empty(); }
  // Shows the window with every file shown, the board seen from the top and
  // fitted, all read afresh.
  void open();
  HACCEL accelerators() const { return accelerators_; }

  // Control and command IDs.
  enum Id : int {
    kIdTop = 10,
    kIdBottom,
    kIdFit,
    kIdZoomIn,
    kIdZoomOut,
    kIdPanLeft,
    kIdPanRight,
    kIdPanUp,
    kIdPanDown,
    kIdClose,
    kIdStatus,
    kIdListScroll,
    kIdFirstLayer = 100,  // the check box of entry i is kIdFirstLayer + i
  };

 protected:
  bool onCommand(int id, int code, HWND control) override;
  void onPaint(HDC dc) override;
  bool onSize(int width, int height) override;
  bool onClose() override;
  void onDestroy() override;
  LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void createLayerBoxes();
  void layout(int width, int height);
  // Places the list's check boxes, its scroll bar and the text under it.
  void layoutPanel();
  // The list's first entry in sight becomes `first`, as far as the list goes.
  void scrollListTo(int first);
  // Scrolls the list as little as brings entry `index` into sight.
  void showEntry(size_t index);
  void onListScroll(int code);
  // The entry whose check box has the keyboard focus, -1 none.
  int focusedEntry() const;
  static LRESULT CALLBACK entryProc(HWND box, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                    DWORD_PTR self);
  RECT pictureRect() const;
  void setFromBottom(bool fromBottom);
  void fit();
  // Measures the board again from the files.
  void measure();
  // Draws the shown files into the off-screen picture and shows it.
  void redraw();
  void setView(const render::View& view);
  void zoomAt(double px, double py, double factor);
  void onWheel(WPARAM wp, LPARAM lp);
  void onMouse(UINT msg, LPARAM lp);
  LRESULT answer(UINT msg, WPARAM wp, LPARAM lp);
  void releaseBitmap();

  std::vector<PreviewLayer> layers_;
  std::vector<bool> shown_;
  std::vector<HWND> boxes_;
  std::wstring title_;
  HWND top_ = nullptr, bottom_ = nullptr, fit_ = nullptr, status_ = nullptr;
  HWND listScroll_ = nullptr;  // shown while the list does not fit
  int firstShown_ = 0;         // the list's first entry in sight
  int rowsShown_ = 0;          // entries the list shows at once
  int wheelRest_ = 0;          // wheel movement over the list short of a row
  HACCEL accelerators_ = nullptr;
  bool fromBottom_ = false;
  render::Box extent_;
  render::View view_;
  render::Image image_;
  HBITMAP bitmap_ = nullptr;  // the picture of view_, in the screen's format
  int filesDrawn_ = -1;
  int filesUnread_ = 0;
  bool dragging_ = false;
  POINT dragFrom_{};
  POINT dragOffset_{};  // shown while dragging; drawn afresh on release
};

}  // namespace app
