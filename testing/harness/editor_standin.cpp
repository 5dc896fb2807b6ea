// The editor stand-in for the Wine tests and the demo (see editor_standin.h).
#include "editor_standin.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "base/encoding.h"

#include "repo_paths.h"

namespace harness {

namespace fs = std::filesystem;

Standin::Standin(const fs::path& boardPath, const std::wstring& name, const std::wstring& options) {
  dir_ = freshDir(L"cadlink-" + name);
  journal_ = dir_ / L"journal.txt";
  start(boardPath.has_parent_path() ? boardPath : boardsDir() / boardPath, options);
}

Standin::Standin(const std::wstring& name, const std::wstring& options, const std::string& board) {
  dir_ = freshDir(L"cadlink-" + name);
  const fs::path boardPath = dir_ / L"board.brd";
  std::ofstream(boardPath, std::ios::binary) << board;
  journal_ = dir_ / L"journal.txt";
  start(boardPath, options);
}

void Standin::start(const fs::path& boardPath, const std::wstring& options) {
  const fs::path exe = buildDir() / L"editor-standin.exe";
  process_ = Process(L"\"" + exe.wstring() + L"\" --board \"" + boardPath.wstring() +
                         L"\" --journal \"" + journal_.wstring() + L"\" " + options,
                     dir_);
  if (!process_.started()) return;
  // the window, or the end of a stand-in that refused its board
  waitFor(
      [&] {
        main_ = findWindowOf(process_.pid(), L"", L"ACCEL PCB");
        return main_ != nullptr || process_.wait(0);
      },
      15000);
  // what the desktop sends a new window is not the test's to count
  if (main_) waitQuiet();
  mark();
}

// Complete lines only: the stand-in may be writing the next one.
std::vector<std::wstring> Standin::readAll() const {
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

std::vector<std::wstring> Standin::lines() const {
  std::vector<std::wstring> all = readAll();
  std::vector<std::wstring> out;
  for (size_t i = std::min(mark_, all.size()); i < all.size(); ++i) {
    const bool foreignRead = all[i].find(L"\tWM_GETTEXT\t") != std::wstring::npos &&
                             all[i].find(L"\tWM_GETTEXT\t127\t") == std::wstring::npos;
    if (!foreignRead) out.push_back(all[i]);
  }
  return out;
}

void Standin::mark() { mark_ = readAll().size(); }

bool Standin::waitQuiet(DWORD quietMs, DWORD ms) const {
  std::error_code ec;
  uintmax_t size = fs::file_size(journal_, ec);
  DWORD since = GetTickCount();
  return waitFor(
      [&] {
        uintmax_t now = fs::file_size(journal_, ec);
        if (ec) now = 0;
        if (now != size) {
          size = now;
          since = GetTickCount();
        }
        return GetTickCount() - since >= quietMs;
      },
      ms);
}

std::string boardOfLayers(int layers) {
  std::string board = "design-dir \"C:\\\\boards\\\\\"\nfile-name \"big.pcb\"\n";
  const int others = layers > 10 ? 10 : 0;
  for (int i = 1; i <= layers - others; ++i) {
    const std::string name = i == 1                 ? "Top"
                             : i == layers - others ? "Bottom"
                                                    : "Inner " + std::to_string(i);
    board += "layer \"" + name + "\" \"SEA\"\n";
  }
  if (others > 0) {
    for (const char* n : {"Top Mask", "Bot Mask", "Top Silk", "Bot Silk", "Board"}) {
      board += std::string("layer \"") + n + "\" \"NE \"\n";
    }
    for (int i = 0; i < 5; ++i) board += "layer \"Doc " + std::to_string(i) + "\" \"NE \"\n";
  }
  board += "outline 0 0 10 0 10 10 0 10\n";
  return board;
}

}  // namespace harness
