// The element routine and the assembled stiffness.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "analysis/elements/constant_strain_triangle.h"
#include "analysis/solvers/system.h"
#include "fixtures.h"
#include "meshes.h"
#include "model/errors.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::Close;

// The stiffness before restraints, and the stress matrices.
std::unique_ptr<testing::DenseBuild> Assembled(Model model) {
  for (int32_t i = 1; i <= model.nodeCount; ++i) model.nodes[i].restraint = Free;
  return testing::Build(model);
}

TEST(ElementWorkedExample, StressMatrixAndStiffness) {
  const auto t = Assembled(testing::UnitTriangle());
  const double S[3][6] = {{-16.0 / 15, -4.0 / 15, 16.0 / 15, 0, 0, 4.0 / 15},
                          {-4.0 / 15, -16.0 / 15, 4.0 / 15, 0, 0, 16.0 / 15},
                          {-0.4, -0.4, 0, 0.4, 0.4, 0}};
  const double K[6][6] = {{11.0 / 15, 1.0 / 3, -8.0 / 15, -0.2, -0.2, -2.0 / 15},
                          {1.0 / 3, 11.0 / 15, -2.0 / 15, -0.2, -0.2, -8.0 / 15},
                          {-8.0 / 15, -2.0 / 15, 8.0 / 15, 0, 0, 2.0 / 15},
                          {-0.2, -0.2, 0, 0.2, 0.2, 0},
                          {-0.2, -0.2, 0, 0.2, 0.2, 0},
                          {-2.0 / 15, -8.0 / 15, 2.0 / 15, 0, 0, 8.0 / 15}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 6; ++c) EXPECT_TRUE(Close(t->stressMatrix(1, r + 1, c + 1), S[r][c])) << r << "," << c;
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 6; ++c) EXPECT_TRUE(Close(t->stiffness(r + 1, c + 1), K[r][c])) << r << "," << c;
}

// A triangle listed clockwise has the same stiffness and, through the signed
// area, the stress matrix whose columns follow its own corner order.
TEST(ElementWorkedExample, ClockwiseCornersGiveTheSameStiffnessAndStresses) {
  const auto ccw = Assembled(testing::UnitTriangle({1, 2, 3}));
  const auto cw = Assembled(testing::UnitTriangle({1, 3, 2}));
  for (int32_t r = 1; r <= 6; ++r)
    for (int32_t c = 1; c <= 6; ++c) EXPECT_EQ(cw->stiffness(r, c), ccw->stiffness(r, c));
  // Corner k of (1, 3, 2) is node 1, 3, 2: columns 3, 4 and 5, 6 trade places.
  const int swapped[6] = {1, 2, 5, 6, 3, 4};
  for (int32_t row = 1; row <= 3; ++row)
    for (int32_t c = 1; c <= 6; ++c) EXPECT_EQ(cw->stressMatrix(1, row, c), ccw->stressMatrix(1, row, swapped[c - 1]));
}

TEST(ElementScaling, ThicknessAndSize) {
  const auto base = Assembled(testing::UnitTriangle());
  Model thick = testing::UnitTriangle();
  thick.material.t = 2.0;
  Model big = testing::MakeModel({{0, 0}, {2, 0}, {0, 2}}, {{1, 2, 3}});
  const auto t2 = Assembled(thick);
  const auto b2 = Assembled(big);
  for (int32_t r = 1; r <= 6; ++r)
    for (int32_t c = 1; c <= 6; ++c) {
      EXPECT_TRUE(Close(t2->stiffness(r, c), 2.0 * base->stiffness(r, c)));
      EXPECT_TRUE(Close(b2->stiffness(r, c), base->stiffness(r, c)));
    }
  for (int32_t row = 1; row <= 3; ++row)
    for (int32_t c = 1; c <= 6; ++c) {
      EXPECT_EQ(t2->stressMatrix(1, row, c), base->stressMatrix(1, row, c));
      EXPECT_TRUE(Close(b2->stressMatrix(1, row, c), 0.5 * base->stressMatrix(1, row, c)));
    }
}

