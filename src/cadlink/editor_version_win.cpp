// Reading the editor's build number (see editor_version_win.h).
#include "cadlink/editor_version_win.h"

#include "base/int_text.h"
#include "cadlink/editor_access_win.h"
#include "cadlink/editor_protocol.h"

namespace cadlink {

int32_t readEditorBuild(EditorLink& link, int32_t version) {
  const VersionEntry* entry = findVersion(version);
  if (!entry) return kUnknownBuild;
  postCommand(mainWindowOf(link), entry->command);
  HWND w = findWindow(link, entry->title);
  const std::wstring text = cutBuildText(readWindowText(link, findControl(link, w, kBuildControl)));
  sendToEditor(link, w, WM_COMMAND, kIdOk, 0);
  return base::strToInt(text);
}

int32_t readCandidateBuild(EditorLink& link, HWND candidate, int32_t version) {
  const VersionEntry* entry = findVersion(version);
  if (!entry) return kUnknownBuild;
  postCommand(candidate, entry->command);
  HWND w = findCandidateWindow(link, entry->title, candidate);
  // One read, as the link's reader does; the title read is the one that repeats.
  const std::wstring text =
      cutBuildText(readWindowText(link, findCandidateControl(link, w, kBuildControl, candidate)));
  closeWindow(link, w);
  return base::strToInt(text);
}

}  // namespace cadlink
