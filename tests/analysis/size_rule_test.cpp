// The sizes of the next adaptive mesh, on a strip of four equilateral
// triangles of side 1 (size h = 1), against sizes worked by hand.
#include "analysis/adaptivity/size_rule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fixtures.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::Close;

const double H = std::sqrt(3.0) / 2.0;

// Nodes 1, 2, 5 on y = 0, nodes 3, 4 on y = H; element 1 alone touches node 1.
Model Strip() {
  return testing::MakeModel({{0, 0}, {1, 0}, {0.5, H}, {1.5, H}, {2, 0}}, {{1, 2, 3}, {2, 4, 3}, {2, 5, 4}});
}
Model FourTriangles() {
  return testing::MakeModel({{0, 0}, {1, 0}, {0.5, H}, {1.5, H}, {2, 0}, {2.5, H}},
                            {{1, 2, 3}, {2, 4, 3}, {2, 5, 4}, {5, 6, 4}});
}

struct Row {
  const char* name;
  std::vector<double> errors;
  double solutionNormSquared;
  double target;
  std::vector<double> sizes;
};

// ||u||^2 + ||e||^2 = 4 in every row, so e_bar = target * sqrt(4 / 4) = target.
const Row Rows[] = {
    // xi = 8, 1.5, 0.4, 0: eight times too large is held at four times finer;
    // 0.4 asks for 2.5 and is held at twice as coarse, as is an element with no error.
    {"BothBounds", {0.8, 0.15, 0.04, 0.0}, 4 - 0.6641, 0.10, {0.25, 1 / 1.5, 2, 2}},
    // A looser target: xi = 4 lands on the bound exactly, 0.75 coarsens by a third.
    {"LooserTarget", {0.8, 0.15, 0.04, 0.0}, 4 - 0.6641, 0.20, {0.25, 1 / 0.75, 2, 2}},
    // Every element at the permissible error keeps its size.
    {"EvenError", {0.1, 0.1, 0.1, 0.1}, 4 - 0.04, 0.10, {1, 1, 1, 1}},
};

class SizeRule : public ::testing::TestWithParam<Row> {};

TEST_P(SizeRule, SpreadsTheErrorEvenlyWithinTheBounds) {
  const Model model = FourTriangles();
  const std::vector<double> sizes =
      NewElementSizes(model, GetParam().errors, GetParam().solutionNormSquared, GetParam().target);
  ASSERT_EQ(sizes.size(), 4u);
  for (std::size_t e = 0; e < 4; ++e) EXPECT_TRUE(Close(sizes[e], GetParam().sizes[e], 1e-14)) << e;
}

INSTANTIATE_TEST_SUITE_P(Rows, SizeRule, ::testing::ValuesIn(Rows),
                         [](const auto& info) { return info.param.name; });

TEST(SizeRule, SizeIsTheSideOfTheEquilateralTriangleOfTheSameArea) {
  EXPECT_TRUE(Close(ElementSize(Strip(), 2), 1.0, 1e-15));
  // A 3-4-5 right triangle, area 6, in clockwise order.
  const Model right = testing::MakeModel({{0, 0}, {0, 4}, {3, 0}}, {{1, 2, 3}});
  EXPECT_TRUE(Close(ElementSize(right, 1), std::sqrt(24.0 / std::sqrt(3.0)), 1e-15));
}

// A node takes the finest size around it; a mesh of triangles of size h
// following size h / 2 everywhere has four times as many.
TEST(SizeRule, NodeSizesAndThePredictedCount) {
  const Model model = Strip();
  EXPECT_EQ(NodeSizes(model, std::vector<double>{0.5, 2.0, 1.0}), (std::vector<double>{0.5, 0.5, 0.5, 1.0, 1.0}));
  EXPECT_TRUE(Close(PredictedElementCount(model, std::vector<double>(5, 0.5)), 12.0, 1e-14));
  // Sizes 1, 1, 0.5 at element 1's corners: 1/h^2 averages to 2 there.
  EXPECT_TRUE(Close(PredictedElementCount(model, std::vector<double>{1, 1, 0.5, 1, 1}), 2 + 2 + 1, 1e-14));
}

}  // namespace
}  // namespace trivane
