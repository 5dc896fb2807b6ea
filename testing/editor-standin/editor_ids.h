// The editor's interface as its callers drive it: commands posted to the
// main window, dialog titles, control IDs and the fixed notification values.
#pragma once

#include <string>

namespace standin {

constexpr unsigned kCmdBuildOld = 32927;   // 2002, 2004
constexpr unsigned kCmdBuild2006 = 60009;  // 2006
constexpr unsigned kCmdLayers = 32883;
constexpr unsigned kCmdDesignInfo = 32784;
constexpr unsigned kCmdConfigure = 32879;
constexpr unsigned kCmdGerber = 32786;
constexpr unsigned kCmdDrill = 32787;
constexpr unsigned kCmdApertures = 2380;     // to the Gerber dialog
constexpr unsigned kCmdLayersAccept = 2349;  // to "Options Layers"

constexpr int kIdBuildText = 1287;
constexpr int kIdTabs = 998;
constexpr int kIdLayerList = 2278;
constexpr int kIdDesignDir = 1634;
constexpr int kIdDesignFile = 1631;
constexpr int kIdConfigureButton = 2618;
constexpr int kIdSolderMaskSwell = 2236;
constexpr int kIdPlaneSwell = 2212;
constexpr int kIdDrawAperture = 2137;

// The Gerber dialog: output path, layer list, the nine object-class check
// boxes (1011 Pad ... 1019 Titles), offsets, units and "Generate".
constexpr int kIdGerberPath = 1001;
constexpr int kIdGerberLayers = 1002;
constexpr int kIdFirstClass = 1011;
constexpr int kIdGerberOffsetX = 1021;
constexpr int kIdGerberOffsetY = 1022;
constexpr int kIdUnitsMm = 1031;
constexpr int kIdUnitsInch = 1032;
constexpr int kIdGerberGenerate = 1040;
// The N/C drill dialog: output path, "%"-separated span, offsets, "Generate".
constexpr int kIdDrillPath = 1101;
constexpr int kIdDrillSpan = 1102;
constexpr int kIdDrillOffsetX = 1121;
constexpr int kIdDrillOffsetY = 1122;
constexpr int kIdDrillGenerate = 1140;

constexpr unsigned kTabsNotify = 197606;  // (3 << 16) | 998
constexpr unsigned kSolderMaskSwellTag = 2755790;
constexpr unsigned kPlaneSwellTag = 5115144;

inline const wchar_t kTitleLayers[] = L"Options Layers";
inline const wchar_t kTitleDesignInfo[] = L"Design Info";
inline const wchar_t kTitleDesignInfoDecoy[] = L"Design Info (old)";
inline const wchar_t kTitleConfigure[] = L"Options Configure";
inline const wchar_t kTitleApertures[] = L"Aperture Assignments";
inline const wchar_t kTitleDrill[] = L"File N/C Drill";

// The build window's title ("P-CAD 2004 PCB"), the same for every version.
std::wstring buildWindowTitle(const std::wstring& version);
// The command that opens the build window, or 0 when this version has none.
unsigned buildCommand(const std::wstring& version);
// "File Gerber Out" for 2002, "File Export Gerber" otherwise.
std::wstring gerberTitle(const std::wstring& version);
// The main window's title: "P-CAD <version> PCB - [<file>]" and the suffix.
std::wstring mainTitle(const std::wstring& version, const std::wstring& fileName,
                       const std::wstring& suffix);

// Length of the build text's prefix: the number starts at character 27.
constexpr size_t kBuildTextPrefix = 26;
// The text of control 1287: exactly 26 characters, the build number in
// decimal, then one closing character.
std::wstring buildText(const std::wstring& version, long build);

}  // namespace standin
