// Superconvergent patch recovery against exact answers: a linear field on an
// irregular mesh, the peak at a hole (Kirsch) and of a linear field, and plane
// strain's von Mises on a region of its own.
#include "analysis/recovery/patch_recovery.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "analysis/compute.h"
#include "analysis/elements/material.h"
#include "analysis/adaptivity/stress_peak.h"
#include "fixtures.h"

namespace trivane {
namespace {

// n x n nodes over the unit square, the interior ones moved off the grid by up
// to a third of a spacing, and the squares cut along alternating diagonals:
// patches of four to eight elements, none symmetric about its node, and the
// corner (0, 0) in a single element whose corners all lie on the boundary.
Model IrregularSquare(int32_t n) {
  Model m;
  const double h = 1.0 / (n - 1);
  for (int32_t j = 0; j < n; ++j)
    for (int32_t i = 0; i < n; ++i) {
      const bool inside = i > 0 && j > 0 && i < n - 1 && j < n - 1;
      const double dx = inside ? h / 3 * std::sin(7.0 * i + 3.0 * j) : 0.0;
      const double dy = inside ? h / 3 * std::cos(5.0 * i - 2.0 * j) : 0.0;
      m.nodes[++m.nodeCount] = {i * h + dx, j * h + dy};
    }
  for (int32_t j = 0; j + 1 < n; ++j)
    for (int32_t i = 0; i + 1 < n; ++i) {
      const int32_t a = j * n + i + 1, b = a + 1, c = a + n + 1, d = a + n;
      if ((i + j) % 2 == 1) {
        m.elements[++m.elementCount] = {a, b, c};
        m.elements[++m.elementCount] = {a, c, d};
      } else {
        m.elements[++m.elementCount] = {a, b, d};
        m.elements[++m.elementCount] = {b, c, d};
      }
    }
  m.material = {0.25, 1.0, 1.0};
  m.entered = {PlaneStress, 1.0, 0.25, 1.0, 0.0};
  return m;
}

std::vector<StressState> AtCentroids(const Model& m, StressState (*field)(double, double)) {
  std::vector<StressState> values;
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    const Element& el = m.elements[e];
    const double x = (m.nodes[el.node[0]].x + m.nodes[el.node[1]].x + m.nodes[el.node[2]].x) / 3.0;
    const double y = (m.nodes[el.node[0]].y + m.nodes[el.node[1]].y + m.nodes[el.node[2]].y) / 3.0;
    values.push_back(field(x, y));
  }
  return values;
}

StressState Linear(double x, double y) { return {1 + 2 * x + 3 * y, 4 - x + 0.5 * y, 2 * x - y}; }

// The fit through centroid values of a linear field is that field, so every
// node, inside, on an edge or at a corner, reads it exactly; on a second side
// (a region along the diagonal band) each side keeps the same exact values.
TEST(PatchRecovery, ALinearFieldIsExactAtEveryNodeOfAnIrregularMesh) {
  for (const bool regions : {false, true}) {
    Model m = IrregularSquare(7);
    if (regions) {
      Group region{GroupKind::Region, 1, "band", {}, {}, {}};
      for (int32_t e = 25; e <= 48; ++e) region.elements.push_back(e);
      m.conditions.groups.push_back(region);
      m.conditions.regionMaterials.push_back({"band", 1.0, 0.25, 0.0});
    }
    const NodalStresses r = PatchRecoveredStresses(m, ElementMaterialsOf(m), AtCentroids(m, Linear));
    for (int32_t e = 1; e <= m.elementCount; ++e) {
      const Element& el = m.elements[e];
      const int32_t corners[3] = {el.node[0], el.node[1], el.node[2]};
      for (int32_t k = 0; k < 3; ++k) {
        const StressState exact = Linear(m.nodes[corners[k]].x, m.nodes[corners[k]].y);
        for (std::size_t c = 0; c < 3; ++c)
          EXPECT_NEAR(r.AtCorner(e, k)[c], exact[c], 1e-12) << regions << " " << corners[k] << " " << c;
      }
    }
    for (int32_t i = 1; i <= m.nodeCount; ++i)
      EXPECT_NEAR(r.nodeMean[0][static_cast<std::size_t>(i - 1)], Linear(m.nodes[i].x, m.nodes[i].y)[0], 1e-12);
  }
}

// Kirsch's plate: a hole of radius a in a plate pulled by sigma along x has
// sigma x = 3 sigma at the top of the hole. The quarter annulus a <= r <= 5a,
// loaded on its outer arc by the exact traction of the infinite plate, has
// exactly that solution, so the finite width adds nothing to the answer.
Model KirschQuarter(int32_t around, int32_t outward) {
  constexpr double A = 1.0, R = 5.0, Sigma = 1.0;
  const auto at = [&](int32_t i, int32_t j) { return j * (around + 1) + i + 1; };
  Model m;
  for (int32_t j = 0; j <= outward; ++j)
    for (int32_t i = 0; i <= around; ++i) {
      const double theta = 0.5 * std::numbers::pi * i / around;
      const double r = A * std::pow(R / A, static_cast<double>(j) / outward);
      Node& node = m.nodes[++m.nodeCount];
      node = {r * std::cos(theta), r * std::sin(theta)};
      node.restraint = i == 0 ? FixedY : i == around ? FixedX : Free;
    }
  for (int32_t j = 0; j < outward; ++j)
    for (int32_t i = 0; i < around; ++i) {
      m.elements[++m.elementCount] = {at(i, j), at(i + 1, j), at(i + 1, j + 1)};
      m.elements[++m.elementCount] = {at(i, j), at(i + 1, j + 1), at(i, j + 1)};
    }
  // The traction sigma . n of Kirsch's stresses on the arc r = R, turned into
  // nodal forces along each chord by two-point Gauss.
  const auto traction = [&](double theta) {
    const double q = A * A / (R * R), c2 = std::cos(2 * theta), s2 = std::sin(2 * theta);
    const double rr = Sigma / 2 * (1 - q) + Sigma / 2 * (1 - 4 * q + 3 * q * q) * c2;
    const double rt = -Sigma / 2 * (1 + 2 * q - 3 * q * q) * s2;
    return std::array<double, 2>{rr * std::cos(theta) - rt * std::sin(theta), rr * std::sin(theta) + rt * std::cos(theta)};
  };
  std::vector<std::array<double, 2>> forces(static_cast<std::size_t>(around + 1), {0.0, 0.0});
  for (int32_t i = 0; i < around; ++i) {
    const Node &p = m.nodes[at(i, outward)], &q = m.nodes[at(i + 1, outward)];
    const double length = std::hypot(q.x - p.x, q.y - p.y);
    for (const double xi : {0.5 - 0.5 / std::sqrt(3.0), 0.5 + 0.5 / std::sqrt(3.0)}) {
      const std::array<double, 2> t = traction(std::atan2(p.y + xi * (q.y - p.y), p.x + xi * (q.x - p.x)));
      for (std::size_t d = 0; d < 2; ++d) {
        forces[static_cast<std::size_t>(i)][d] += 0.5 * length * (1 - xi) * t[d];
        forces[static_cast<std::size_t>(i + 1)][d] += 0.5 * length * xi * t[d];
      }
    }
  }
  for (int32_t i = 0; i <= around; ++i) {
    Node& node = m.nodes[at(i, outward)];
    const auto [fx, fy] = forces[static_cast<std::size_t>(i)];
    node.load = std::hypot(fx, fy);
    node.loadAngle = std::atan2(fy, fx) * 180.0 / std::numbers::pi;
  }
  m.material = {0.3, 1.0, 1.0};
  m.entered = {PlaneStress, 1.0, 0.3, 1.0, 0.0};
  UpdateBounds(m);
  return m;
}

// The peak sits where the hole meets the symmetry edge, a node of a single
// element that no interior patch reaches: the fits one element further in
// carry it there, within 1 % of 3 sigma on a mesh graded toward the hole.
TEST(PatchRecovery, ReadsKirschsPeakAtTheTopOfTheHoleWithinOnePercent) {
  const int32_t around = 96;
  const Model m = KirschQuarter(around, 64);
  const int32_t top = around + 1;  // (0, a)
  ASSERT_NEAR(m.nodes[top].y, 1.0, 1e-15);
  const auto solution = std::make_unique<const Solution>(Compute(m, SolverChoice::Automatic, StressRecovery::Patch));
  EXPECT_NEAR(solution->averaged.nodeMean[0][top - 1], 3.0, 0.03);
}

// The peak of a linear sigma x = 1 + x + y is at the corner (1, 1), 3; the
// local error there is how far the element stresses at that node are from it.
TEST(PatchRecovery, ThePeakAndItsLocalError) {
  const Model m = IrregularSquare(5);
  const std::vector<StressState> values = AtCentroids(m, [](double x, double y) { return StressState{1 + x + y, 0, 0}; });
  const ElementMaterials sides = ElementMaterialsOf(m);
  const StressPeak peak = FindStressPeak(m, sides, values, PatchRecoveredStresses(m, sides, values));
  EXPECT_NEAR(peak.mises, 3.0, 1e-12);
  EXPECT_EQ(peak.x, 1.0);
  EXPECT_EQ(peak.y, 1.0);
  double lowest = 3.0;  // the element value furthest below the peak, at the corner node 25
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    const Element& el = m.elements[e];
    if (el.node[0] == 25 || el.node[1] == 25 || el.node[2] == 25) lowest = std::min(lowest, values[e - 1][0]);
  }
  EXPECT_NEAR(peak.localErrorPercent, 100.0 * (3.0 - lowest) / 3.0, 1e-10);
}

