#pragma once
// The 150 colours of the stress plot, read from the top row of a bitmap.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "display/canvas.h"

namespace trivane {

constexpr int32_t PaletteSize = 150;

struct Palette {
  std::array<Rgb, PaletteSize> colours{};  // black until loaded
};

// Reads the first 150 pixels of the top row, as displayed, of the bitmap at
// path (relative paths resolve against the working directory); columns beyond
// a narrower bitmap are black. Throws Error with CannotOpenFile (naming the
// full path) or BitmapNotValid; the caller keeps its palette then.
Palette LoadPalette(const std::string& path);

// The palette file a program started anywhere reads: color.bmp in the working
// directory, else the first of `elsewhere` that exists; when none does, the
// working directory's, so that the error names the place looked at first.
std::string FindPalette(const std::vector<std::string>& elsewhere);

}  // namespace trivane
