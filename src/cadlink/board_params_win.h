// Reading and writing the three board parameters that live in the editor's
// own settings, by driving its dialogs as an operator would: the solder mask
// swell and the plane swell in "Options Configure", the draw aperture size
// in "Aperture Assignments" behind the Gerber dialog. Values are the fields'
// texts, passed on unchanged. Each call opens and closes its dialogs.
#pragma once

#include <string>

#include "cadlink/editor_link.h"

namespace cadlink {

std::wstring readSolderMaskSwell(EditorLink& link);
std::wstring readPlaneSwell(EditorLink& link);
void writeSolderMaskSwell(EditorLink& link, const std::wstring& value);
void writePlaneSwell(EditorLink& link, const std::wstring& value);

// The Gerber dialog's title follows the link's editor version.
std::wstring readDrawApertureSize(EditorLink& link);
void writeDrawApertureSize(EditorLink& link, const std::wstring& value);

}  // namespace cadlink
