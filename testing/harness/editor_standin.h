// The editor stand-in started for one Wine test or for the demo: its main
// window, its process, and the journal of the messages its dialogs and
// controls receive, read while it runs.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "harness.h"

namespace harness {

// A small board whose values the tests know.
inline const char* const kSmallBoard =
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

// A board of `layers` layers (at least one): signal layers first, then,
// from eleven layers on, five mask, silk and board layers and five
// documentation layers.
std::string boardOfLayers(int layers);

class Standin {
 public:
  // The stand-in on `boardPath` (a name alone is taken from the sample
  // boards), its journal in a fresh folder "cadlink-<name>".
  Standin(const std::filesystem::path& boardPath, const std::wstring& name,
          const std::wstring& options);
  // The same on a board description written for the test.
  Standin(const std::wstring& name, const std::wstring& options,
          const std::string& board = kSmallBoard);
  Standin(Standin&&) = default;
  Standin& operator=(Standin&&) = default;

  // Null when the stand-in ended without showing its window.
  HWND main() const { return main_; }
  Process& process() { return process_; }
  DWORD pid() const { return process_.pid(); }

  // The journal's lines written since the last mark(). Title reads with
  // another capacity than the programs' 127 come from the desktop shell
  // when windows change activation, and are left out.
  std::vector<std::wstring> lines() const;
  void mark();
  // Waits until the journal has not grown for `quietMs`; false when it was
  // still growing after `ms`.
  bool waitQuiet(DWORD quietMs = 200, DWORD ms = 10000) const;

 private:
  void start(const std::filesystem::path& boardPath, const std::wstring& options);
  std::vector<std::wstring> readAll() const;

  std::filesystem::path dir_;
  std::filesystem::path journal_;
  Process process_;
  HWND main_ = nullptr;
  size_t mark_ = 0;
};

}  // namespace harness
