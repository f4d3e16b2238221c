#include "display/colour_scale.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "display/bitmap.h"
#include "display/palette.h"
#include "io/files.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

TEST(ColourScale, RunsFromRedThroughYellowGreenAndCyanToBlue) {
  const auto scale = StressColourScale();
  EXPECT_EQ(scale[0], (Rgb{255, 0, 0}));
  EXPECT_EQ(scale[149], (Rgb{0, 0, 255}));
  // Index 149 * k / 4 lies where leg k ends.
  EXPECT_EQ(scale[37].r, 255);
  EXPECT_GE(scale[37].g, 250);
  EXPECT_EQ(scale[75], (Rgb{0, 255, 3}));
  EXPECT_EQ(scale[112].b, 255);
  // Neighbours always differ, by an even step of 1020 / 149 channel units.
  for (int i = 1; i < PaletteSize; ++i) {
    const int step = std::abs(scale[i].r - scale[i - 1].r) + std::abs(scale[i].g - scale[i - 1].g) +
                     std::abs(scale[i].b - scale[i - 1].b);
    EXPECT_GE(step, 6) << i;
    EXPECT_LE(step, 7) << i;
  }
}

TEST(ColourScale, EncodedBitmapReadsBackAndMatchesTheShippedFile) {
  const std::string bytes = EncodeBitmapRow(StressColourScale());
  const std::vector<Rgb> row = ReadBitmapTopRow(bytes, PaletteSize);
  ASSERT_EQ(row.size(), static_cast<size_t>(PaletteSize));
  for (int i = 0; i < PaletteSize; ++i) EXPECT_EQ(row[i], StressColourScale()[i]);
  const std::string shipped = testing::SourcePath("resources/color.bmp");
  EXPECT_EQ(ReadFileBytes(shipped), bytes) << "regenerate it with the palette target";
}

}  // namespace
}  // namespace trivane
