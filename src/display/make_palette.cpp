// Writes the stress plot's colour scale as color.bmp:
//   make_palette OUTPUT.bmp
// The result is committed as resources/color.bmp.
#include <fstream>
#include <iostream>

#include "display/colour_scale.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_palette OUTPUT.bmp\n";
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << trivane::EncodeBitmapRow(trivane::StressColourScale());
  out.close();
  if (!out) {
    std::cerr << "cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
