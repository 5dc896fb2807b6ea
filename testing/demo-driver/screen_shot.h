// Saves the whole screen as a BMP file.
#pragma once

#include <string>

bool saveScreenShot(const std::wstring& path);
