#pragma once
// The colour scale of the stress plot that the project ships as color.bmp:
// index 0 (the largest value) red, then through yellow, green and cyan to
// blue at index 149 (the smallest value), the way engineers read stress maps.
// Each of the four legs changes one channel linearly between 0 and 255, so
// neighbouring values never look alike.
#include <array>
#include <string>

#include "display/palette.h"

namespace trivane {

std::array<Rgb, PaletteSize> StressColourScale();

// A 24-bit uncompressed bitmap, one row high, holding the colours left to
// right.
std::string EncodeBitmapRow(const std::array<Rgb, PaletteSize>& colours);

}  // namespace trivane
