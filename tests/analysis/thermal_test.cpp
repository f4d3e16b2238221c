// Temperature strain against what it must give exactly: a body free to
// expand takes no stress and moves by alpha dT times the distance, a bar held
// at both ends takes -E alpha dT, and in plane strain the held strain out of
// the plane shows in sigma z. For both element types, both plane problems and
// the solid of revolution, whose hoop strain expands with the rest.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "analysis/compute.h"
#include "analysis/elements/material.h"
#include "analysis/recovery/results.h"
#include "meshes.h"
#include "model/condition_edits.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::Close;

constexpr double E = 2.0e11, Mu = 0.3, Alpha = 1.2e-5, Dt = 40.0;

// Cook's tapered panel, no supports or loads, at a uniform temperature rise.
Model HeatedPanel(int32_t order, ProblemType problem) {
  Model m = examples::CookMembrane(4);
  for (int32_t i = 1; i <= m.nodeCount; ++i) m.nodes[i].restraint = 0, m.nodes[i].load = 0.0;
  if (order == 2) m = examples::WithMiddleNodes(m);
  SetMaterial(m, {problem, E, Mu, 0.5, 0.0, Alpha});
  SetTemperature(m, Dt);
  return m;
}

int32_t NodeAt(const Model& m, double x, double y) {
  for (int32_t i = 1; i <= m.nodeCount; ++i)
    if (m.nodes[i].x == x && m.nodes[i].y == y) return i;
  return 0;
}

// Every in-plane stress a solution reports, element, point and recovered
// values alike.
double LargestStress(const Solution& s) {
  double largest = 0.0;
  for (const auto* set : {&s.stresses, &s.pointStresses})
    for (const auto& component : *set)
      for (const double v : component) largest = std::max(largest, std::fabs(v));
  for (const auto* hoop : {&s.hoop, &s.pointHoop})
    for (const double v : *hoop) largest = std::max(largest, std::fabs(v));
  for (const StressState& v : s.averaged.slotValues)
    for (const double c : v) largest = std::max(largest, std::fabs(c));
  return largest;
}

struct ThermalCase {
  const char* name;
  int32_t order;
  ProblemType problem;
};

class Thermal : public ::testing::TestWithParam<ThermalCase> {};

// Held only against rigid motion, the panel expands freely: every point moves
// by the free strain times its position and nothing is stressed. In plane
// strain the held out-of-plane strain adds mu alpha dT in the plane, and sigma
// z = -E alpha dT is the only stress.
TEST_P(Thermal, FreeExpansionIsStressFree) {
  const ThermalCase& c = GetParam();
  Model m = HeatedPanel(c.order, c.problem);
  m.nodes[NodeAt(m, 0, 0)].restraint = FixedXY;
  m.nodes[NodeAt(m, 0, 44)].restraint = FixedX;
  const double strain = (c.problem == PlaneStrain ? 1.0 + Mu : 1.0) * Alpha * Dt;
  for (const SolverChoice solver : {SolverChoice::GaussJordan, SolverChoice::Cholesky}) {
    const Solution s = Compute(m, solver);
    for (int32_t i = 1; i <= m.nodeCount; ++i) {
      EXPECT_TRUE(Close(DisplacementU(s, i), strain * m.nodes[i].x, 1e-13)) << i;
      EXPECT_TRUE(Close(DisplacementV(s, i), strain * m.nodes[i].y, 1e-13)) << i;
    }
    const double sz = OutOfPlaneStress(ElementMaterialsOf(m).Of(1), c.problem, StressValue(s, 1, SigmaX),
                                       StressValue(s, 1, SigmaY));
    // A ring's terms in 1 / r spread its matrices' scales, and its rounding with them.
    const double zero = (c.problem == Axisymmetric ? 1e-10 : 1e-12) * E * Alpha * Dt;
    EXPECT_LT(LargestStress(s), zero);
    const double held = c.problem == PlaneStrain ? E * Alpha * Dt : 0.0;
    EXPECT_NEAR(sz, -held, zero);
    for (const double v : s.mises) EXPECT_NEAR(v, held, zero);
    // A ring's forces are totals round the axis: up to 2 pi r times the plane's.
    const double scale = c.problem == Axisymmetric ? 2.0 * std::numbers::pi * 48.0 * 44.0 : 1.0;
    EXPECT_LT(std::fabs(s.equilibrium.sumRx) + std::fabs(s.equilibrium.sumRy), 1e-12 * E * Alpha * Dt * scale);
  }
}

