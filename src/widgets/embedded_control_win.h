// A real Windows control that the grid embeds over a cell for a control
// object: it creates the control, shows the object's state in it, places
// itself in its cell, and turns the control's own notifications into the
// object (a click ticks the check box, a pick selects the drop-down item).
#pragma once

#include <windows.h>

#include <memory>

#include "widgets/controls.h"

namespace widgets {

class EmbeddedControl {
 public:
  // The real control for `control` as a child of `parent`, or null for an
  // object the grid does not embed (or when the control cannot be created).
  static std::unique_ptr<EmbeddedControl> create(Control* control, HWND parent);
  // Destroys the real control.
  virtual ~EmbeddedControl();
  EmbeddedControl(const EmbeddedControl&) = delete;
  EmbeddedControl& operator=(const EmbeddedControl&) = delete;

  HWND hwnd() const { return hwnd_; }
  Control* control() const { return control_; }

  // Shows the object's state in the real control.
  virtual void update() = 0;
  // A notification code the real control sent with WM_COMMAND.
  virtual void onNotification(int code) = 0;
  // Where the control stands for a cell at (left, top), width x height:
  // x, y, width and height of the control.
  virtual RECT placeIn(int left, int top, int width, int height) = 0;

 protected:
  EmbeddedControl(Control* control, HWND hwnd) : control_(control), hwnd_(hwnd) {}

 private:
  Control* control_;
  HWND hwnd_;
};

}  // namespace widgets
