// The layer list readout (see layer_readout_win.h).
#include "cadlink/layer_readout_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/error.h"
#include "cadlink/editor_access_win.h"
#include "cadlink/editor_misses.h"
#include "cadlink/editor_protocol.h"
#include "cadlink/retry_search.h"
#include "widgets/message_pump_win.h"

namespace cadlink {

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
bool pumpMessages() { return widgets::MessagePump().dispatchPending(); }

struct TitleSearch {
  EditorLink& link;
  const wchar_t* title;
  HWND found;
};

// Callback of EnumThreadWindows: remembers a window titled exactly as
// searched (the last one wins); always goes on.
BOOL CALLBACK rememberTitled(HWND w, LPARAM searchParam) {
  auto* search = reinterpret_cast<TitleSearch*>(searchParam);
  if (readWindowText(search->link, w) == search->title) search->found = w;
  return TRUE;
}

// Waits for "Options Layers" among the windows of the editor's thread,
// pumping the program's messages before every try.
HWND waitForLayersDialog(EditorLink& link, HWND editor) {
  ++link.counters.windowSearches;
  EditorMisses& misses = link.misses;
  if (misses.knownMissing(kOptionsLayersTitle)) {
    misses.skipped();
    return nullptr;
  }
  const DWORD thread = GetWindowThreadProcessId(editor, nullptr);
  for (int tries = 0; tries < kSearchTries; ++tries) {
    if (!pumpMessages()) return nullptr;
    Sleep(static_cast<DWORD>(link.windowDelayMs < 0 ? 0 : link.windowDelayMs));
    ++link.counters.windowLookups;
    if (HWND dialog = findLayersDialog(link, thread)) return dialog;
    if (!IsWindow(editor)) return nullptr;
  }
  misses.windowNeverOpened(kOptionsLayersTitle);
  return nullptr;
}

// Clicks the dialog's tab control until the layer list exists.
HWND clickUntilListShows(EditorLink& link, HWND dialog, HWND editor) {
  for (int round = 0; round < kListClickRounds; ++round) {
    sendToEditor(link, findControl(link, dialog, kLayersTab), WM_LBUTTONDOWN, 0, 0);
    sendToEditor(link, findControl(link, dialog, kLayersTab), WM_LBUTTONUP, 0, 0);
    if (HWND list = findControl(link, dialog, kLayerList)) return list;
    if (!IsWindow(editor) || !IsWindow(dialog)) break;
  }
  return nullptr;
}

// What the readout holds in the editor: released in reverse order of
// acquisition on every way out, the dialog closed last.
class DialogCloser {
 public:
  DialogCloser(EditorLink& link, HWND dialog) : link_(link), dialog_(dialog) {}
  ~DialogCloser() { sendToEditor(link_, dialog_, WM_CLOSE, 1, 1); }
  DialogCloser(const DialogCloser&) = delete;
  DialogCloser& operator=(const DialogCloser&) = delete;

 private:
  EditorLink& link_;
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
  std::wstring cell(EditorLink& link, HWND list, int32_t row, int32_t column) {
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
    if (!sendToEditor(link, list, LVM_GETITEMW, static_cast<WPARAM>(row),
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

HWND findLayersDialog(EditorLink& link, DWORD thread) {
  TitleSearch search{link, kOptionsLayersTitle, nullptr};
  EnumThreadWindows(thread, rememberTitled, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

namespace {

// Reads every row of the list that the dialog shows, closing the dialog on
// every way out.
void readRows(EditorLink& link, HWND dialog, HWND list, const LayerRowSink& addRow) {
  DialogCloser closer(link, dialog);
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  EditorProcess process(pid);
  RemoteBlock block(process.handle());
  LRESULT rows = 0;
  if (!sendToEditor(link, list, LVM_GETITEMCOUNT, 0, 0, &rows)) fail(L"список не ответил.");
  for (int32_t row = 0; row < rows; ++row) {
    const std::wstring name = block.cell(link, list, row, 0);
    const std::wstring typeText = block.cell(link, list, row, 1);
    addRow(name, typeText);
  }
}

}  // namespace

HWND readLayerList(EditorLink& link, const LayerRowSink& addRow) {
  HWND editor = mainWindowOf(link);
  postCommand(editor, kCmdOptionsLayers);
  HWND dialog = waitForLayersDialog(link, editor);
  if (!dialog) return nullptr;

  HWND list = clickUntilListShows(link, dialog, editor);
  if (!list) {
    sendToEditor(link, dialog, WM_CLOSE, 1, 1);
    return dialog;
  }
  sendToEditor(link, dialog, WM_COMMAND, kLayersCommand, 0);

  list = findControl(link, dialog, kLayerList);
  wchar_t cls[151] = {};
  GetClassNameW(list, cls, 150);
  if (std::wstring(cls) != kListViewClass) return dialog;  // the dialog stays open
  readRows(link, dialog, list, addRow);
  return dialog;
}

}  // namespace cadlink
