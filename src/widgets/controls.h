// Control objects: the state of the check boxes, drop-downs, colour boxes,
// edits and labels that the program's rules act on. A window shows them and
// turns the operator's clicks and picks into them, so every rule runs the
// same way natively in the unit tests as it does on the screen.
//
// Check box: setting a different state runs the click handler synchronously
// before the set returns; setting the same state does nothing. A caller that
// must not run the handler detaches it, sets, and attaches it again.
// Drop-down and colour box: setting the index never runs the handler; an
// index outside the items leaves nothing selected (-1). Their handler runs
// only when the operator picks an item (pick()).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace widgets {

// What a control object is, for the view that shows it.
enum class ControlKind { CheckBox, DropDown, ColourBox, Text };

// Every control object tells its view when its state changed, whoever
// changed it, so that the window on the screen can follow.
class Control {
 public:
  virtual ~Control() = default;
  virtual ControlKind kind() const = 0;
  std::function<void()> onViewUpdate;

 protected:
  void notifyView() const {
    if (onViewUpdate) onViewUpdate();
  }
};

class CheckBox : public Control {
 public:
  ControlKind kind() const override { return ControlKind::CheckBox; }
  using Handler = std::function<void(CheckBox& sender)>;

  bool checked() const { return checked_; }
  void setChecked(bool value);

  const Handler& onClick() const { return onClick_; }
  void setOnClick(Handler handler) { onClick_ = std::move(handler); }
  // Detaches the handler and returns it, for a set without the handler.
  Handler detachOnClick() { return std::exchange(onClick_, nullptr); }

  std::wstring caption;
  bool enabled = true;

 private:
  bool checked_ = false;
  Handler onClick_;
};

// Sets the state without running the box's click handler.
void setCheckedQuietly(CheckBox& box, bool value);

class DropDown : public Control {
 public:
  ControlKind kind() const override { return ControlKind::DropDown; }
  using Handler = std::function<void(DropDown& sender)>;

  const std::vector<std::wstring>& items() const { return items_; }
  void setItems(std::vector<std::wstring> items);
  void clear();
  void addItem(std::wstring item);

  int itemIndex() const { return index_; }
  // Never runs the handler; an index outside the items selects nothing.
  void setItemIndex(int index);
  // The operator picks an item: select it, then run the handler.
  void pick(int index);

  Handler onClick;
  bool enabled = true;

 private:
  std::vector<std::wstring> items_;
  int index_ = -1;
};

// One entry of the layer colour palette.
struct PaletteColour {
  const wchar_t* name;
  uint32_t rgb;  // 0xRRGGBB
};

// The sixteen named colours, in palette order.
const std::vector<PaletteColour>& layerPalette();

class ColourBox : public DropDown {
 public:
  ControlKind kind() const override { return ControlKind::ColourBox; }
  // Empties the box and fills it with the sixteen palette colours.
  void fillPalette();
  // The colour of an item, 0xRRGGBB.
  uint32_t colourOf(int index) const;
};

// An edit or a label: a text the program reads and writes.
class TextBox : public Control {
 public:
  ControlKind kind() const override { return ControlKind::Text; }
  const std::wstring& text() const { return text_; }
  void setText(std::wstring text);
  bool enabled = true;

 private:
  std::wstring text_;
};

}  // namespace widgets
