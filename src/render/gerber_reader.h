// Reading an RS-274X Gerber file statement by statement and plotting what
// it draws as it goes.
#pragma once

#include "render/plotter.h"
#include "render/render.h"
#include "render/source.h"

namespace render {

FileReport readGerber(ByteSource& in, Plotter& plotter);

}  // namespace render
