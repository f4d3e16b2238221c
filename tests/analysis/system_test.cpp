// Loads, restraints and the worked example of the restrained system.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "analysis/solvers/system.h"
#include "fixtures.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::Close;

struct LoadCase {
  double angle;
  double fx;
  double fy;
};

class NodeLoads : public ::testing::TestWithParam<LoadCase> {};

// A load along an axis reaches the system as it was typed, with no residue
// of the angle's rounding in the other direction.
TEST_P(NodeLoads, Components) {
  const LoadCase& c = GetParam();
  const Model m = testing::MakeModel({{0, 0, 0, 10.0, c.angle}}, {});
  auto t = testing::Build(m);
  EXPECT_EQ(t->loads(1), c.fx);
  EXPECT_EQ(t->loads(2), c.fy);
}

INSTANTIATE_TEST_SUITE_P(Angles, NodeLoads,
                         ::testing::Values(LoadCase{0.0, 10.0, 0.0}, LoadCase{90.0, 0.0, 10.0},
                                           LoadCase{180.0, -10.0, 0.0}, LoadCase{-90.0, 0.0, -10.0},
                                           LoadCase{270.0, 0.0, -10.0}));

TEST(Restraints, WorkedExample) {
  const Model m = testing::MakeModel(
      {{0, 0, FixedXY}, {1, 0, FixedY}, {0, 1, FixedX, 1.0, 90.0}}, {{1, 2, 3}});
  auto t = testing::Build(m);
  const PivotGuard guard = t->guard;
  for (int32_t d : {1, 2, 4, 5})
    for (int32_t j = 1; j <= 6; ++j) {
      EXPECT_EQ(t->stiffness(d, j), d == j ? 1.0 : 0.0);
      EXPECT_EQ(t->stiffness(j, d), d == j ? 1.0 : 0.0);
    }
  EXPECT_TRUE(Close(t->stiffness(3, 3), 8.0 / 15));
  EXPECT_TRUE(Close(t->stiffness(3, 6), 2.0 / 15));
  EXPECT_TRUE(Close(t->stiffness(6, 3), 2.0 / 15));
  EXPECT_TRUE(Close(t->stiffness(6, 6), 8.0 / 15));
  const double F[6] = {0, 0, 0, 0, 0, 1};
  for (int32_t d = 1; d <= 6; ++d) EXPECT_EQ(t->loads(d), F[d - 1]) << d;
  // Guard: the largest assembled diagonal is 11/15; dofs 1, 2, 4, 5 restrained.
  EXPECT_TRUE(Close(guard.minimumPivot, 1e-12 * 11.0 / 15, 1e-15));
  EXPECT_TRUE(guard.restrained[1] && guard.restrained[2] && guard.restrained[4] && guard.restrained[5]);
  EXPECT_FALSE(guard.restrained[3] || guard.restrained[6]);

  Solve(t->stiffness, 6, t->loads, guard);
  const double u[6] = {0, 0, -0.5, 0, 0, 2};
  for (int32_t d = 1; d <= 6; ++d) EXPECT_TRUE(Close(t->loads(d), u[d - 1])) << d;
}

TEST(Restraints, KindsAndLoadsAlongThem) {
  // Node 1 fixed both ways with a load; node 2 fixed in y loaded at 0 and 90
  // degrees; an unknown kind counts as free.
  const Model m = testing::MakeModel({{0, 0, FixedXY, 5.0, 30.0}, {1, 0, FixedY, 3.0, 0.0}, {0, 1, 5, 1.0, 0.0}},
                                     {{1, 2, 3}});
  auto t = testing::Build(m);
  EXPECT_EQ(t->loads(1), 0.0);
  EXPECT_EQ(t->loads(2), 0.0);
  EXPECT_EQ(t->loads(3), 3.0);
  EXPECT_EQ(t->loads(4), 0.0);
  EXPECT_EQ(t->loads(5), 1.0);
  EXPECT_TRUE(Close(t->stiffness(6, 3), 2.0 / 15));  // kind 5 left node 3 free

  const Model up = testing::MakeModel({{0, 0}, {1, 0, FixedY, 3.0, 90.0}}, {});
  t = testing::Build(up);
  EXPECT_EQ(t->loads(4), 0.0);
  EXPECT_LT(std::fabs(t->loads(3)), 1e-15);
}

TEST(Restraints, EmptyModelLeavesTheTablesAlone) {
  auto t = std::make_unique<testing::DenseBuild>();
  t->stiffness(1, 1) = 4.0;
  t->loads(1) = 5.0;
  BuildSystem(Model{}, SystemInputOf(Model{}), t->stiffness, t->loads, t->stresses);
  EXPECT_EQ(t->stiffness(1, 1), 4.0);
  EXPECT_EQ(t->loads(1), 5.0);
}

}  // namespace
}  // namespace trivane
