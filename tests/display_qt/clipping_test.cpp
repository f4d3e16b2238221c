#include "display_qt/clipping.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace trivane {
namespace {

const ClipBox Box{-3, -3, 102, 52};

constexpr int32_t Far = 1 << 30;

struct SegmentCase {
  const char* name;
  Pixel from, to;
  std::optional<std::pair<Pixel, Pixel>> clipped;  // nothing: the segment misses the box
};

class ClipSegmentRows : public ::testing::TestWithParam<SegmentCase> {};

TEST_P(ClipSegmentRows, CutsToTheBoxAlongTheSegmentsLine) {
  const SegmentCase& c = GetParam();
  EXPECT_EQ(ClipSegment(c.from, c.to, Box), c.clipped);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ClipSegmentRows,
    ::testing::Values(SegmentCase{"InsideUnchanged", {0, 0}, {99, 49}, std::pair{Pixel{0, 0}, Pixel{99, 49}}},
                      SegmentCase{"LongHorizontal", {-Far, 20}, {Far, 20}, std::pair{Pixel{-3, 20}, Pixel{102, 20}}},
                      SegmentCase{"LongDiagonal", {0, 0}, {Far, Far}, std::pair{Pixel{0, 0}, Pixel{52, 52}}},
                      SegmentCase{"BesideTheBox", {-100, -100}, {-100, 100}, std::nullopt},
                      SegmentCase{"PastACorner", {-Far, 0}, {0, -Far}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ClipPolygon, CutsToTheBoxAndKeepsPolygonsInside) {
  const Pixel inside[] = {{0, 0}, {10, 0}, {0, 10}};
  EXPECT_EQ(ClipPolygon(inside, Box).size(), 3u);
  const Pixel huge[] = {{-Far, -Far}, {Far, -Far}, {0, Far}};
  for (const PointF& p : ClipPolygon(huge, Box)) {
    EXPECT_GE(p.x, Box.left);
    EXPECT_LE(p.x, Box.right);
    EXPECT_GE(p.y, Box.top);
    EXPECT_LE(p.y, Box.bottom);
  }
  const Pixel away[] = {{-500, 0}, {-400, 0}, {-450, 30}};
  EXPECT_TRUE(ClipPolygon(away, Box).empty());
}

}  // namespace
}  // namespace trivane
