#include "display_qt/clipping.h"

#include <gtest/gtest.h>

namespace trivane {
namespace {

const ClipBox Box{-3, -3, 102, 52};

TEST(ClipSegment, SegmentsInsideComeBackUnchanged) {
  const auto segment = ClipSegment({0, 0}, {99, 49}, Box);
  ASSERT_TRUE(segment);
  EXPECT_EQ(segment->first, (Pixel{0, 0}));
  EXPECT_EQ(segment->second, (Pixel{99, 49}));
}

TEST(ClipSegment, LongSegmentsAreCutToTheBoxAlongTheirLine) {
  const auto segment = ClipSegment({-(1 << 30), 20}, {1 << 30, 20}, Box);
  ASSERT_TRUE(segment);
  EXPECT_EQ(segment->first, (Pixel{-3, 20}));
  EXPECT_EQ(segment->second, (Pixel{102, 20}));
  const auto diagonal = ClipSegment({0, 0}, {1 << 30, 1 << 30}, Box);
  ASSERT_TRUE(diagonal);
  EXPECT_EQ(diagonal->first, (Pixel{0, 0}));
  EXPECT_EQ(diagonal->second, (Pixel{52, 52}));
}

TEST(ClipSegment, SegmentsMissingTheBoxGiveNothing) {
  EXPECT_FALSE(ClipSegment({-100, -100}, {-100, 100}, Box));
  EXPECT_FALSE(ClipSegment({-(1 << 30), 0}, {0, -(1 << 30)}, Box));
}

TEST(ClipPolygon, CutsToTheBoxAndKeepsPolygonsInside) {
  const Pixel inside[] = {{0, 0}, {10, 0}, {0, 10}};
  EXPECT_EQ(ClipPolygon(inside, Box).size(), 3u);
  const Pixel huge[] = {{-(1 << 30), -(1 << 30)}, {1 << 30, -(1 << 30)}, {0, 1 << 30}};
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
