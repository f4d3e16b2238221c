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
  double rate;
  std::vector<double> sizes;
};

// ||u||^2 + ||e||^2 = 4 in every row, so e_bar = target * sqrt(4 / 4) = target.
const Row Rows[] = {
    // xi = 8, 1.5, 0.4, 0: sizes 1/8, 1/1.5 and 2.5, unclipped; the element
    // with no error takes the coarsest size, 8 times the median 1/1.5.
    {"RatiosKept", {0.8, 0.15, 0.04, 0.0}, 4 - 0.6641, 0.10, 1.0, {0.125, 1 / 1.5, 2.5, 8 / 1.5}},
    // A tiny error asks for 1e5 and is held at 8 times the median 2.5.
    {"TinyErrorBound", {0.8, 0.15, 0.04, 1e-6}, 4 - 0.6641 - 1e-12, 0.10, 1.0, {0.125, 1 / 1.5, 2.5, 20}},
    // Rate 2: h / sqrt(xi).
    {"RateTwo", {0.8, 0.15, 0.04, 0.0}, 4 - 0.6641, 0.10, 2.0,
     {1 / std::sqrt(8.0), 1 / std::sqrt(1.5), std::sqrt(2.5), 8 / std::sqrt(1.5)}},
    // Every element at the permissible error keeps its size.
    {"EvenError", {0.1, 0.1, 0.1, 0.1}, 4 - 0.04, 0.10, 1.0, {1, 1, 1, 1}},
    // No error anywhere: the mesh stays.
    {"NoError", {0, 0, 0, 0}, 4, 0.10, 1.0, {1, 1, 1, 1}},
};

class SizeRule : public ::testing::TestWithParam<Row> {};

TEST_P(SizeRule, SpreadsTheErrorEvenly) {
  const Row& row = GetParam();
  const std::vector<double> sizes =
      IdealElementSizes(FourTriangles(), row.errors, row.solutionNormSquared, row.target, row.rate);
  ASSERT_EQ(sizes.size(), 4u);
  for (std::size_t e = 0; e < 4; ++e) EXPECT_TRUE(Close(sizes[e], row.sizes[e], 1e-14)) << e;
}

INSTANTIATE_TEST_SUITE_P(Rows, SizeRule, ::testing::ValuesIn(Rows),
                         [](const auto& info) { return info.param.name; });

// One factor brings a graded field to a node budget: the prediction lands on
// the budget and every ratio between sizes stays; a field within the budget
// is left alone.
TEST(SizeRule, ScalesAGradedFieldToANodeBudget) {
  const Model model = FourTriangles();
  const std::vector<double> sizes = NodeSizes(model, std::vector<double>{0.01, 0.05, 0.2, 0.4});
  const double wanted = PredictedNodeCount(PredictedElementCount(model, sizes), 1);
  for (const double budget : {wanted / 7, wanted / 2}) {
    const double scale = ScaleToNodeCount(model, sizes, budget);
    std::vector<double> scaled = sizes;
    for (double& h : scaled) h *= scale;
    EXPECT_TRUE(Close(PredictedNodeCount(PredictedElementCount(model, scaled), 1), budget, 1e-12)) << budget;
    for (std::size_t i = 0; i < sizes.size(); ++i) EXPECT_TRUE(Close(scaled[i] / scaled[0], sizes[i] / sizes[0], 1e-14));
  }
  EXPECT_EQ(ScaleToNodeCount(model, sizes, wanted * 1.01), 1.0);
}

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

  // A six-node triangle: the field is linear over its corners, whatever its
  // mid-side nodes hold; they count as two nodes a triangle.
  Model sixNode = testing::MakeModel({{0, 0}, {1, 0}, {0.5, H}, {0.5, 0}, {0.75, H / 2}, {0.25, H / 2}}, {});
  sixNode.elements[++sixNode.elementCount] = Element{{1, 2, 3, 4, 5, 6}, 6};
  sixNode.elementOrder = 2;
  const std::vector<double> sizes{1, 1, 0.5, 0.1, 0.1, 0.1};
  const double count = PredictedElementCount(sixNode, sizes);
  EXPECT_TRUE(Close(count, 2.0, 1e-14));
  EXPECT_TRUE(Close(PredictedNodeCount(count, 2), 4.0, 1e-14));
  // Four nodes brought to one: sizes twice as large.
  EXPECT_TRUE(Close(ScaleToNodeCount(sixNode, sizes, 1.0), 2.0, 1e-14));
}

}  // namespace
}  // namespace trivane
