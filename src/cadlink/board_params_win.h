// Reading and writing the three board parameters that live in the editor's
// own settings, by driving its dialogs as an operator would: the solder mask
// swell and the plane swell in "Options Configure", the draw aperture size
// in "Aperture Assignments" behind the Gerber dialog. Values are the fields'
// texts, passed on unchanged. Each call opens and closes its dialogs.
#pragma once

#include <windows.h>

#include <string>

namespace cadlink {

std::wstring getSolderMaskSwell(HWND h);
std::wstring getPlaneSwell(HWND h);
void SetSolderMaskSwell(HWND h, const std::wstring& s);
void SetPlaneSwell(HWND h, const std::wstring& s);

// The Gerber dialog's title follows the run-time value `version`.
std::wstring getDrawApertureSize(HWND h);
void SetDrawApertureSize(HWND h, const std::wstring& s);

}  // namespace cadlink
