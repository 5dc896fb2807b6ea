// Command-line parsing of the stand-in.
#include "options.h"

#include <algorithm>
#include <cwchar>

namespace standin {

namespace {

std::string narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
  return out;
}

long toNumber(const std::wstring& option, const std::wstring& text, long minimum) {
  wchar_t* end = nullptr;
  long v = std::wcstol(text.c_str(), &end, 10);
  if (text.empty() || end != text.c_str() + text.size() || v < minimum) {
    throw OptionsError(narrow(option) + " needs a number, got '" + narrow(text) + "'");
  }
  return v;
}

}  // namespace

bool Options::neverOpens(const std::wstring& title) const {
  return std::find(neverOpen.begin(), neverOpen.end(), title) != neverOpen.end();
}

bool Options::exitsOn(const std::wstring& title) const {
  return std::find(exitOn.begin(), exitOn.end(), title) != exitOn.end();
}

bool Options::hangsAfter(const std::wstring& title) const {
  return std::find(hangAfter.begin(), hangAfter.end(), title) != hangAfter.end();
}

bool Options::generateFails(unsigned click) const {
  return std::find(outputFaults.begin(), outputFaults.end(), click) != outputFaults.end();
}

long defaultBuild(const std::wstring& version) {
  if (version == L"2002") return 101;
  if (version == L"2004") return 215;
  if (version == L"2006") return 437;
  return 0;
}

Options parseOptions(const std::vector<std::wstring>& args) {
  Options o;
  bool buildGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& a = args[i];
    auto value = [&]() -> const std::wstring& {
      if (i + 1 >= args.size()) throw OptionsError(narrow(a) + " needs a value");
      return args[++i];
    };
    if (a == L"--board") {
      o.boardFile = value();
    } else if (a == L"--version") {
      o.version = value();
    } else if (a == L"--build") {
      o.build = toNumber(a, value(), 0);
      buildGiven = true;
    } else if (a == L"--journal") {
      o.journalFile = value();
    } else if (a == L"--design-dir") {
      o.designDir = value();
      o.designDirGiven = true;
    } else if (a == L"--title-suffix") {
      o.titleSuffix = value();
    } else if (a == L"--dialog-delay") {
      o.dialogDelayMs = static_cast<unsigned>(toNumber(a, value(), 0));
    } else if (a == L"--never-open") {
      o.neverOpen.push_back(value());
    } else if (a == L"--exit-on") {
      o.exitOn.push_back(value());
    } else if (a == L"--list-after-clicks") {
      o.listAfterClicks = static_cast<unsigned>(toNumber(a, value(), 0));
    } else if (a == L"--empty-fields") {
      o.emptyFields = true;
    } else if (a == L"--long-texts") {
      o.longTexts = true;
    } else if (a == L"--dup-layers-dialog") {
      o.dupLayersDialog = true;
    } else if (a == L"--output-fault") {
      o.outputFaults.push_back(static_cast<unsigned>(toNumber(a, value(), 1)));
    } else if (a == L"--title-prefix-dialog") {
      o.titlePrefixDialog = true;
    } else if (a == L"--hang-after") {
      o.hangAfter.push_back(value());
    } else if (a == L"--ignore-commands") {
      o.ignoreCommands = true;
    } else if (a == L"--list-moves-text") {
      o.listMovesText = true;
    } else if (a == L"--list-fails-row") {
      o.listFailsRow = toNumber(a, value(), 0);
    } else {
      throw OptionsError("unknown argument '" + narrow(a) + "'");
    }
  }
  if (!buildGiven) o.build = defaultBuild(o.version);
  return o;
}

}  // namespace standin
