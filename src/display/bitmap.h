#pragma once
// A reader for uncompressed Windows bitmaps: 24- and 32-bit pixels and 8-bit
// (and smaller) colour-table forms, stored bottom-up or top-down. Every header
// field is checked against the size of the data, so any byte string is safe to
// give it.
#include <cstddef>
#include <string_view>
#include <vector>

#include "display/canvas.h"

namespace trivane {

// The first `columns` pixels (fewer if the picture is narrower) of the top row
// of the picture as displayed, left to right. Throws Error(BitmapNotValid) for
// anything that is not such a bitmap.
std::vector<Rgb> ReadBitmapTopRow(std::string_view bytes, size_t columns);

}  // namespace trivane
