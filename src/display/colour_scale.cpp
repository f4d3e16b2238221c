#include "display/colour_scale.h"

#include <cstdint>

namespace trivane {

namespace {

void Put(std::string& out, uint32_t value, int width) {
  for (int k = 0; k < width; ++k) out.push_back(static_cast<char>((value >> (8 * k)) & 0xFF));
}

}  // namespace

std::array<Rgb, PaletteSize> StressColourScale() {
  constexpr int legs = 4;
  constexpr int full = 255;
  std::array<Rgb, PaletteSize> colours{};
  for (int i = 0; i < PaletteSize; ++i) {
    // Distance travelled along the four legs, in channel steps, rounded.
    const int travelled = (i * legs * full * 2 + (PaletteSize - 1)) / (2 * (PaletteSize - 1));
    const int leg = travelled / full < legs ? travelled / full : legs - 1;
    const auto rising = static_cast<uint8_t>(travelled - leg * full);
    const auto falling = static_cast<uint8_t>(full - rising);
    switch (leg) {
      case 0: colours[i] = {255, rising, 0}; break;   // red to yellow
      case 1: colours[i] = {falling, 255, 0}; break;  // yellow to green
      case 2: colours[i] = {0, 255, rising}; break;   // green to cyan
      default: colours[i] = {0, falling, 255}; break;  // cyan to blue
    }
  }
  return colours;
}

std::string EncodeBitmapRow(const std::array<Rgb, PaletteSize>& colours) {
  constexpr uint32_t headers = 14 + 40;
  constexpr uint32_t stride = (PaletteSize * 3 + 3) / 4 * 4;
  std::string out = "BM";
  Put(out, headers + stride, 4);
  Put(out, 0, 4);
  Put(out, headers, 4);
  Put(out, 40, 4);
  Put(out, PaletteSize, 4);
  Put(out, 1, 4);  // one row
  Put(out, 1, 2);  // planes
  Put(out, 24, 2);
  Put(out, 0, 4);  // uncompressed
  Put(out, stride, 4);
  Put(out, 2835, 4);  // 72 dots per inch
  Put(out, 2835, 4);
  Put(out, 0, 4);
  Put(out, 0, 4);
  for (const Rgb& c : colours) {
    out.push_back(static_cast<char>(c.b));
    out.push_back(static_cast<char>(c.g));
    out.push_back(static_cast<char>(c.r));
  }
  out.resize(headers + stride, '\0');
  return out;
}

}  // namespace trivane
