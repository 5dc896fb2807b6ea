// A real Windows control that the grid embeds over a cell: a check box, a
// drop-down or a colour box. The grid keeps a few of each and binds them to
// the control objects of the rows in view; a bound control shows its
// object's state, places itself in its cell, and turns its own
// notifications into the object (a click ticks the check box, a pick
// selects the drop-down item). The same look is drawn into a cell that has
// no real control yet.
#pragma once

#include <windows.h>

#include <memory>

#include "widgets/controls.h"

namespace widgets {

class EmbeddedControl {
 public:
  // An unbound real control for objects of `kind` as a child of `parent`,
  // or null for a kind the grid does not embed (or when the control cannot
  // be created).
  static std::unique_ptr<EmbeddedControl> create(ControlKind kind, HWND parent);
  // Destroys the real control.
  virtual ~EmbeddedControl();
  EmbeddedControl(const EmbeddedControl&) = delete;
  EmbeddedControl& operator=(const EmbeddedControl&) = delete;

  HWND hwnd() const { return hwnd_; }
  ControlKind kind() const { return kind_; }
  // The object shown, or null while the control is unbound.
  Control* control() const { return control_; }
  // Shows `control` (an object of this kind) from now on; null unbinds.
  void bind(Control* control);

  // Shows the bound object's state in the real control.
  virtual void update() = 0;
  // A notification code the real control sent with WM_COMMAND.
  virtual void onNotification(int code) = 0;
  // Where the control stands for a cell at (left, top), width x height:
  // x, y, width and height of the control.
  virtual RECT placeIn(int left, int top, int width, int height) = 0;
  // Closes what the control has open (a dropped list) before it is unbound.
  virtual void close() {}

 protected:
  void showEnabled(bool enabled) const {
    if ((IsWindowEnabled(hwnd_) != FALSE) != enabled) EnableWindow(hwnd_, enabled);
  }
  EmbeddedControl(ControlKind kind, HWND hwnd) : kind_(kind), hwnd_(hwnd) {}

 private:
  ControlKind kind_;
  HWND hwnd_;
  Control* control_ = nullptr;
};

// Draws the look of `control` in a cell of the body (client coordinates),
// as its real control shows it, with the program's font selected.
void drawControlLook(HDC dc, const Control& control, const RECT& cell);

}  // namespace widgets