// Held in x along both ends, the panel cannot lengthen: sigma x is -E alpha dT
// in plane stress and -E alpha dT / (1 - mu) in plane strain, where sigma z =
// mu sigma x - E alpha dT is the same; sigma y stays zero. As a solid of
// revolution it is a cylinder held radially at its rim: neither r nor the
// hoop can strain, and sigma r = sigma theta = -E alpha dT / (1 - mu).
TEST_P(Thermal, HeldAtBothEndsTakesMinusEAlphaDt) {
  const ThermalCase& c = GetParam();
  Model m = examples::CantileverPlate(6, 3);
  if (c.order == 2) m = examples::WithMiddleNodes(m);
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    Node& n = m.nodes[i];
    n.load = 0.0;
    n.restraint = n.x == 0.0 || n.x == 10.0 ? FixedX : Free;
  }
  m.nodes[1].restraint = FixedXY;
  SetMaterial(m, {c.problem, E, Mu, 0.5, 0.0, Alpha});
  SetTemperature(m, Dt);
  const Solution s = Compute(m);
  const double sx = c.problem == PlaneStress ? -E * Alpha * Dt : -E * Alpha * Dt / (1.0 - Mu);
  const AnalysisMaterial material = ElementMaterialsOf(m).Of(1);
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    EXPECT_TRUE(Close(StressValue(s, e, SigmaX), sx, 1e-12)) << e;
    EXPECT_TRUE(Close(StressValue(s, e, SigmaY), 0.0, 1e-12 * E * Alpha * Dt)) << e;
    const double sz = OutOfPlaneStress(material, c.problem, StressValue(s, e, SigmaX), StressValue(s, e, SigmaY));
    EXPECT_TRUE(Close(sz, c.problem == PlaneStrain ? sx : 0.0, 1e-12)) << e;
    EXPECT_TRUE(Close(MisesValue(s, e), std::fabs(sx), 1e-12)) << e;
    if (c.problem == Axisymmetric) {
      EXPECT_TRUE(Close(s.hoop[static_cast<std::size_t>(e - 1)], sx, 1e-12)) << e;
    }
  }
  if (c.problem == Axisymmetric) return;  // the axis end carries no ring force
  // Each end pushes back with the stress over its face.
  EXPECT_TRUE(Close(s.equilibrium.sumRx, 0.0, 1e-12 * E * Alpha * Dt));
  double leftEnd = 0.0;
  for (int32_t i = 1; i <= m.nodeCount; ++i)
    if (m.nodes[i].x == 0.0) leftEnd += *ReactionAt(s, i).rx;
  EXPECT_TRUE(Close(leftEnd, -sx * 1.0 * 0.5, 1e-12));
}

INSTANTIATE_TEST_SUITE_P(Cases, Thermal,
                         ::testing::Values(ThermalCase{"ThreeNodePlaneStress", 1, PlaneStress},
                                           ThermalCase{"ThreeNodePlaneStrain", 1, PlaneStrain},
                                           ThermalCase{"SixNodePlaneStress", 2, PlaneStress},
                                           ThermalCase{"SixNodePlaneStrain", 2, PlaneStrain},
                                           ThermalCase{"ThreeNodeAxisymmetric", 1, Axisymmetric},
                                           ThermalCase{"SixNodeAxisymmetric", 2, Axisymmetric}),
                         [](const auto& info) { return std::string(info.param.name); });

// Three separate blocks, each held against rigid motion alone: one at the
// model's alpha and dT, one with a region material of its own alpha, one in
// a region of its own temperature change. Each expands by its own alpha dT,
// free of stress.
TEST(ThermalRegions, EachRegionExpandsByItsOwnAlphaAndDt) {
  Model m;
  for (int32_t block = 0; block < 3; ++block) {
    const int32_t first = m.nodeCount + 1;
    const double x0 = 3.0 * block;
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {2.0, 0.0}, {2.0, 1.0}, {0.0, 1.0}, {0.8, 0.4}})
      m.nodes[++m.nodeCount] = {x0 + x, y};
    m.nodes[first].restraint = FixedXY;
    m.nodes[first + 1].restraint = FixedY;
    for (const auto& [a, b] : {std::pair{0, 1}, {1, 2}, {2, 3}, {3, 0}})
      m.elements[++m.elementCount] = {first + a, first + b, first + 4};
    m.conditions.groups.push_back({GroupKind::Region, block + 1, "block" + std::to_string(block), {}, {},
                                   {m.elementCount - 3, m.elementCount - 2, m.elementCount - 1, m.elementCount}});
  }
  SetMaterial(m, {PlaneStress, E, Mu, 1.0, 0.0, Alpha});
  SetTemperature(m, Dt);
  SetRegionMaterial(m, {"block1", E / 2, 0.2, 0.0, 3 * Alpha});
  SetRegionTemperature(m, {"block2", -25.0});
  const double strain[3] = {Alpha * Dt, 3 * Alpha * Dt, Alpha * -25.0};
  const Solution s = Compute(m);
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    const int32_t block = (i - 1) / 5;
    const double x0 = 3.0 * block;
    EXPECT_TRUE(Close(DisplacementU(s, i), strain[block] * (m.nodes[i].x - x0), 1e-13)) << i;
    EXPECT_TRUE(Close(DisplacementV(s, i), strain[block] * m.nodes[i].y, 1e-13)) << i;
  }
  EXPECT_LT(LargestStress(s), 1e-12 * E * Alpha * Dt);
}

// A coefficient without a temperature change, or a change on a material that
// does not expand, leaves every number as it was without them.
TEST(ThermalRegions, NoTemperatureStrainChangesNoBit) {
  const Model plain = examples::CantileverPlate(6, 3);
  Model quiet = plain;
  Group half{GroupKind::Region, 1, "half", {}, {}, {}};
  for (int32_t e = 1; e <= quiet.elementCount / 2; ++e) half.elements.push_back(e);
  quiet.conditions.groups.push_back(half);
  SetTemperature(quiet, 10.0);
  SetRegionTemperature(quiet, {"half", 30.0});
  EnteredMaterial expanding = quiet.entered;
  expanding.alpha = Alpha;
  Model cold = plain;
  SetMaterial(cold, expanding);
  for (const Model* m : {&quiet, &cold}) {
    const Solution a = Compute(plain), b = Compute(*m);
    EXPECT_EQ(a.displacements, b.displacements);
    EXPECT_EQ(a.stresses, b.stresses);
    EXPECT_EQ(a.mises, b.mises);
    EXPECT_EQ(a.averaged.slotValues, b.averaged.slotValues);
    EXPECT_EQ(a.error.relative, b.error.relative);
  }
}

}  // namespace
}  // namespace trivane
