// The six-node triangle's results: the recovered values at its middle nodes,
// the error estimate's integral and rate, and the samples along a line
// through curved elements.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "analysis/compute.h"
#include "analysis/elements/finite_element.h"
#include "analysis/recovery/error_estimate.h"
#include "analysis/recovery/line_samples.h"
#include "support/six_node_grid.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::Close;
using testing::GridLine;
using testing::MappedGrid;
using testing::Restrain;

// The block holds sigma x = -10 (5 - y) exactly, so every recovered value,
// at corners and middle nodes alike, is exact and the estimate is zero.
TEST(SixNodeResults, ALinearStressIsRecoveredAtEveryNode) {
  const Model m = testing::WaterLoadedBlock();
  for (const StressRecovery recovery : {StressRecovery::Patch, StressRecovery::Average}) {
    const auto s = std::make_unique<const Solution>(Compute(m, SolverChoice::Automatic, recovery));
    for (int32_t e = 1; e <= m.elementCount; ++e)
      for (int32_t k = 0; k < 6; ++k) {
        const Node& node = m.nodes[m.elements[e].node[k]];
        const StressState& v = s->averaged.AtCorner(e, k);
        EXPECT_TRUE(Close(v[0], -10.0 * (5.0 - node.y), 1e-10)) << e << " " << k;
        EXPECT_TRUE(Close(v[1], 0.0, 1e-10)) << e << " " << k;
        EXPECT_TRUE(Close(v[2], 0.0, 1e-10)) << e << " " << k;
      }
    EXPECT_LT(s->error.relative, 1e-10);
  }
}

// A quarter of a thick ring (radii 1 and 2) on rollers along its cut edges,
// under a pressure of 10 inside; every element curved.
Model QuarterRing(int32_t n) {
  const int32_t columns = 2 * n, rows = n;  // around, outward
  Model m = MappedGrid(columns, rows, [](double s, double t) {
    const double angle = 0.5 * M_PI * s, radius = 1.0 + t;
    return PlanePoint{radius * std::cos(angle), radius * std::sin(angle)};
  });
  Restrain(m, GridLine(columns, 0, rows), FixedY);
  Restrain(m, GridLine(columns, columns, rows), FixedX);
  const std::vector<int32_t> inner = GridLine(columns, -1, 0);
  for (std::size_t k = 0; k + 1 < inner.size(); ++k)
    m.conditions.edgeLoads.push_back({{inner[k], inner[k + 1]}, EdgeLoadKind::Pressure, 10.0, 0.0});
  return m;
}

// The true error ||sigma - D B u|| in the energy norm against Lame's stresses
// sigma r = A - B / r^2, sigma theta = A + B / r^2, A = 10 / 3, B = 40 / 3.
double TrueError(const Model& m, const Solution& s) {
  const FiniteElement& element = ElementTypeOf(m);
  const ConstitutiveMatrix d = element.D(m.material);
  const double E = m.material.E, mu = m.material.mu;
  double squared = 0.0;
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    const ElementNodes nodes = NodesOf(m, e);
    const double area = element.Area(nodes);
    const ErrorRulePoints rule = element.ErrorRule(nodes);
    for (const IntegrationPoint& q : rule.Points()) {
      const ShapeValues n = element.N(q.at);
      double x = 0.0, y = 0.0;
      for (std::size_t k = 0; k < 6; ++k) x += n[k] * nodes.at[k].x, y += n[k] * nodes.at[k].y;
      const double r2 = x * x + y * y, radial = 10.0 / 3 - 40.0 / 3 / r2, hoop = 10.0 / 3 + 40.0 / 3 / r2;
      const double exact[3] = {(radial * x * x + hoop * y * y) / r2, (radial * y * y + hoop * x * x) / r2,
                               (radial - hoop) * x * y / r2};
      const StrainMatrix b = element.B(nodes, q.at);
      double strain[3] = {}, diff[3];
      for (std::size_t r = 0; r < 3; ++r)
        for (std::size_t k = 0; k < 12; ++k) strain[r] += b[r][k] * s.displacements[static_cast<std::size_t>(2 * nodes.number[k / 2] - 2) + k % 2];
      for (std::size_t r = 0; r < 3; ++r) diff[r] = exact[r] - (d[r][0] * strain[0] + d[r][1] * strain[1] + d[r][2] * strain[2]);
      squared += q.weight * area * (diff[0] * diff[0] + diff[1] * diff[1] - 2 * mu * diff[0] * diff[1] + 2 * (1 + mu) * diff[2] * diff[2]) / E;
    }
  }
  return std::sqrt(squared);
}

