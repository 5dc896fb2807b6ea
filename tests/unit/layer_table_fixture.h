// Shared set-up for the layer table tests: a main window model, an editor
// layer list fed through addEditorLayer, and an in-memory [layers] section.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "layers/layer_table_model.h"
#include "layers/layer_model.h"
#include "layers/layer_table.h"

struct EditorLayerLine {
  std::wstring name;
  std::wstring tipe;
};

// Twelve type keys; key k carries flash colour k and line colour 15 - k, so
// that every preset shows which key it read.
inline std::vector<std::pair<std::wstring, std::wstring>> standardSection() {
  std::vector<std::pair<std::wstring, std::wstring>> section;
  for (int k = 0; k < 12; ++k)
    section.emplace_back(
        L"TYPE" + std::to_wstring(k),
        L"x" + std::to_wstring(k) + L"," + std::to_wstring(k) + L"," + std::to_wstring(15 - k));
  return section;
}

// A board with every preset: four metal-capable layers, two masks, two
// silks, the board outline and one other non-signal layer.
inline std::vector<EditorLayerLine> standardBoard() {
  return {{L"Top", L"SEA"},      {L"Bottom", L"SEA"},   {L"In1", L"SEV"},
          {L"GND", L"PE "},      {L"Top Mask", L"NE "}, {L"Bot Mask", L"NE "},
          {L"Top Silk", L"NE "}, {L"Bot Silk", L"NE "}, {L"Board", L"NE "},
          {L"Notes", L"NE "}};
}

class LayerTableTest : public ::testing::Test {
 protected:
  void build(const std::vector<EditorLayerLine>& list,
             std::vector<std::pair<std::wstring, std::wstring>> section = standardSection()) {
    for (const EditorLayerLine& l : list) layers::addEditorLayer(form.rows, l.name, l.tipe);
    section_ = std::move(section);
    std::vector<std::wstring> keys;
    for (const auto& [key, value] : section_) keys.push_back(key);
    layers::buildLayerTable(form, keys, [this](const std::wstring& key) {
      for (const auto& [k, v] : section_)
        if (k == key) return v;
      return std::wstring();
    });
  }

  // The record whose layer name is `name` (the first one).
  layers::LayerRow& layer(const std::wstring& name) {
    for (layers::LayerRow& l : form.rows)
      if (l.editor.name == name) return l;
    ADD_FAILURE() << "no layer named this";
    return form.rows.at(0);
  }

  // Grid row that shows the record named `name`.
  int rowOf(const std::wstring& name) {
    const widgets::GridModel& grid = form.grid;
    for (int r = 1; r < grid.rowCount(); ++r)
      if (grid.cell(layers::kColName, r) == name) return r;
    return -1;
  }

  bool marked(const std::wstring& name, int classIndex) {
    return form.grid.cellColour(layers::kColFirstClass + classIndex, rowOf(name)).has_value();
  }

  std::vector<std::wstring> exportedNames() const {
    std::vector<std::wstring> names;
    for (const layers::LayerRow& l : form.rows)
      if (l.exported()) names.push_back(l.editor.name);
    return names;
  }

  int markedCells() const {
    int count = 0;
    const widgets::GridModel& grid = form.grid;
    for (int r = 0; r < grid.rowCount(); ++r)
      for (int c = 0; c < grid.colCount(); ++c)
        if (grid.cellColour(c, r)) ++count;
    return count;
  }

  layers::LayerTableModel form;
  std::vector<std::pair<std::wstring, std::wstring>> section_;
};
