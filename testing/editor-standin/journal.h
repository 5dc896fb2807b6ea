// The journal of messages that reached the stand-in's windows from outside:
// one UTF-8 line per message, "<target>\t<MESSAGE>\t<wParam>\t<lParam>",
// written through to the file at once (format: docs/standin-journal.md).
#pragma once

#include <windows.h>

#include <string>

namespace standin {

// The journal's name for a message, or null when it is not journaled.
const char* journalMessageName(UINT msg);

// One journal line without its end, for a message that has a name.
std::wstring journalLine(const std::wstring& target, UINT msg, WPARAM wParam, LPARAM lParam);

class Journal {
 public:
  Journal() = default;
  ~Journal();
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  // Creates the file anew; false when it cannot be created.
  bool open(const std::wstring& path);
  // Writes the message when it is one of the journaled kinds.
  void record(const std::wstring& target, UINT msg, WPARAM wParam, LPARAM lParam);
  void writeLine(const std::wstring& line);

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

}  // namespace standin