// Lame's smooth field on curved elements, the grid halved twice: the
// estimated error falls with h^2, about 4 times a step, and comes within a
// few per cent of the true error, which takes a recovered field that
// converges faster than the element's own.
TEST(SixNodeResults, TheEstimateFallsWithTheSquareOfTheElementSizeAndMeetsTheTrueError) {
  std::vector<double> eta;
  for (const int32_t n : {8, 16, 32}) {
    const Model m = QuarterRing(n);
    const auto s = std::make_unique<const Solution>(Compute(m));
    eta.push_back(s->error.relative);
    if (n >= 16) {
      EXPECT_NEAR(std::sqrt(s->error.errorSquared) / TrueError(m, *s), 1.0, 0.05) << n;
    }
  }
  for (std::size_t k = 1; k < eta.size(); ++k) {
    const double ratio = eta[k - 1] / eta[k];
    EXPECT_GT(ratio, 3.6) << k;
    EXPECT_LT(ratio, 4.5) << k;
  }
}

// One element, the recovered field f and its own 0, then the recovered 2 f and
// its own f: ||e||^2 and ||u||^2 are both the integral of f^2 (E = t = 1,
// mu = 0). Straight sides with f = x^2, degree 4; a curved element (x = s (1 +
// t / 2), y = t, det J = 1 + t / 2) with f = y, whose integral of t^2 (1 + t / 2)
// over the reference triangle is 13 / 120.
TEST(SixNodeResults, TheEstimateIntegratesExactly) {
  struct Case {
    double middleX;  // of the side from (1, 0) to (0, 1)
    double (*f)(PlanePoint);
    double integral;
  };
  const Case cases[] = {{0.5, [](PlanePoint p) { return p.x * p.x; }, 1.0 / 30},
                        {0.625, [](PlanePoint p) { return p.y; }, 13.0 / 120}};
  for (const Case& c : cases) {
    Model m;
    const double xy[6][2] = {{0, 0}, {1, 0}, {0, 1}, {0.5, 0}, {c.middleX, 0.5}, {0, 0.5}};
    for (const auto& [x, y] : xy) m.nodes[++m.nodeCount] = Node{x, y, 0, 0, 0.0, 0.0};
    m.elements[++m.elementCount] = Element{{1, 2, 3, 4, 5, 6}, 6};
    m.elementOrder = 2;
    m.material = {0.0, 1.0, 1.0};
    NodalStresses recovered;
    recovered.nodesPerElement = 6;
    std::vector<StressState> own(6);
    for (int32_t k = 0; k < 6; ++k) {
      own[static_cast<std::size_t>(k)] = {c.f({xy[k][0], xy[k][1]}), 0.0, 0.0};
      recovered.slotValues.push_back({2.0 * own[static_cast<std::size_t>(k)][0], 0.0, 0.0});
      recovered.cornerSlot.push_back(k);
    }
    const ErrorEstimate estimate = EstimateError(m, ElementMaterialsOf(m), {{0.0, 0.0, 0.0}}, recovered, own);
    EXPECT_TRUE(Close(estimate.errorSquared, c.integral, 1e-14)) << c.middleX;
    EXPECT_TRUE(Close(estimate.energySquared, c.integral, 1e-14)) << c.middleX;
  }
}

// Two six-node triangles of the unit square in (s, t) bent by x = s + 0.3 t^2,
// y = t: their shared side and their left side curve. The field x + y^2 =
// s + 1.3 t^2 is quadratic in the elements' own coordinates, so the shape
// functions hold it exactly; along y = 0.5 the samples between the curved
// side (x = 0.575) and its chord (x = 0.65) lie in element 1, below it.
TEST(SixNodeResults, LineSamplesFollowTheShapeFunctionsOfCurvedElements) {
  const Model m = MappedGrid(1, 1, [](double s, double t) { return PlanePoint{s + 0.3 * t * t, t}; });
  const auto field = [](double x, double y) { return x + y * y; };
  std::vector<double> nodeValues;
  for (int32_t e = 1; e <= m.elementCount; ++e)
    for (const int32_t n : m.elements[e].Nodes()) nodeValues.push_back(field(m.nodes[n].x, m.nodes[n].y));
  const std::vector<double> elementValues = {1.0, 2.0};
  const LineProfile profile = SampleAlongLine(m, elementValues, nodeValues, {0.1, 0.5}, {1.2, 0.5}, 23);
  for (const LineSample& sample : profile.samples) {
    const double s = sample.x - 0.3 * sample.y * sample.y;
    EXPECT_EQ(sample.element, s > 1.0 ? 0 : s > sample.y ? 1 : 2) << sample.x;
    if (sample.element == 0) continue;
    EXPECT_TRUE(Close(sample.averagedValue, field(sample.x, sample.y), 1e-12)) << sample.x;
    EXPECT_EQ(sample.elementValue, sample.element) << sample.x;
  }
  // The graph's pieces meet end to end and carry the field at their ends.
  for (std::size_t k = 1; k < profile.pieces.size(); ++k)
    EXPECT_NEAR(profile.pieces[k].from, profile.pieces[k - 1].to, 1e-12) << k;
  for (const LinePiece& piece : profile.pieces)
    EXPECT_TRUE(Close(piece.averagedTo, field(0.1 + piece.to, 0.5), 1e-12)) << piece.to;
}

}  // namespace
}  // namespace trivane
