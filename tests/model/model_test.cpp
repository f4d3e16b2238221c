#include <gtest/gtest.h>

#include "model/model.h"

namespace trivane {
namespace {

Model TwoNodeModel() {
  Model m;
  m.nodeCount = 2;
  m.nodes[1] = {3.0, -1.0, 3, 2, 1000.0, 270.0};
  m.nodes[2] = {-4.0, 5.0, 0, 0, 0.0, 0.0};
  m.elementCount = 1;
  m.elements[1] = {1, 2, 2};
  return m;
}

TEST(Bounds, CoverNodesWithinCountOnly) {
  Model m = TwoNodeModel();
  m.nodes[3] = {100.0, 100.0};  // beyond the count: not part of the model
  UpdateBounds(m);
  EXPECT_EQ(m.bounds, (ModelBounds{5.0, -1.0, 3.0, -4.0}));
}

TEST(Bounds, EmptyModelTakesNodeOneAsItStands) {
  Model m = TwoNodeModel();
  m.nodeCount = 0;
  UpdateBounds(m);
  EXPECT_EQ(m.bounds, (ModelBounds{-1.0, -1.0, 3.0, 3.0}));
}

TEST(NewModel, ClearsWithinOldCountsAndKeepsTheRest) {
  Model m = TwoNodeModel();
  m.nodes[3] = {7.0, 8.0};
  m.elements[2] = {4, 5, 6};
  m.bounds = {1, 2, 3, 4};
  m.material = {0.3, 1.0, 2.0};
  ClearModelTables(m);
  EXPECT_EQ(m.nodeCount, 0);
  EXPECT_EQ(m.elementCount, 0);
  EXPECT_EQ(m.nodes[1], Node{});
  EXPECT_EQ(m.nodes[2], Node{});
  EXPECT_EQ(m.elements[1], Element{});
  EXPECT_EQ(m.nodes[3], (Node{7.0, 8.0}));
  EXPECT_EQ(m.elements[2], (Element{4, 5, 6}));
  EXPECT_EQ(m.bounds, (ModelBounds{1, 2, 3, 4}));
  EXPECT_EQ(m.material, (Material{0.3, 1.0, 2.0}));
}

}  // namespace
}  // namespace trivane

namespace trivane {
namespace {

// A table reads as full-size but stores only up to the highest entry written.
TEST(Table, StoresOnlyWhatWasWrittenAndRefusesWritesOutsideItsNumbers) {
  Table<Node, MaxNodes> nodes;
  const auto& read = nodes;
  EXPECT_EQ(read[MaxNodes], Node{});
  EXPECT_EQ(read[-1], Node{});
  EXPECT_EQ(nodes.Stored(), 0u);
  nodes[10].x = 5.0;
  EXPECT_EQ(nodes.Stored(), 11u);
  EXPECT_EQ(read[10].x, 5.0);
  EXPECT_EQ(read[11], Node{});
  EXPECT_THROW(nodes[MaxNodes + 1], std::out_of_range);
  EXPECT_THROW(nodes[-1], std::out_of_range);
  EXPECT_EQ(nodes.Stored(), 11u);
}

}  // namespace
}  // namespace trivane
