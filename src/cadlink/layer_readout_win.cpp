// The layer list readout (see layer_readout_win.h).
#include "cadlink/layer_readout_win.h"

#include <commctrl.h>

#include <string>

#include "app/run_values.h"
#include "base/error.h"
#include "cadlink/editor_access_win.h"
#include "cadlink/editor_protocol.h"
#include "cadlink/retry_search.h"
#include "layers/layer_model.h"

namespace cadlink {

HWND th = nullptr;

namespace {

constexpr DWORD kEditorMemoryRights = 0x38;  // VM_OPERATION | VM_READ | VM_WRITE
constexpr int kListClickRounds = 10;

const wchar_t* const kReadoutFailed = L"Не удалось прочитать список слоёв из редактора: ";

[[noreturn]] void fail(const wchar_t* what) {
  throw base::AppError(std::wstring(kReadoutFailed) + what);
}

// Handles the program's own pending messages. False when the program is
// asked to quit (the quit message is put back for the main loop).
bool pumpMessages() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      return false;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return true;
}

// Waits for "Options Layers" among the windows of the editor's thread,
// pumping the program's messages before every try.
HWND waitForLayersDialog(HWND editor) {
  ++lookupCounters().windowSearches;
  for (int tries = 0; tries < kSearchTries; ++tries) {
    if (!pumpMessages()) return nullptr;
    Sleep(static_cast<DWORD>(dw < 0 ? 0 : dw));
    th = nullptr;
    ++lookupCounters().windowLookups;
    EnumThreadWindows(GetWindowThreadProcessId(editor, nullptr), layer, 0);
    if (th) return th;
    if (!IsWindow(editor)) return nullptr;
  }
  return nullptr;
}

// Clicks the dialog's tab control until the layer list exists.
HWND clickUntilListShows(HWND dialog, HWND editor) {
  for (int round = 0; round < kListClickRounds; ++round) {
    if (HWND tab = gd(dialog, kLayersTab)) SendMessageW(tab, WM_LBUTTONDOWN, 0, 0);
    if (HWND tab = gd(dialog, kLayersTab)) SendMessageW(tab, WM_LBUTTONUP, 0, 0);
    if (HWND list = gd(dialog, kLayerList)) return list;
    if (!IsWindow(editor) || !IsWindow(dialog)) break;
  }
  return nullptr;
}

// What the readout holds in the editor: released in reverse order of
// acquisition on every way out, the dialog closed last.
class DialogCloser {
 public:
  explicit DialogCloser(HWND dialog) : dialog_(dialog) {}
  ~DialogCloser() { SendMessageW(dialog_, WM_CLOSE, 1, 1); }
  DialogCloser(const DialogCloser&) = delete;
  DialogCloser& operator=(const DialogCloser&) = delete;

 private:
  HWND dialog_;
};

class EditorProcess {
 public:
  explicit EditorProcess(DWORD pid) : handle_(OpenProcess(kEditorMemoryRights, FALSE, pid)) {
    if (!handle_) fail(L"не открыть процесс редактора.");
  }
  ~EditorProcess() { CloseHandle(handle_); }
  EditorProcess(const EditorProcess&) = delete;
  EditorProcess& operator=(const EditorProcess&) = delete;
  HANDLE handle() const { return handle_; }

 private:
  HANDLE handle_;
};

class RemoteBlock {
 public:
  explicit RemoteBlock(HANDLE process)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, kRemoteBlockSize, MEM_COMMIT | MEM_RESERVE,
                                PAGE_READWRITE)) {
    if (!address_) fail(L"не выделить память в процессе редактора.");
  }
  ~RemoteBlock() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  // Asks the list for one cell's text through the block.
  std::wstring cell(HWND list, int32_t row, int32_t column) {
    const uint32_t base = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address_));
    const ListItemRecord record = listItemRecord(base, row, column);
    SIZE_T copied = 0;
    if (!WriteProcessMemory(process_, address_, record.data(), record.size(), &copied) ||
        copied != record.size()) {
      fail(L"не записать запрос в память редактора.");
    }
    SendMessageW(list, LVM_GETITEMW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(address_));
    wchar_t text[kCellReadBytes / sizeof(wchar_t)] = {};
    copied = 0;
    if (!ReadProcessMemory(process_, static_cast<const char*>(address_) + kListItemRecordSize,
                           text, kCellReadBytes, &copied) ||
        copied != kCellReadBytes) {
      fail(L"не прочитать ответ из памяти редактора.");
    }
    return textUpToNul(text, kCellReadBytes / sizeof(wchar_t));
  }

 private:
  HANDLE process_;
  void* address_;
};

}  // namespace

BOOL CALLBACK layer(HWND w, LPARAM) {
  if (gettext(w) == kOptionsLayersTitle) th = w;
  return TRUE;
}

void filllayertable() {
  HWND editor = editorWindow();
  postCommand(editor, kCmdOptionsLayers);
  HWND dialog = waitForLayersDialog(editor);
  if (!dialog) return;

  HWND list = clickUntilListShows(dialog, editor);
  if (!list) {
    SendMessageW(dialog, WM_CLOSE, 1, 1);
    return;
  }
  SendMessageW(dialog, WM_COMMAND, kLayersCommand, 0);

  list = gd(dialog, kLayerList);
  wchar_t cls[151] = {};
  GetClassNameW(list, cls, 150);
  if (std::wstring(cls) != kListViewClass) return;  // the dialog stays open

  DialogCloser closer(dialog);
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  EditorProcess process(pid);
  RemoteBlock block(process.handle());
  const LRESULT rows = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
  for (int32_t row = 0; row < rows; ++row) {
    const std::wstring name = block.cell(list, row, 0);
    const std::wstring tipe = block.cell(list, row, 1);
    addlayer(name, tipe);
  }
}

}  // namespace cadlink
