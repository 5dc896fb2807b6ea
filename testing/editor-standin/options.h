// The stand-in's command line: which board to show, how to present itself,
// and the faults it plays on purpose (see docs/standin-journal.md).
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace standin {

struct Options {
  std::wstring boardFile;
  std::wstring version = L"2004";
  long build = 0;  // filled with the version's default when not given
  std::wstring journalFile;
  std::wstring designDir;
  bool designDirGiven = false;
  std::wstring titleSuffix;
  unsigned dialogDelayMs = 0;
  std::vector<std::wstring> neverOpen;
  std::vector<std::wstring> exitOn;
  unsigned listAfterClicks = 1;
  bool emptyFields = false;
  bool longTexts = false;
  bool dupLayersDialog = false;
  bool titlePrefixDialog = false;
  bool ignoreCommands = false;          // no command opens any dialog
  std::vector<std::wstring> hangAfter;  // the stand-in hangs once this dialog is open
  bool listMovesText = false;           // the layer list answers through another text pointer
  long listFailsRow = -1;               // the layer list refuses the type cell of this row
  std::vector<unsigned> outputFaults;   // 1-based "Generate" clicks that fail

  bool generateFails(unsigned click) const;

  bool neverOpens(const std::wstring& title) const;
  bool exitsOn(const std::wstring& title) const;
  bool hangsAfter(const std::wstring& title) const;
};

class OptionsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The build number the editor of this version reports by default:
// 2002 -> 101, 2004 -> 215, 2006 -> 437, anything else 0.
long defaultBuild(const std::wstring& version);

// Parses the arguments after the program name; throws OptionsError.
Options parseOptions(const std::vector<std::wstring>& args);

}  // namespace standin