// A patch of collapsed elements (centroids on one line) carries no plane:
// its node keeps the mean, and nothing becomes NaN.
TEST(PatchRecovery, APatchWithoutAPlaneIsNotFitted) {
  const Model m = testing::MakeModel({{-1, 0}, {0, 0}, {1, 0}, {2, 0}}, {{2, 1, 3}, {2, 3, 4}, {2, 4, 1}});
  const NodalStresses r = PatchRecoveredStresses(m, ElementMaterialsOf(m), {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}});
  for (const StressState& s : r.slotValues)
    for (const double v : s) EXPECT_TRUE(std::isfinite(v));
}

// von Mises in plane strain takes sigma z = mu (sigma x + sigma y) with the
// Poisson's ratio of the element's own region, in both recoveries.
TEST(PatchRecovery, PlaneStrainVonMisesTakesTheRegionsPoissonsRatio) {
  Model m = IrregularSquare(4);
  m.entered = {PlaneStrain, 1.0, 0.1, 1.0, 0.0};
  Group region{GroupKind::Region, 1, "all", {}, {}, {}};
  for (int32_t e = 1; e <= m.elementCount; ++e) region.elements.push_back(e);
  m.conditions.groups.push_back(region);
  m.conditions.regionMaterials.push_back({"all", 1.0, 0.45, 0.0});
  const StressState s{3.0, 1.0, 0.5};
  const double sz = 0.45 * (s[0] + s[1]);
  const double exact = std::sqrt(s[0] * s[0] + s[1] * s[1] + sz * sz - s[0] * s[1] - s[1] * sz - sz * s[0] +
                                 3 * s[2] * s[2]);
  const std::vector<StressState> uniform(static_cast<std::size_t>(m.elementCount), s);
  for (const StressRecovery recovery : {StressRecovery::Patch, StressRecovery::Average}) {
    const NodalStresses r = RecoverNodalStresses(m, ElementMaterialsOf(m), uniform, recovery);
    for (int32_t i = 1; i <= m.nodeCount; ++i) EXPECT_NEAR(r.nodeMean[3][static_cast<std::size_t>(i - 1)], exact, 1e-12);
  }
}

}  // namespace
}  // namespace trivane
