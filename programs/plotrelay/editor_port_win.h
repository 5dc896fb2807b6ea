// The editor as the driver's interpreter reaches it: the editor's main
// window and the windows of its process, worked through window messages.
#pragma once

#include <windows.h>

#include "plotrelay/plotrelay_runner.h"

namespace plotrelay {

class WinEditorPort : public EditorPort {
 public:
  explicit WinEditorPort(HWND editor);

  bool editorAlive() override;
  void postCommand(int32_t id) override;
  uintptr_t findWindow(const std::wstring& title) override;
  bool windowShown(uintptr_t window) override;
  uintptr_t findControl(uintptr_t dialog, int32_t id) override;
  void setText(uintptr_t control, const std::wstring& text) override;
  void setCheck(uintptr_t control, bool checked) override;
  bool selectItem(uintptr_t dialog, uintptr_t list, int32_t id, const std::wstring& text) override;
  void click(uintptr_t control) override;
  void sleep(int32_t ms) override;

 private:
  HWND editor_;
  DWORD pid_ = 0;  // the editor's process; 0 when the handle names no window
};

}  // namespace plotrelay
