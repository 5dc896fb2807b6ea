// Reading the editor's build number (see editor_version_win.h).
#include "cadlink/editor_version_win.h"

#include "base/int_text.h"
#include "cadlink/editor_access_win.h"

namespace cadlink {

int32_t getbild(HWND h, int32_t v) {
  const VersionEntry* entry = findVersion(v);
  if (!entry) return kUnknownBuild;
  postCommand(h, entry->command);
  HWND w = fw(0, 0, nullptr, entry->title);
  const std::wstring text = cutBuildText(gettext(gd(w, kBuildControl)));
  sendToEditor(w, WM_COMMAND, kIdOk, 0);
  return base::strToInt(text);
}

namespace chooser {

int32_t getbild(HWND h, int32_t v) {
  const VersionEntry* entry = findVersion(v);
  if (!entry) return kUnknownBuild;
  postCommand(h, entry->command);
  HWND w = fw(0, 0, nullptr, entry->title, h);
  // One read, as the main copy does; the title read is the one that repeats.
  const std::wstring text = cutBuildText(readWindowText(gd(w, kBuildControl, h)));
  closewindow(w);
  return base::strToInt(text);
}

}  // namespace chooser

}  // namespace cadlink
