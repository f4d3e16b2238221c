#include "display/bitmap.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "display/palette.h"
#include "model/errors.h"

namespace trivane {
namespace {

// The colour the test pictures have at (column, row), row 0 at the top.
Rgb Colour(int column, int row) {
  return {static_cast<uint8_t>(column), static_cast<uint8_t>(row * 40), static_cast<uint8_t>(255 - column)};
}

void Put(std::string& out, uint32_t value, int width) {
  for (int k = 0; k < width; ++k) out.push_back(static_cast<char>((value >> (8 * k)) & 0xFF));
}

// A bitmap as a writer would make it: info header, optional colour table of
// 2^bpp grey-free entries (entry i is Colour(i, 0)), rows padded to 4 bytes.
std::string MakeBitmap(int width, int height, int bpp, bool topDown) {
  const int tableEntries = bpp <= 8 ? 1 << bpp : 0;
  const uint32_t stride = (width * bpp + 31) / 32 * 4;
  const uint32_t offset = 14 + 40 + 4 * tableEntries;
  std::string out = "BM";
  Put(out, offset + stride * height, 4);
  Put(out, 0, 4);
  Put(out, offset, 4);
  Put(out, 40, 4);
  Put(out, width, 4);
  Put(out, topDown ? -height : height, 4);
  Put(out, 1, 2);
  Put(out, bpp, 2);
  Put(out, 0, 4);
  Put(out, stride * height, 4);
  Put(out, 2835, 4);
  Put(out, 2835, 4);
  Put(out, 0, 4);
  Put(out, 0, 4);
  for (int i = 0; i < tableEntries; ++i) {
    const Rgb c = Colour(i, 0);
    out += {static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r), 0};
  }
  for (int stored = 0; stored < height; ++stored) {
    const int row = topDown ? stored : height - 1 - stored;
    std::string line(stride, '\0');
    for (int x = 0; x < width; ++x) {
      if (bpp >= 24) {
        const Rgb c = Colour(x, row);
        const size_t at = static_cast<size_t>(x) * (bpp / 8);
        line[at] = static_cast<char>(c.b);
        line[at + 1] = static_cast<char>(c.g);
        line[at + 2] = static_cast<char>(c.r);
      } else {
        // Indexed: pixel x of row r uses entry (x + r) of the table.
        const int index = (x + row) % tableEntries;
        const int bit = x * bpp;
        line[bit / 8] = static_cast<char>(line[bit / 8] | (index << (8 - bpp - bit % 8)));
      }
    }
    out += line;
  }
  return out;
}

struct FormatCase {
  const char* name;
  int width, height, bpp;
  bool topDown;
};

class BitmapFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(BitmapFormats, TopRowAsDisplayedLeftToRight) {
  const FormatCase& c = GetParam();
  const std::vector<Rgb> row = ReadBitmapTopRow(MakeBitmap(c.width, c.height, c.bpp, c.topDown), 150);
  ASSERT_EQ(row.size(), static_cast<size_t>(std::min(c.width, 150)));
  for (int x = 0; x < static_cast<int>(row.size()); ++x) {
    const Rgb expected = c.bpp >= 24 ? Colour(x, 0) : Colour(x % (1 << c.bpp), 0);
    EXPECT_EQ(row[x], expected) << "column " << x;
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, BitmapFormats,
                         ::testing::Values(FormatCase{"Rgb24BottomUp", 150, 3, 24, false},
                                           FormatCase{"Rgb24TopDown", 150, 3, 24, true},
                                           FormatCase{"Rgb24Wider", 203, 2, 24, false},
                                           FormatCase{"Rgb24OddWidthPadded", 7, 4, 24, false},
                                           FormatCase{"Rgb32BottomUp", 150, 2, 32, false},
                                           FormatCase{"Rgb32TopDown", 151, 2, 32, true},
                                           FormatCase{"Indexed8", 150, 2, 8, false},
                                           FormatCase{"Indexed8TopDown", 150, 5, 8, true},
                                           FormatCase{"Indexed4", 37, 3, 4, false},
                                           FormatCase{"Indexed1", 13, 2, 1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

void ExpectInvalid(const std::string& bytes) {
  try {
    ReadBitmapTopRow(bytes, 150);
    FAIL() << "accepted";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Bitmap image is not valid");
  }
}

struct DamageCase {
  const char* name;
  std::function<void(std::string&)> damage;
};

class DamagedBitmap : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedBitmap, IsNotValid) {
  std::string bytes = MakeBitmap(150, 2, 24, false);
  GetParam().damage(bytes);
  ExpectInvalid(bytes);
}

void Set(std::string& bytes, size_t at, uint32_t value, int width) {
  std::string field;
  Put(field, value, width);
  bytes.replace(at, width, field);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DamagedBitmap,
    ::testing::Values(DamageCase{"Empty", [](std::string& b) { b.clear(); }},
                      DamageCase{"Text", [](std::string& b) { b = "this is not a picture\n"; }},
                      DamageCase{"WrongMagic", [](std::string& b) { b[1] = 'N'; }},
                      DamageCase{"PixelsCutShort", [](std::string& b) { b.resize(b.size() - 1); }},
                      DamageCase{"OffsetPastTheEnd", [](std::string& b) { Set(b, 10, 0xFFFFFFF0u, 4); }},
                      DamageCase{"HugeHeader", [](std::string& b) { Set(b, 14, 0x7FFFFFFFu, 4); }},
                      DamageCase{"OddHeaderSize", [](std::string& b) { Set(b, 14, 20, 4); }},
                      DamageCase{"ZeroWidth", [](std::string& b) { Set(b, 18, 0, 4); }},
                      DamageCase{"NegativeWidth", [](std::string& b) { Set(b, 18, 0xFFFFFFFFu, 4); }},
                      DamageCase{"ZeroHeight", [](std::string& b) { Set(b, 22, 0, 4); }},
                      DamageCase{"MostNegativeHeight", [](std::string& b) { Set(b, 22, 0x80000000u, 4); }},
                      DamageCase{"HugeWidth", [](std::string& b) { Set(b, 18, 0x7FFFFFFFu, 4); }},
                      DamageCase{"TwoPlanes", [](std::string& b) { Set(b, 26, 2, 2); }},
                      DamageCase{"SixteenBits", [](std::string& b) { Set(b, 28, 16, 2); }},
                      DamageCase{"RunLengthCompressed", [](std::string& b) { Set(b, 30, 1, 4); }},
                      DamageCase{"BitFieldsOn24Bits", [](std::string& b) { Set(b, 30, 3, 4); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DamagedBitmap, ColourTableLargerThanItsDepthOrPastTheEnd) {
  std::string bytes = MakeBitmap(20, 1, 8, false);
  Set(bytes, 46, 257, 4);
  ExpectInvalid(bytes);
  bytes = MakeBitmap(20, 1, 8, false);
  bytes.resize(14 + 40 + 100);
  ExpectInvalid(bytes);
}

TEST(DamagedBitmap, EveryTruncationAndRandomCorruptionIsRefusedOrReadSafely) {
  for (const int bpp : {1, 8, 24, 32}) {
    const std::string good = MakeBitmap(40, 3, bpp, false);
    for (size_t size = 0; size < good.size(); ++size) ExpectInvalid(good.substr(0, size));
    std::mt19937 random(bpp);
    for (int trial = 0; trial < 2000; ++trial) {
      std::string bytes = good;
      for (int k = 0; k < 3; ++k) bytes[random() % 70] = static_cast<char>(random());
      try {
        ReadBitmapTopRow(bytes, 150);
      } catch (const Error&) {
      }
    }
  }
}

class PaletteFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() / ("trivane-palette-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  std::filesystem::path folder_;
};

TEST_F(PaletteFile, TakesTheFirst150ColoursOfTheTopRowAndBlackBeyondANarrowBitmap) {
  const Palette wide = LoadPalette(Write("wide.bmp", MakeBitmap(160, 2, 24, false)));
  EXPECT_EQ(wide.colours[0], Colour(0, 0));
  EXPECT_EQ(wide.colours[149], Colour(149, 0));
  const Palette narrow = LoadPalette(Write("narrow.bmp", MakeBitmap(100, 1, 24, true)));
  EXPECT_EQ(narrow.colours[99], Colour(99, 0));
  EXPECT_EQ(narrow.colours[100], (Rgb{0, 0, 0}));
  EXPECT_EQ(narrow.colours[149], (Rgb{0, 0, 0}));
}

TEST_F(PaletteFile, MissingFileNamesItsFullPathAndTheReason) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder_);
  try {
    LoadPalette("./color.bmp");
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot open file \"" + (folder_ / "color.bmp").string() + "\". No such file or directory");
  }
  std::filesystem::current_path(previous);
}

// A program started outside the palette's folder finds the shipped one; a
// palette in the working directory still comes first.
TEST_F(PaletteFile, FoundInTheWorkingDirectoryFirstThenInTheFirstPlaceThatHasIt) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::create_directories(folder_ / "work");
  std::filesystem::current_path(folder_ / "work");
  const std::string missing = (folder_ / "missing.bmp").string();
  const std::string shipped = Write("shipped.bmp", MakeBitmap(150, 1, 24, false));
  EXPECT_EQ(FindPalette({missing, shipped}), shipped);
  EXPECT_EQ(FindPalette({missing}), "color.bmp");
  Write("work/color.bmp", MakeBitmap(150, 1, 24, false));
  EXPECT_EQ(FindPalette({shipped}), "color.bmp");
  std::filesystem::current_path(previous);
}

TEST_F(PaletteFile, AFileThatIsNotABitmap) {
  try {
    LoadPalette(Write("color.bmp", "P6\n150 1\n255\n"));
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Bitmap image is not valid");
  }
}

}  // namespace
}  // namespace trivane
