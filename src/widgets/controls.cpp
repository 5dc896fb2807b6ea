// Control objects that the layer table's rules act on: check boxes whose
// handler runs only on a real change, drop-downs and colour boxes whose
// selection never runs the handler, and plain text boxes.
#include "widgets/controls.h"

namespace widgets {

void CheckBox::setChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  notifyView();
  // A copy, so that a handler may detach or replace itself while it runs.
  if (onClick_) {
    Handler handler = onClick_;
    handler(*this);
  }
}

void setCheckedQuietly(CheckBox& box, bool value) {
  CheckBox::Handler handler = box.detachOnClick();
  box.setChecked(value);
  box.setOnClick(std::move(handler));
}

void DropDown::setItems(std::vector<std::wstring> items) {
  items_ = std::move(items);
  index_ = -1;
  notifyView();
}

void DropDown::clear() {
  items_.clear();
  index_ = -1;
  notifyView();
}

void DropDown::addItem(std::wstring item) {
  items_.push_back(std::move(item));
  notifyView();
}

void DropDown::setItemIndex(int index) {
  index_ = (index >= 0 && index < static_cast<int>(items_.size())) ? index : -1;
  notifyView();
}

void DropDown::pick(int index) {
  // The operator can only pick one of the items.
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  setItemIndex(index);
  if (onClick) {
    Handler handler = onClick;
    handler(*this);
  }
}

const std::vector<PaletteColour>& layerPalette() {
  static const std::vector<PaletteColour> palette = {
      {L"Красный", 0xFF0000},        {L"Тёмно красный", 0x800000}, {L"Зелёный", 0x00FF00},
      {L"Тёмно зелёный", 0x008000},  {L"Синий", 0x0000FF},         {L"Тёмно синий", 0x000080},
      {L"Жёлтый", 0xFFFF00},         {L"Тёмно жёлтый", 0x808000},  {L"Голубой", 0x00FFFF},
      {L"Тёмно голубой", 0x009999},  {L"Фиолетовый", 0xFF00FF},    {L"Тёмно фиолетовый", 0x800080},
      {L"Серый", 0xC0C0C0},          {L"Тёмно серый", 0x808080},   {L"Болотный", 0x336666},
      {L"Тёмно болотный", 0x224444},
  };
  return palette;
}

void ColourBox::fillPalette() {
  std::vector<std::wstring> names;
  for (const PaletteColour& colour : layerPalette()) names.emplace_back(colour.name);
  setItems(std::move(names));
}

uint32_t ColourBox::colourOf(int index) const {
  const auto& palette = layerPalette();
  if (index < 0 || index >= static_cast<int>(items().size()) ||
      index >= static_cast<int>(palette.size()))
    return 0;
  return palette[static_cast<size_t>(index)].rgb;
}

void TextBox::setText(std::wstring text) {
  text_ = std::move(text);
  notifyView();
}

}  // namespace widgets
