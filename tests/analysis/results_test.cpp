// Reactions, the equilibrium check and von Mises: a statically determinate
// triangle worked by hand, equilibrium of the examples on both solver paths,
// and the equivalent stress in both problem types.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "analysis/compute.h"
#include "analysis/elements/material.h"
#include "model/condition_edits.h"
#include "analysis/recovery/results.h"
#include "fixtures.h"
#include "meshes.h"
#include "model/errors.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::Close;

struct HandCase {
  const char* name;
  SolverChoice solver;
  double loadOnSupport;  // upwards on node 2, which is held in y
  double pushOnSupport;  // in -x on node 1, which is held both ways
};

class HandWorkedReactions : public ::testing::TestWithParam<HandCase> {};

// The unit right triangle held at node 1 both ways and at node 2 in y, pulled
// at node 3 = (0, 1) by 1 in x, with q up on node 2 and p in -x on node 1. The
// supports are statically determinate: sum Fx: R1x = p - 1; moments about
// node 1: R2y = 1 - q; sum Fy: R1y = -1, whatever the stiffness.
TEST_P(HandWorkedReactions, MatchStatics) {
  const double q = GetParam().loadOnSupport;
  const double p = GetParam().pushOnSupport;
  const Model m = testing::MakeModel({{0, 0, FixedXY, p, 180.0}, {1, 0, FixedY, q, 90.0}, {0, 1, Free, 1.0, 0.0}},
                                     {{1, 2, 3}});
  const auto t = std::make_unique<const Solution>(Compute(m, GetParam().solver));
  const NodeReaction r1 = ReactionAt(*t, 1);
  const NodeReaction r2 = ReactionAt(*t, 2);
  ASSERT_TRUE(r1.rx && r1.ry && r2.ry);
  EXPECT_FALSE(r2.rx.has_value());  // kind 1 holds y only
  EXPECT_FALSE(HasReaction(*t, 3));
  EXPECT_TRUE(Close(*r1.rx, p - 1.0));
  EXPECT_TRUE(Close(*r1.ry, -1.0));
  EXPECT_TRUE(Close(*r2.ry, 1.0 - q));
  const Equilibrium& sums = t->equilibrium;
  EXPECT_TRUE(Close(sums.sumRx, p - 1.0));
  EXPECT_TRUE(Close(sums.sumRy, -q));
  EXPECT_TRUE(Close(sums.sumFx, 1.0 - p));
  EXPECT_TRUE(Close(sums.sumFy, q));
}

INSTANTIATE_TEST_SUITE_P(Cases, HandWorkedReactions,
                         ::testing::Values(HandCase{"GaussJordan", SolverChoice::GaussJordan, 0.0, 0.0},
                                           HandCase{"Cholesky", SolverChoice::Cholesky, 0.0, 0.0},
                                           HandCase{"GaussJordanLoadsOnSupports", SolverChoice::GaussJordan, 0.5, 3.0},
                                           HandCase{"CholeskyLoadsOnSupports", SolverChoice::Cholesky, 0.5, 3.0}),
                         [](const auto& info) { return std::string(info.param.name); });

// A node held in x only (kind 2) has Rx and no Ry.
TEST(Reactions, KindTwoHoldsXOnly) {
  const Model m = testing::MakeModel({{0, 0, FixedXY}, {0, 1, FixedX}, {1, 0, Free, 1.0, 45.0}}, {{1, 3, 2}});
  auto t = std::make_unique<const Solution>(Compute(m));
  const NodeReaction r2 = ReactionAt(*t, 2);
  EXPECT_TRUE(r2.rx.has_value());
  EXPECT_FALSE(r2.ry.has_value());
}

struct ExampleCase {
  const char* name;
  Model (*make)();
};

class EquilibriumCheck : public ::testing::TestWithParam<ExampleCase> {};

