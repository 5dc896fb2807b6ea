// Shared pieces of the editor link tests: a running editor stand-in with its
// journal, a board description written for the test, and the journal lines
// the program's messages must leave.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/encoding.h"
#include "cadlink/editor_link.h"
#include "cadlink/layer_readout_win.h"
#include "editor_standin.h"
#include "layers/layer_model.h"
#include "harness.h"

namespace cadlink_test {

namespace fs = std::filesystem;

using harness::Standin;
inline const char* const kTestBoard = harness::kSmallBoard;

// One journal line: target, message, wParam, lParam.
inline std::wstring line(const std::wstring& target, const std::wstring& message,
                         const std::wstring& wParam, const std::wstring& lParam) {
  return target + L"\t" + message + L"\t" + wParam + L"\t" + lParam;
}
inline std::wstring line(const std::wstring& target, const std::wstring& message,
                         unsigned long wParam, unsigned long lParam) {
  return line(target, message, std::to_wstring(wParam), std::to_wstring(lParam));
}
inline std::wstring quoted(const std::wstring& title) { return L"\"" + title + L"\""; }
inline std::wstring control(const std::wstring& title, int id) {
  return quoted(title) + L"#" + std::to_wstring(id);
}

// A link to the editor `w`. Searches wait 5 ms before each lookup, so that
// a loaded machine's slow editor still answers within a search's tries;
// tests of windows that never come pass 0.
inline cadlink::EditorLink attach(HWND w, int32_t delay = 5) {
  cadlink::EditorLink link;
  link.editorWindow = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(w));
  link.windowDelayMs = delay;
  link.controlDelayMs = delay;
  return link;
}

// A sink for the layer readout that adds each row to `rows`.
inline cadlink::LayerRowSink addTo(std::vector<layers::LayerRow>& rows) {
  return [&rows](const std::wstring& name, const std::wstring& typeText) {
    layers::addEditorLayer(rows, name, typeText);
  };
}

// Prints the journal when two sequences differ, one line each.
inline std::string show(const std::vector<std::wstring>& lines) {
  std::string s;
  for (const std::wstring& l : lines) s += "  " + base::toUtf8(l) + "\n";
  return s;
}

#define EXPECT_JOURNAL(actual, ...)                                               \
  do {                                                                            \
    const std::vector<std::wstring> actual_ = (actual);                           \
    const std::vector<std::wstring> expected_ = (__VA_ARGS__);                    \
    EXPECT_EQ(actual_, expected_) << "journal:\n"                                 \
                                  << cadlink_test::show(actual_) << "expected:\n" \
                                  << cadlink_test::show(expected_);               \
  } while (0)

}  // namespace cadlink_test