TEST(ElementScaling, ZeroPoissonDecouplesSigmaX) {
  Model m = testing::UnitTriangle();
  m.material.mu = 0.0;
  const auto t = Assembled(m);
  for (int32_t c : {2, 4, 6}) EXPECT_EQ(t->stressMatrix(1, 1, c), 0.0);
  EXPECT_TRUE(Close(t->stressMatrix(1, 3, 1), -0.5));  // 0.5 * c1 * E / 2 / A with c1 = -1
}

// The assembled stiffness of an irregular mesh is symmetric, joins only nodes
// that share an element, and gives no forces for rigid-body motions.
TEST(AssembledStiffness, SymmetryAndRigidBodyModes) {
  Model m = examples::CookMembrane(4);
  m.material = {0.3, 200.0, 0.5};
  const auto t = Assembled(m);
  const int32_t n = 2 * m.nodeCount;
  double largest = 0.0;
  for (int32_t r = 1; r <= n; ++r) largest = std::fmax(largest, std::fabs(t->stiffness(r, r)));
  for (int32_t r = 1; r <= n; ++r) {
    double tx = 0.0, ty = 0.0, rot = 0.0;
    for (int32_t c = 1; c <= n; ++c) {
      EXPECT_TRUE(Close(t->stiffness(r, c), t->stiffness(c, r), 1e-14)) << r << "," << c;
      const Node& node = m.nodes[static_cast<std::size_t>((c + 1) / 2)];
      const bool x = c % 2 == 1;
      tx += x ? t->stiffness(r, c) : 0.0;
      ty += x ? 0.0 : t->stiffness(r, c);
      rot += t->stiffness(r, c) * (x ? -node.y : node.x);
    }
    EXPECT_LT(std::fabs(tx), 1e-12 * largest);
    EXPECT_LT(std::fabs(ty), 1e-12 * largest);
    EXPECT_LT(std::fabs(rot), 1e-10 * largest);
  }
  // Nodes 1 and the far corner share no element.
  EXPECT_EQ(t->stiffness(1, n), 0.0);
}

struct FaultCase {
  const char* name;
  Model model;
  const char* message;
};

class ElementFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ElementFaults, ReportTheFirstFault) {
  const FaultCase& c = GetParam();
  try {
    ConstantStrainTriangle().Matrices(NodesOf(c.model, 1), c.model.material);
    ADD_FAILURE() << "no fault reported";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), c.message);
  }
}

Model WithMaterial(Model m, Material material) {
  m.material = material;
  return m;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ElementFaults,
    ::testing::Values(
        FaultCase{"CollinearCorners", testing::MakeModel({{0, 0}, {1, 1}, {2, 2}}, {{1, 2, 3}}),
                  messages::DivisionByZero},
        // b1 = y2 - y3 is 0 as well as the area: the first entry is 0 / 0.
        FaultCase{"RepeatedCorner", testing::MakeModel({{0, 0}, {1, 0}, {0, 1}}, {{1, 2, 2}}),
                  messages::InvalidOperation},
        // Rounding leaves the six-product sum at -6.7e-16 here; the element has no area all the same.
        FaultCase{"RepeatedCornerOffOrigin",
                  testing::MakeModel({{-0.091, -1.01}, {3.032, 5.774}, {0, 1}}, {{1, 2, 2}}),
                  messages::InvalidOperation},
        FaultCase{"CoincidentNodes", testing::MakeModel({{0, 0}, {1, 0}, {1, 0}}, {{1, 2, 3}}),
                  messages::InvalidOperation},
        FaultCase{"PoissonOne", WithMaterial(testing::UnitTriangle(), {1.0, 1.0, 1.0}), messages::DivisionByZero},
        // b1 = y2 - y3 = 0 makes the first entry 0 / 0.
        FaultCase{"ZeroOverZero", WithMaterial(testing::MakeModel({{0, 0}, {1, 1}, {0, 1}}, {{1, 2, 3}}),
                                               {-1.0, 1.0, 1.0}),
                  messages::InvalidOperation},
        FaultCase{"HugeModulus", WithMaterial(testing::UnitTriangle(), {0.25, 1.7e308, 1.0}), messages::Overflow}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace trivane
