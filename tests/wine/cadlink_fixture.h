// Shared pieces of the editor link tests: a running editor stand-in with its
// journal, a board description written for the test, and the journal lines
// the program's messages must leave.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/run_values.h"
#include "base/encoding.h"
#include "cadlink/retry_search.h"
#include "harness.h"

namespace cadlink_test {

namespace fs = std::filesystem;

// A small board whose values the tests know.
inline const char* const kTestBoard =
    "design-dir \"C:\\boards\\\"\n"
    "file-name \"test-board.pcb\"\n"
    "solder-mask-swell \"0.1mm\"\n"
    "plane-swell \"0.25mm\"\n"
    "draw-aperture \"0.2mm\"\n"
    "layer \"Top\" \"SEA\"\n"
    "layer \"Внутренний\" \"PE \"\n"
    "layer \"Bottom\" \"SEA\"\n"
    "layer \"Top Silk\" \"NE \"\n"
    "outline 0 0 50 0 50 30 0 30\n";

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

// An editor stand-in started for one test, with a journal in a fresh folder.
class Standin {
 public:
  Standin(const std::wstring& name, const std::wstring& options,
          const std::string& board = kTestBoard) {
    dir_ = harness::freshDir(L"cadlink-" + name);
    fs::path boardPath = dir_ / L"board.brd";
    std::ofstream(boardPath, std::ios::binary) << board;
    journal_ = dir_ / L"journal.txt";
    start(boardPath, options);
  }
  Standin(const fs::path& boardPath, const std::wstring& name, const std::wstring& options) {
    dir_ = harness::freshDir(L"cadlink-" + name);
    journal_ = dir_ / L"journal.txt";
    start(boardPath, options);
  }

  HWND main() const { return main_; }
  harness::Process& process() { return process_; }

  // The journal's lines written since the last call of mark(). Title reads
  // with another capacity than the program's 127 come from the desktop shell
  // when windows change activation, and are left out.
  std::vector<std::wstring> lines() const {
    std::vector<std::wstring> all = readAll();
    std::vector<std::wstring> out;
    for (size_t i = std::min(mark_, all.size()); i < all.size(); ++i) {
      const bool foreignRead = all[i].find(L"\tWM_GETTEXT\t") != std::wstring::npos &&
                               all[i].find(L"\tWM_GETTEXT\t127\t") == std::wstring::npos;
      if (!foreignRead) out.push_back(all[i]);
    }
    return out;
  }
  void mark() { mark_ = readAll().size(); }

 private:
  void start(const fs::path& boardPath, const std::wstring& options) {
    const fs::path exe = harness::buildDir() / L"editor-standin.exe";
    process_ = harness::Process(L"\"" + exe.wstring() + L"\" --board \"" + boardPath.wstring() +
                                L"\" --journal \"" + journal_.wstring() + L"\" " + options);
    main_ = harness::waitWindowOf(process_.pid(), L"", 10000, L"ACCEL PCB");
    // Let the stand-in settle before the test counts its messages.
    Sleep(100);
    mark();
  }

  std::vector<std::wstring> readAll() const {
    std::ifstream in(journal_, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::wstring> out;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\n') {
        out.push_back(base::fromUtf8(std::string_view(bytes).substr(start, i - start)));
        start = i + 1;
      }
    }
    return out;
  }

  fs::path dir_;
  fs::path journal_;
  harness::Process process_;
  HWND main_ = nullptr;
  size_t mark_ = 0;
};

// Makes `w` the editor handle and resets the counters. Searches wait 5 ms
// before each lookup, so that a loaded machine's slow editor still answers
// within a search's tries; tests of windows that never come pass 0.
inline void attach(HWND w, int32_t delay = 5) {
  h = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(w));
  dw = delay;
  dc = delay;
  cadlink::lookupCounters() = {};
}

// Prints the journal when two sequences differ, one line each.
inline std::string show(const std::vector<std::wstring>& lines) {
  std::string s;
  for (const std::wstring& l : lines) s += "  " + base::toUtf8(l) + "\n";
  return s;
}

#define EXPECT_JOURNAL(actual, ...)                                                   \
  do {                                                                                \
    const std::vector<std::wstring> actual_ = (actual);                               \
    const std::vector<std::wstring> expected_ = (__VA_ARGS__);                        \
    EXPECT_EQ(actual_, expected_) << "journal:\n" << cadlink_test::show(actual_)      \
                                  << "expected:\n" << cadlink_test::show(expected_);  \
  } while (0)

}  // namespace cadlink_test
