// Reading an Excellon drill file line by line: holes are flashed with the
// tool's diameter, slots and routed paths drawn with it.
#pragma once

#include "render/plotter.h"
#include "render/render.h"
#include "render/source.h"

namespace render {

FileReport readExcellon(ByteSource& in, Plotter& plotter);

}  // namespace render
