// The layer list readout (see layer_readout_win.h).
#include "cadlink/layer_readout_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/run_values.h"
#include "base/error.h"
#include "cadlink/editor_access_win.h"
#include "cadlink/editor_misses.h"
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

// "строка 3, столбец 2 <what>." (both counted from 1, as the operator counts).
std::wstring cellName(int32_t row, int32_t column, const wchar_t* what) {
  return L"строка " + std::to_wstring(row + 1) + L", столбец " + std::to_wstring(column + 1) +
         L" " + what + L".";
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
  EditorMisses& misses = editorMisses();
  if (misses.knownMissing(kOptionsLayersTitle)) {
    misses.skipped();
    return nullptr;
  }
  for (int tries = 0; tries < kSearchTries; ++tries) {
    if (!pumpMessages()) return nullptr;
    Sleep(static_cast<DWORD>(dw < 0 ? 0 : dw));
    th = nullptr;
    ++lookupCounters().windowLookups;
    EnumThreadWindows(GetWindowThreadProcessId(editor, nullptr), layer, 0);
    if (th) return th;
    if (!IsWindow(editor)) return nullptr;
  }
  misses.windowNeverOpened(kOptionsLayersTitle);
  return nullptr;
}

// Clicks the dialog's tab control until the layer list exists.
HWND clickUntilListShows(HWND dialog, HWND editor) {
  for (int round = 0; round < kListClickRounds; ++round) {
    sendToEditor(gd(dialog, kLayersTab), WM_LBUTTONDOWN, 0, 0);
    sendToEditor(gd(dialog, kLayersTab), WM_LBUTTONUP, 0, 0);
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
  ~DialogCloser() { sendToEditor(dialog_, WM_CLOSE, 1, 1); }
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

  // Asks the list for one cell's text through the block: the record and a
  // cleared text buffer go in, the list must say it answered, and the text
  // is taken where the returned record points.
  std::wstring cell(HWND list, int32_t row, int32_t column) {
    const uint32_t base = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address_));
    std::vector<uint8_t> bytes(kRemoteBlockSize, 0);
    const ListItemRecord record = listItemRecord(base, row, column);
    std::copy(record.begin(), record.end(), bytes.begin());
    SIZE_T copied = 0;
    if (!WriteProcessMemory(process_, address_, bytes.data(), bytes.size(), &copied) ||
        copied != bytes.size()) {
      fail(L"не записать запрос в память редактора.");
    }
    LRESULT answered = 0;
    if (!sendToEditor(list, LVM_GETITEMW, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(address_), &answered) ||
        !answered) {
      fail(cellName(row, column, L"не прочитана").c_str());
    }
    copied = 0;
    if (!ReadProcessMemory(process_, address_, bytes.data(), bytes.size(), &copied) ||
        copied != bytes.size()) {
      fail(L"не прочитать ответ из памяти редактора.");
    }
    std::wstring text;
    if (!cellTextFromBlock(bytes.data(), bytes.size(), base, text)) {
      fail(cellName(row, column, L"пришла вне отведённой памяти").c_str());
    }
    return text;
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

void filllayertable(std::vector<layers::LayerRow>& records) {
  HWND editor = editorWindow();
  postCommand(editor, kCmdOptionsLayers);
  HWND dialog = waitForLayersDialog(editor);
  if (!dialog) return;

  HWND list = clickUntilListShows(dialog, editor);
  if (!list) {
    sendToEditor(dialog, WM_CLOSE, 1, 1);
    return;
  }
  sendToEditor(dialog, WM_COMMAND, kLayersCommand, 0);

  list = gd(dialog, kLayerList);
  wchar_t cls[151] = {};
  GetClassNameW(list, cls, 150);
  if (std::wstring(cls) != kListViewClass) return;  // the dialog stays open

  DialogCloser closer(dialog);
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  EditorProcess process(pid);
  RemoteBlock block(process.handle());
  LRESULT rows = 0;
  if (!sendToEditor(list, LVM_GETITEMCOUNT, 0, 0, &rows)) fail(L"список не ответил.");
  for (int32_t row = 0; row < rows; ++row) {
    const std::wstring name = block.cell(list, row, 0);
    const std::wstring tipe = block.cell(list, row, 1);
    layers::addEditorLayer(records, name, tipe);
  }
}

}  // namespace cadlink
