// Writing a picture as a PNG file.
#pragma once

#include <string>

#include "render/render.h"

// False when the file could not be written.
bool writePng(const std::string& utf8Path, const render::Image& image);