// Reactions balance the loads on both solver paths, and the two paths agree.
TEST_P(EquilibriumCheck, HoldsOnBothSolverPaths) {
  const Model m = GetParam().make();
  const auto dense = std::make_unique<const Solution>(Compute(m, SolverChoice::GaussJordan));
  const auto sparse = std::make_unique<const Solution>(Compute(m, SolverChoice::Cholesky));
  for (const Solution* t : {dense.get(), sparse.get()}) {
    const auto& s = t->equilibrium;
    const double scale = std::fabs(s.sumFx) + std::fabs(s.sumFy);
    ASSERT_GT(scale, 0.0);
    EXPECT_LE(std::fabs(s.sumRx + s.sumFx), 1e-9 * scale);
    EXPECT_LE(std::fabs(s.sumRy + s.sumFy), 1e-9 * scale);
  }
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    const NodeReaction a = ReactionAt(*dense, i);
    const NodeReaction b = ReactionAt(*sparse, i);
    ASSERT_EQ(a.rx.has_value(), b.rx.has_value()) << i;
    ASSERT_EQ(a.ry.has_value(), b.ry.has_value()) << i;
    if (a.rx) {
      EXPECT_TRUE(Close(*a.rx, *b.rx, 1e-7)) << i;
    }
    if (a.ry) {
      EXPECT_TRUE(Close(*a.ry, *b.ry, 1e-7)) << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Examples, EquilibriumCheck,
                         ::testing::Values(ExampleCase{"Cantilever", [] { return examples::CantileverPlate(12, 4); }},
                                           ExampleCase{"PlateWithHole", [] { return examples::PlateWithHole(10, 6); }},
                                           ExampleCase{"CookMembrane", [] { return examples::CookMembrane(8); }}),
                         [](const auto& info) { return std::string(info.param.name); });

struct MisesCase {
  const char* name;
  double sx, sy, s1, s2;
  ProblemType problem;
  double mu;
  double expected;
  double eAlphaDt = 0.0;  // E alpha dT of a held temperature strain
};

class VonMisesStress : public ::testing::TestWithParam<MisesCase> {};

TEST_P(VonMisesStress, FromTheRecoveredComponents) {
  const MisesCase& c = GetParam();
  const AnalysisMaterial material{{}, c.mu, 0.0, 1.0, c.eAlphaDt, 1.0};
  EXPECT_TRUE(Close(VonMises(c.sx, c.sy, c.s1, c.s2, c.problem, material), c.expected, 1e-14));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VonMisesStress,
    ::testing::Values(MisesCase{"StressUniaxial", 100, 0, 100, 0, PlaneStress, 0.3, 100},
                      MisesCase{"StressEquibiaxial", 100, 100, 100, 100, PlaneStress, 0.3, 100},
                      MisesCase{"StressPureShear", 0, 0, 30, -30, PlaneStress, 0.3, 30 * std::sqrt(3.0)},
                      // sz = 30: ((100)^2 + (0 - 30)^2 + (30 - 100)^2) / 2 = 7900
                      MisesCase{"StrainUniaxial", 100, 0, 100, 0, PlaneStrain, 0.3, std::sqrt(7900.0)},
                      // sz = 50: (0 + 50^2 + 50^2) / 2 = 2500
                      MisesCase{"StrainEquibiaxial", 100, 100, 100, 100, PlaneStrain, 0.25, 50},
                      MisesCase{"StrainPureShear", 0, 0, 30, -30, PlaneStrain, 0.3, 30 * std::sqrt(3.0)},
                      // held hot: sz = 0.25 (-200) - 150 = -200, so (0 + 100^2 + 100^2) / 2
                      MisesCase{"StrainHeldHot", -100, -100, -100, -100, PlaneStrain, 0.25, 100, 150},
                      MisesCase{"StressHeldHot", -100, -100, -100, -100, PlaneStress, 0.25, 100, 150}),
    [](const auto& info) { return std::string(info.param.name); });

// The compute takes sz from the Poisson's ratio the user entered, not from the
// converted one the element formulas use.
TEST(VonMisesStress, PlaneStrainComputeUsesTheEnteredRatio) {
  Model m = examples::CantileverPlate(6, 3);
  SetMaterial(m, {PlaneStrain, 2e10, 0.3, 1.0});
  auto t = std::make_unique<const Solution>(Compute(m));
  ASSERT_EQ(t->mises.size(), static_cast<std::size_t>(m.elementCount));
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    const auto v = [&](int32_t k) { return StressValue(*t, e, k); };
    EXPECT_EQ(MisesValue(*t, e), VonMises(v(SigmaX), v(SigmaY), v(Sigma1), v(Sigma2), PlaneStrain, AnalysisMaterial{{}, 0.3}))
        << e;
  }
  EXPECT_EQ(t->material.mu, 0.3);
}

// A failed compute gives no solution: the one held stays the last one's,
// reactions and von Mises included.
TEST(Reactions, AFailedComputeLeavesTheLastSolution) {
  const Model good = examples::CantileverPlate(5, 3);
  Solution t = Compute(good);
  const std::vector<double> reactions = t.reactions.values;
  const std::vector<double> mises = t.mises;
  Model loose = good;
  for (int32_t i = 1; i <= loose.nodeCount; ++i) loose.nodes[i].restraint = Free;
  EXPECT_THROW(t = Compute(loose), Error);
  EXPECT_EQ(t.reactions.values, reactions);
  EXPECT_EQ(t.mises, mises);
}

}  // namespace
}  // namespace trivane
