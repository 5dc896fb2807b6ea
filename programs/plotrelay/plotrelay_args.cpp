// Checking the plot driver's command line (see plotrelay_args.h).
#include "plotrelay/plotrelay_args.h"

#include <cwctype>
#include <limits>

#include "base/path_text.h"
#include "export/export_paths.h"

namespace plotrelay {

namespace {

constexpr size_t kArgCount = 6;

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring fileNameOf(const std::wstring& path) {
  size_t i = path.size();
  while (i > 0 && !isSeparator(path[i - 1]) && path[i - 1] != L':') --i;
  return path.substr(i);
}

std::wstring lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

bool endsWithNoCase(const std::wstring& text, const std::wstring& tail) {
  return text.size() >= tail.size() && lower(text.substr(text.size() - tail.size())) == tail;
}

// Unsigned decimal digits only, within 32 bits.
bool parseHandle(const std::wstring& text, uint32_t& out) {
  if (text.empty() || text.size() > 10) return false;
  uint64_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
    value = value * 10 + static_cast<uint64_t>(c - L'0');
  }
  if (value > std::numeric_limits<uint32_t>::max()) return false;
  out = static_cast<uint32_t>(value);
  return true;
}

// Optional minus, decimal digits, within 32 bits.
bool parseDelay(const std::wstring& text, int32_t& out) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && text[i] == L'-') {
    negative = true;
    ++i;
  }
  if (i == text.size() || text.size() - i > 10) return false;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return false;
    value = value * 10 + (text[i] - L'0');
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min())
    return false;
  out = static_cast<int32_t>(value);
  return true;
}

std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

// Where a malformed command line can still be reported: the folder of an
// argument named pcad.ini and an argument ending with ".ERR". With the
// arguments in their places those are the places; otherwise only names
// that cannot be mistaken are trusted, so a shifted argument never makes the
// driver write over some other file.
void deriveReportPlaces(const std::vector<std::wstring>& args, ArgsCheck& check) {
  if (args.size() == kArgCount) {
    check.logDir = directoryOf(args[1]);
    if (endsWithNoCase(args[2], L".err")) check.reportPath = args[2];
    return;
  }
  for (const std::wstring& arg : args) {
    if (check.logDir.empty() && lower(fileNameOf(arg)) == L"pcad.ini")
      check.logDir = directoryOf(arg);
    if (check.reportPath.empty() && endsWithNoCase(arg, L".err") && fileNameOf(arg).size() > 4) {
      check.reportPath = arg;
    }
  }
}

}  // namespace

std::wstring directoryOf(const std::wstring& path) { return base::directoryPart(path); }

std::wstring baseNameOf(const std::wstring& path) {
  std::wstring name = fileNameOf(path);
  size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot);
}

ArgsCheck checkDriverArgs(const std::vector<std::wstring>& args) {
  ArgsCheck check;
  deriveReportPlaces(args, check);
  const std::wstring prefix = L"Неверная командная строка драйвера: ";
  if (args.size() != kArgCount) {
    check.error = prefix +
                  L"ожидается 6 аргументов (окно редактора, задание, отчёт, две задержки, "
                  L"признак остановки), получено " +
                  std::to_wstring(args.size());
    return check;
  }
  DriverArgs& a = check.args;
  if (!parseHandle(args[0], a.editor)) {
    check.error = prefix + L"окно редактора " + quoted(args[0]) +
                  L" не является беззнаковым десятичным числом";
  } else if (args[1].empty() || fileNameOf(args[1]).empty()) {
    check.error = prefix + L"не указан файл задания";
  } else if (args[2].empty() || fileNameOf(args[2]).empty()) {
    check.error = prefix + L"не указан файл отчёта";
  } else if (!parseDelay(args[3], a.windowDelay)) {
    check.error = prefix + L"задержка поиска окна " + quoted(args[3]) + L" не является числом";
  } else if (!parseDelay(args[4], a.controlDelay)) {
    check.error = prefix + L"задержка поиска элемента " + quoted(args[4]) + L" не является числом";
  } else if (args[5] != L"0" && args[5] != L"1") {
    check.error = prefix + L"признак остановки " + quoted(args[5]) + L" должен быть 0 или 1";
  } else {
    a.jobPath = args[1];
    a.reportPath = args[2];
    a.stopOnError = args[5] == L"1";
    if (a.windowDelay < 0) a.windowDelay = 0;
    if (a.controlDelay < 0) a.controlDelay = 0;
    check.reportPath = args[2];
    check.ok = true;
  }
  return check;
}

}  // namespace plotrelay
