// Journal formatting and writing.
#include "journal.h"

#include <commctrl.h>

#include <cstring>

namespace standin {

const char* journalMessageName(UINT msg) {
  switch (msg) {
    case WM_COMMAND:
      return "WM_COMMAND";
    case WM_SETTEXT:
      return "WM_SETTEXT";
    case WM_GETTEXT:
      return "WM_GETTEXT";
    case WM_LBUTTONDOWN:
      return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP:
      return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK:
      return "WM_LBUTTONDBLCLK";
    case BM_CLICK:
      return "BM_CLICK";
    case WM_SETFOCUS:
      return "WM_SETFOCUS";
    case WM_KEYDOWN:
      return "WM_KEYDOWN";
    case WM_KEYUP:
      return "WM_KEYUP";
    case WM_CLOSE:
      return "WM_CLOSE";
    case LVM_GETITEMCOUNT:
      return "LVM_GETITEMCOUNT";
    case LVM_GETITEMW:
      return "LVM_GETITEMW";
    case BM_SETCHECK:
      return "BM_SETCHECK";
    case LB_FINDSTRINGEXACT:
      return "LB_FINDSTRINGEXACT";
    case LB_GETTEXTLEN:
      return "LB_GETTEXTLEN";
    case LB_GETTEXT:
      return "LB_GETTEXT";
    case LB_SETCURSEL:
      return "LB_SETCURSEL";
    case LB_SETSEL:
      return "LB_SETSEL";
    default:
      return nullptr;
  }
}

std::wstring journalLine(const std::wstring& target, UINT msg, WPARAM wParam, LPARAM lParam) {
  const char* name = journalMessageName(msg);
  std::wstring line = target + L"\t" + std::wstring(name, name + strlen(name)) + L"\t" +
                      std::to_wstring(static_cast<unsigned long>(static_cast<DWORD>(wParam))) +
                      L"\t";
  if (msg == WM_SETTEXT || msg == LB_FINDSTRINGEXACT) {
    std::wstring text = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
    for (wchar_t& c : text) {
      if (c == L'\r' || c == L'\n' || c == L'\t') c = L' ';
    }
    line += L"\"" + text + L"\"";
  } else if (msg == WM_GETTEXT || msg == LVM_GETITEMW || msg == LB_GETTEXT) {
    line += L"addr";
  } else {
    line += std::to_wstring(static_cast<unsigned long>(static_cast<DWORD>(lParam)));
  }
  return line;
}

Journal::~Journal() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

bool Journal::open(const std::wstring& path) {
  file_ = CreateFileW(path.c_str(), GENERIC_WRITE,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return file_ != INVALID_HANDLE_VALUE;
}

void Journal::record(const std::wstring& target, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (journalMessageName(msg)) writeLine(journalLine(target, msg, wParam, lParam));
}

void Journal::writeLine(const std::wstring& line) {
  if (file_ == INVALID_HANDLE_VALUE) return;
  std::wstring full = line + L"\n";
  int n = WideCharToMultiByte(CP_UTF8, 0, full.data(), static_cast<int>(full.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, full.data(), static_cast<int>(full.size()), bytes.data(), n,
                      nullptr, nullptr);
  DWORD written = 0;
  WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  FlushFileBuffers(file_);
}

}  // namespace standin
