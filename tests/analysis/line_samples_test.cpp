// A field along a line through two triangles, against values worked by hand.
#include "analysis/recovery/line_samples.h"

#include <gtest/gtest.h>

#include <vector>

#include "fixtures.h"

namespace trivane {
namespace {

// The square (0,0)-(2,2) cut along its diagonal: element 1 (nodes 1, 2, 3)
// below it, element 2 (nodes 1, 3, 4) above. Element values 10 and 20; corner
// values 1, 2, 3 on element 1 and 1, 3, 5 on element 2 (node 3 differs by
// side, as at a region interface).
TEST(LineSamples, AcrossTwoTrianglesAndOutOfTheMesh) {
  const Model m = testing::MakeModel({{0, 0}, {2, 0}, {2, 2}, {0, 2}}, {{1, 2, 3}, {1, 3, 4}});
  const std::vector<double> elementValues{10, 20};
  const std::vector<double> cornerValues{1, 2, 3, 1, 3, 5};
  const LineProfile p = SampleAlongLine(m, elementValues, cornerValues, {0, 1}, {3, 1}, 7);

  EXPECT_DOUBLE_EQ(p.length, 3.0);
  struct Expected {
    double s;
    int32_t element;
    double elementValue, averaged;
  };
  // (1, 1) lies on the shared side and goes to the element drawn on top.
  const Expected expected[] = {{0, 2, 20, 3},    {0.5, 2, 20, 2.5}, {1, 2, 20, 2}, {1.5, 1, 10, 2.25},
                               {2, 1, 10, 2.5}, {2.5, 0, 0, 0},    {3, 0, 0, 0}};
  ASSERT_EQ(p.samples.size(), 7u);
  for (std::size_t k = 0; k < 7; ++k) {
    const LineSample& s = p.samples[k];
    EXPECT_DOUBLE_EQ(s.s, expected[k].s) << k;
    EXPECT_DOUBLE_EQ(s.x, expected[k].s) << k;
    EXPECT_EQ(s.y, 1.0) << k;
    EXPECT_EQ(s.element, expected[k].element) << k;
    if (s.element == 0) continue;
    EXPECT_EQ(s.elementValue, expected[k].elementValue) << k;
    EXPECT_NEAR(s.averagedValue, expected[k].averaged, 1e-14) << k;
  }

  // The graph's stretches: element 2 from 0 to 1, element 1 from 1 to 2, none after.
  ASSERT_EQ(p.pieces.size(), 2u);
  EXPECT_EQ(p.pieces[0].element, 2);
  EXPECT_NEAR(p.pieces[0].from, 0, 1e-14);
  EXPECT_NEAR(p.pieces[0].to, 1, 1e-12);
  EXPECT_NEAR(p.pieces[0].averagedFrom, 3, 1e-12);
  EXPECT_NEAR(p.pieces[0].averagedTo, 2, 1e-12);
  EXPECT_EQ(p.pieces[1].element, 1);
  EXPECT_NEAR(p.pieces[1].from, 1, 1e-12);
  EXPECT_NEAR(p.pieces[1].to, 2, 1e-12);
  EXPECT_NEAR(p.pieces[1].averagedFrom, 2, 1e-12);
  EXPECT_NEAR(p.pieces[1].averagedTo, 2.5, 1e-12);
}

// Two squares on a bottom side at y = 0.1 + 0.2, a hair above 0.3, each cut
// from its lower left to its upper right corner: elements 1 and 3 lie along
// the bottom, 2 and 4 meet it at one corner each. A line typed along the
// side at y = 0.3 runs in elements 1 and 3 only, however its ends fall on
// the corners and whichever way it runs.
TEST(LineSamples, AlongTheOuterSideInTheElementsAlongItOnly) {
  const double y0 = 0.1 + 0.2;
  const Model m = testing::MakeModel({{0, y0}, {1, y0}, {2, y0}, {0, y0 + 1}, {1, y0 + 1}, {2, y0 + 1}},
                                     {{1, 2, 5}, {1, 5, 4}, {2, 3, 6}, {2, 6, 5}});
  const std::vector<double> elementValues{10, 20, 30, 40};
  const std::vector<double> cornerValues(12, 1.0);
  struct Row {
    LinePoint from, to;
    std::vector<int32_t> elements;  // of the pieces, in order along the line
  };
  const Row rows[] = {
      {{0, 0.3}, {2, 0.3}, {1, 3}},
      {{2, 0.3}, {0, 0.3}, {3, 1}},
      {{-1, 0.3}, {1, 0.3}, {1}},
      {{0.5, 0.3}, {3, 0.3}, {1, 3}},
  };
  for (const Row& r : rows) {
    const LineProfile p = SampleAlongLine(m, elementValues, cornerValues, r.from, r.to, 5);
    std::vector<int32_t> elements;
    for (const LinePiece& piece : p.pieces) elements.push_back(piece.element);
    EXPECT_EQ(elements, r.elements) << r.from.x << " to " << r.to.x;
    for (const LineSample& sample : p.samples)
      if (sample.x >= 0 && sample.x <= 2) {
        EXPECT_NE(sample.element, 0) << sample.x;
      }
  }
}

}  // namespace
}  // namespace trivane
