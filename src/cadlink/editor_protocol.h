// What the program knows about the editor's interface, apart from any
// platform: how its titles carry the version, where the build number sits
// in the build window's text, which command opens which build window, the
// messages of the board parameter dialogs, the list-view request record in
// the editor's 32-bit layout, and the texts of the chooser's entries.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace cadlink {

// Main window class of every editor version.
inline constexpr const wchar_t* kEditorClass = L"ACCEL PCB";

// Characters 7 to 10 of the main window's title read as a decimal integer;
// throws base::AppError (not a valid integer) when they are not one.
int32_t versionFromTitle(const std::wstring& title);

// The build number's text inside the build window's control: characters 27
// up to the next-to-last. 27 characters or fewer leave nothing.
std::wstring cutBuildText(const std::wstring& text);

// A text buffer's contents up to the first NUL within its first `limit` units.
std::wstring textUpToNul(const wchar_t* buffer, size_t limit);

// Recognised editor versions: the command that opens the build window and
// that window's title.
struct VersionEntry {
  int32_t version;
  uint32_t command;
  const wchar_t* title;
};
// The entry of version `v`, or nullptr when the version is not recognised.
const VersionEntry* findVersion(int32_t v);
inline constexpr int32_t kBuildControl = 1287;
inline constexpr int32_t kUnknownBuild = -1;

// Commands posted to the editor's main window.
inline constexpr uint32_t kCmdDesignInfo = 32784;
inline constexpr uint32_t kCmdOptionsConfigure = 32879;
inline constexpr uint32_t kCmdOptionsLayers = 32883;
inline constexpr uint32_t kCmdGerberOut = 32786;
inline constexpr uint32_t kCmdApertureAssignments = 2380;  // to the Gerber dialog

inline constexpr uint32_t kIdOk = 1;
inline constexpr uint32_t kMkLButton = 1;
inline constexpr uint32_t kVkReturn = 13;

// A client point packed as a mouse message's lParam.
constexpr uint32_t clickPoint(uint16_t x, uint16_t y) {
  return (static_cast<uint32_t>(y) << 16) | x;
}

// "Design Info".
inline constexpr const wchar_t* kDesignInfoTitle = L"Design Info";
inline constexpr int32_t kDesignInfoTab = 998;
inline constexpr uint32_t kDesignInfoClick = clickPoint(40, 10);  // 655400
inline constexpr int32_t kDesignDirField = 1634;
inline constexpr int32_t kDesignNameField = 1631;
inline constexpr const wchar_t* kEmptyDesignDir = L"c:\\";

// "Options Configure" and its two swell fields.
inline constexpr const wchar_t* kOptionsConfigureTitle = L"Options Configure";
inline constexpr int32_t kConfigureTab = 998;
inline constexpr uint32_t kConfigureFirstClick = clickPoint(46, 10);    // 655406
inline constexpr uint32_t kConfigureSecondClick = clickPoint(397, 10);  // 655757
inline constexpr int32_t kConfigureButton = 2618;

struct SwellParameter {
  int32_t field;          // edit control ID
  uint32_t notifyLParam;  // fixed lParam of the write's notifications
};
inline constexpr SwellParameter kSolderMaskSwell{2236, 2755790};
inline constexpr SwellParameter kPlaneSwell{2212, 5115144};

// The five WM_COMMAND wParams sent to "Options Configure" after a field is
// written: control 998 with code 3, then EN_SETFOCUS, EN_UPDATE, EN_CHANGE
// and EN_KILLFOCUS of the field.
std::array<uint32_t, 5> swellNotifications(const SwellParameter& p);

// Draw aperture size.
inline constexpr const wchar_t* kApertureTitle = L"Aperture Assignments";
inline constexpr int32_t kApertureField = 2137;
// "File Gerber Out" when the version text is exactly "2002", else
// "File Export Gerber".
const wchar_t* gerberDialogTitle(const std::wstring& version);

// "Options Layers" and its list.
inline constexpr const wchar_t* kOptionsLayersTitle = L"Options Layers";
inline constexpr int32_t kLayersTab = 998;
inline constexpr int32_t kLayerList = 2278;
inline constexpr uint32_t kLayersCommand = 2349;
inline constexpr const wchar_t* kListViewClass = L"SysListView32";

// The list-view request written into the editor's process: one LVITEMW of
// the 32-bit layout (15 fields of 4 bytes) followed by its text buffer.
inline constexpr size_t kListItemRecordSize = 60;
inline constexpr size_t kRemoteBlockSize = 4096;
inline constexpr uint32_t kCellTextMax = 512;  // cchTextMax of the request, characters
inline constexpr size_t kCellReadBytes = 512;  // read back: 256 UTF-16 units
inline constexpr uint32_t kLvifText = 1;
using ListItemRecord = std::array<uint8_t, kListItemRecordSize>;
// mask LVIF_TEXT, iItem `row`, iSubItem `column`, pszText `remoteBlock` + 60,
// cchTextMax 512, every other field 0; little endian.
ListItemRecord listItemRecord(uint32_t remoteBlock, int32_t row, int32_t column);

// The cell text that a request left in the remote block, `block` being the
// whole block (`size` bytes) read back from the editor and `remoteBlock`
// its address there. The list may answer through another text pointer than
// the one it was given, so the record's pszText is followed: the text is
// taken there, up to its first NUL, at most 256 units, never past the
// block's end. False when pszText points outside the block's text area.
bool cellTextFromBlock(const uint8_t* block, size_t size, uint32_t remoteBlock, std::wstring& text);

// One entry of the chooser's list: title, " ", version, "_", build.
std::wstring chooserEntry(const std::wstring& title, int32_t version, int32_t build);

}  // namespace cadlink
