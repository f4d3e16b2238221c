// Stress recovery and the compute command: principal stresses, the patch test,
// refusals with their reasons and models free to move.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "analysis/compute.h"
#include "analysis/elements/material.h"
#include "analysis/recovery/stress.h"
#include "analysis/solvers/system.h"
#include "fixtures.h"
#include "meshes.h"
#include "model/errors.h"
#include "reference_solver.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::Close;

std::string FailureOf(const Model& m) {
  try {
    Compute(m);
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

struct PrincipalCase {
  double sx, sy, txy, s1, s2, tmax;
};

class PrincipalStresses : public ::testing::TestWithParam<PrincipalCase> {};

// A stress matrix that is the identity on its first three columns, so the
// first displacements are the stresses themselves.
TEST_P(PrincipalStresses, FromTheThreeComponents) {
  const PrincipalCase& c = GetParam();
  const double identity[3][6] = {{1, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0}, {0, 0, 1, 0, 0, 0}};
  const double* const rows[3] = {identity[0], identity[1], identity[2]};
  const double d[6] = {c.sx, c.sy, c.txy, 0, 0, 0};
  const PointStresses s = PointStress(rows, d);
  const double expected[6] = {c.sx, c.sy, c.txy, c.s1, c.s2, c.tmax};
  for (int k = 0; k < 6; ++k) EXPECT_TRUE(Close(s.values[k], expected[k])) << k;
}

INSTANTIATE_TEST_SUITE_P(Cases, PrincipalStresses,
                         ::testing::Values(PrincipalCase{100, 0, 0, 100, 0, 50}, PrincipalCase{0, 100, 0, 100, 0, 50},
                                           PrincipalCase{0, 0, -30, 30, -30, 30}, PrincipalCase{0, 0, 0, 0, 0, 0},
                                           PrincipalCase{-20, 40, 40, 60, -40, 50}));

TEST(StressRecovery, OverflowIsReported) {
  const Model m = testing::UnitTriangle();
  const StressMatrices ones{1, 6, std::vector<double>(18, 1.0)};
  const std::vector<double> displacements = {1.5e308, 1.5e308, 0, 0, 0, 0};
  EXPECT_THROW(RecoverStresses(m, ones, displacements), Error);
}

// A uniform stretch of an irregular mesh, loaded through its supports' edge:
// every element has the same stress, exact to rounding.
TEST(PatchTest, ConstantStressOnAnIrregularMesh) {
  // Unit square, interior nodes off the grid; x = 0 fixed in x, node 1 fixed
  // both ways, the edge x = 1 pulled with a total of 1 in x.
  const Model m = testing::MakeModel({{0, 0, FixedXY},
                                      {1, 0, 0, 0.25, 0.0},
                                      {1, 1, 0, 0.25, 0.0},
                                      {0, 1, FixedX},
                                      {0.3, 0.2},
                                      {0.7, 0.35},
                                      {0.45, 0.8},
                                      {1, 0.5, 0, 0.5, 0.0},
                                      {0, 0.5, FixedX}},
                                     {{1, 2, 5}, {2, 6, 5}, {2, 8, 6}, {8, 3, 6}, {3, 7, 6}, {3, 4, 7},
                                      {4, 9, 7}, {9, 5, 7}, {9, 1, 5}, {5, 6, 7}},
                                     {0.3, 1000.0, 1.0});
  auto t = std::make_unique<const Solution>(Compute(m));
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    EXPECT_TRUE(Close(StressValue(*t, e, SigmaX), 1.0, 1e-12)) << e;
    EXPECT_TRUE(Close(StressValue(*t, e, SigmaY), 0.0, 1e-12)) << e;
    EXPECT_TRUE(Close(StressValue(*t, e, TauXY), 0.0, 1e-12)) << e;
    EXPECT_TRUE(Close(StressValue(*t, e, TauMax), 0.5, 1e-12)) << e;
  }
  EXPECT_TRUE(Close(DisplacementU(*t, 2), 1.0 / 1000.0, 1e-12));
  EXPECT_TRUE(Close(DisplacementV(*t, 4), -0.3 / 1000.0, 1e-12));
}

TEST(ComputeCommand, ClockwiseElementsGiveTheSameStresses) {
  Model ccw = examples::CantileverPlate(6, 3);
  Model cw = ccw;
  for (int32_t e = 1; e <= cw.elementCount; ++e) std::swap(cw.elements[e].node[1], cw.elements[e].node[2]);
  const auto a = std::make_unique<const Solution>(Compute(ccw));
  const auto b = std::make_unique<const Solution>(Compute(cw));
  for (int32_t e = 1; e <= ccw.elementCount; ++e)
    for (int32_t k = 1; k <= StressComponentCount; ++k)
      EXPECT_TRUE(Close(StressValue(*b, e, k), StressValue(*a, e, k), 1e-9)) << e << "," << k;
  EXPECT_LT(StressValue(*a, 1, SigmaX), 0.0);  // the bottom fibre at the clamp is in compression
}

// The solver on an assembled, restrained stiffness equals the plain loops.
TEST(ComputeCommand, AssembledSystemSolvesBitForBit) {
  const Model m = examples::PlateWithHole(8, 6);
  auto t = testing::Build(m);
  const PivotGuard guard = t->guard;
  testing::DenseSystem s{2 * m.nodeCount, {}, {}};
  for (int32_t r = 1; r <= s.n; ++r) {
    s.matrix.insert(s.matrix.end(), t->stiffness.Row(r), t->stiffness.Row(r) + s.n);
    s.rhs.push_back(t->loads(r));
  }
  Solve(t->stiffness, s.n, t->loads, guard);
  ASSERT_TRUE(testing::ReferenceSolve(s, guard.minimumPivot));
  for (int32_t r = 1; r <= s.n; ++r) {
    EXPECT_EQ(std::memcmp(t->stiffness.Row(r), &s.K(r, 1), sizeof(double) * static_cast<std::size_t>(s.n)), 0) << r;
    const double f = t->loads(r);
    EXPECT_EQ(std::memcmp(&f, &s.F(r), sizeof f), 0) << r;
  }
}

// A failed compute says why; it returns no solution, so the last one stays
// wherever it is held.
class FailedCompute : public ::testing::TestWithParam<std::pair<const char*, Model (*)()>> {};

TEST_P(FailedCompute, SaysWhy) { EXPECT_EQ(FailureOf(GetParam().second()), GetParam().first); }

// Above 500 nodes the sparse path takes the model; nodes that no element
// holds leave it free to move.
Model LooseNodesAbove500() {
  Model m = examples::CantileverPlate(5, 3);
  m.nodeCount = 501;
  return m;
}
Model MissingCorner() {
  Model m = examples::CantileverPlate(5, 3);
  m.elements[4].node[1] = 16;
  return m;
}
Model ZeroCorner() {
  Model m = examples::CantileverPlate(5, 3);
  m.elements[2].node[2] = 0;
  return m;
}
Model Unrestrained() {
  Model m = examples::CantileverPlate(5, 3);
  for (int32_t i = 1; i <= m.nodeCount; ++i) m.nodes[i].restraint = 0;
  return m;
}
Model Mechanism() {
  // Fixed in x only: free to slide in y.
  Model m = examples::CantileverPlate(5, 3);
  for (int32_t i = 1; i <= m.nodeCount; ++i)
    if (m.nodes[i].restraint == FixedXY) m.nodes[i].restraint = FixedX;
  return m;
}
Model PoissonOne() {
  Model m = examples::CantileverPlate(5, 3);
  m.material.mu = 1.0;
  return m;
}
Model SixNodeFolded() {
  // The middle node of element 1's side (0, 0)-(5, 1), at (2.5, 0.5), moved
  // to (4, 0.5), near the opposite side: the element folds over.
  Model m = examples::CantileverPlate(5, 3, 2);
  m.nodes[7].x = 4.0;
  return m;
}
Model StressOverflow() {
  Model m = examples::CantileverPlate(5, 3);
  m.material.E = 1e-300;
  for (int32_t i = 1; i <= m.nodeCount; ++i) m.nodes[i].load *= 1e300;
  return m;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedCompute,
    ::testing::Values(std::pair{"Singular matrix.\n结点 16 不属于任何单元，又未在两个方向上固定", &LooseNodesAbove500},
                      std::pair{"单元 4 的结点号 16 不存在", &MissingCorner},
                      std::pair{"单元 2 的结点号 0 不存在", &ZeroCorner},
                      std::pair{"Singular matrix.\n结点 1 所在的部分没有任何约束", &Unrestrained},
                      std::pair{"Singular matrix.\n结点 1 所在的部分在 y 方向没有约束", &Mechanism},
                      std::pair{messages::DivisionByZero, &PoissonOne},
                      std::pair{"单元 1 的形状翻折（边的中间结点偏离太远），无法计算", &SixNodeFolded},
                      std::pair{messages::Overflow, &StressOverflow}));

// The other side of the pivot floor: slender but properly supported models.
TEST(ComputeCommand, SlenderCantileverIsNotSingular) {
  Model m = examples::CantileverPlate(200, 2);  // 200:1
  auto t = std::make_unique<const Solution>(Compute(m));
  EXPECT_LT(DisplacementV(*t, m.nodeCount), 0.0);
}

// The cantilever (10 x 1, E = 2e10, mu = 0.167, 1000 down at its end) on the
// same 31 x 7 nodes: beam theory with shear gives 2.01400e-4 at the end of the
// middle line; 3-node triangles read 15 % short, 6-node triangles 0.14 % (the
// plane-stress body, clamped at its end, is 0.07 % stiffer than the beam).
TEST(ComputeCommand, SixNodeCantileverMeetsBeamTheory) {
  const double beam = 1000.0 * 1000.0 / (3.0 * 2e10 / 12.0) + 1000.0 * 10.0 / (5.0 / 6.0 * 2e10 / 2.334);
  const std::pair<int32_t, double> rows[] = {{1, -0.1495}, {2, -0.0014}};
  for (const auto& [order, off] : rows) {
    const Model m = examples::CantileverPlate(31, 7, order);
    const Solution s = Compute(m);
    EXPECT_NEAR(-DisplacementV(s, 3 * 31 + 31) / beam - 1.0, off, 0.0001) << order;
  }
  // Listed clockwise, the six-node elements are the same elements, not folded ones.
  Model clockwise = examples::CantileverPlate(31, 7, 2);
  for (int32_t e = 1; e <= clockwise.elementCount; ++e) {
    std::swap(clockwise.elements[e].node[1], clockwise.elements[e].node[2]);
    std::swap(clockwise.elements[e].node[3], clockwise.elements[e].node[5]);
  }
  const double tip = DisplacementV(Compute(examples::CantileverPlate(31, 7, 2)), 3 * 31 + 31);
  EXPECT_TRUE(Close(DisplacementV(Compute(clockwise), 3 * 31 + 31), tip, 1e-12));
}

TEST(ComputeCommand, NoElementsStillSolves) {
  Model m = testing::MakeModel({{0, 0, FixedXY}}, {});
  const Solution s = Compute(m);
  EXPECT_EQ(s.displacements, (std::vector<double>{0.0, 0.0}));
  for (const auto& component : s.stresses) EXPECT_TRUE(component.empty());
}

TEST(PlaneStrain, ConvertsLikeTheDialog) {
  const Material m = ElementConstants({PlaneStrain, 2e10, 0.167, 1.0});
  EXPECT_EQ(m.E, 2e10 / (1.0 - 0.167 * 0.167));
  EXPECT_EQ(m.mu, 0.167 / (1.0 - 0.167));
  EXPECT_EQ(m.t, 1.0);
  EXPECT_THROW(ElementConstants({PlaneStrain, 2e10, -1.0, 1.0}), Error);
}

}  // namespace
}  // namespace trivane
