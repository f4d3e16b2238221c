// Solids of revolution against what is known of them exactly: a uniform
// stress state on a distorted mesh through the axis (the patch test), loads
// as totals round the circumference, Lame's thick cylinder, and the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "analysis/compute.h"
#include "analysis/elements/material.h"
#include "model/errors.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::Close;
constexpr double Pi = std::numbers::pi;

struct Ring {
  Model model;
  int32_t nr = 0, nz = 0;
  int32_t Node(int32_t i, int32_t j) const { return j * (nr + 1) + i + 1; }
};

// The section [r(0), r(nr)] x [0, h] of a ring as nr x nz cells, each split
// into two counter-clockwise triangles, with the radii r(i) given.
Ring RingSection(int32_t nr, int32_t nz, double h, const std::function<double(int32_t)>& r, double E, double nu) {
  Ring ring;
  ring.nr = nr;
  ring.nz = nz;
  Model& m = ring.model;
  for (int32_t j = 0; j <= nz; ++j)
    for (int32_t i = 0; i <= nr; ++i) {
      Node& n = m.nodes[static_cast<std::size_t>(++m.nodeCount)];
      n.x = r(i);
      n.y = h * j / nz;
    }
  for (int32_t j = 0; j < nz; ++j)
    for (int32_t i = 0; i < nr; ++i) {
      const int32_t a = ring.Node(i, j), b = ring.Node(i + 1, j), c = ring.Node(i + 1, j + 1), d = ring.Node(i, j + 1);
      m.elements[static_cast<std::size_t>(++m.elementCount)] = {a, b, c};
      m.elements[static_cast<std::size_t>(++m.elementCount)] = {a, c, d};
    }
  SetMaterial(m, {Axisymmetric, E, nu, 1.0, 0.0});
  return ring;
}

void Load(Model& m, int32_t n1, int32_t n2, EdgeLoadKind kind, double a, double b = 0.0) {
  m.conditions.edgeLoads.push_back({{n1, n2}, kind, a, b});
}

// A solid cylinder of radius 2 and height 3, its inner nodes moved off the
// grid, pulled radially by sr on its mantle and axially by sz on its top,
// standing on its base; the axis nodes are held radially by the model alone.
// Every element carries the uniform state sr = stheta, sz exactly, and the
// loads are totals: sr 2 pi R h radially, sz pi R^2 axially.
TEST(Axisymmetric, PatchTestThroughTheAxisAndLoadsAsTotals) {
  const double sr = 5e6, sz = -2e6, R = 2.0, h = 3.0;
  Ring ring = RingSection(3, 3, h, [&](int32_t i) { return R * i / 3; }, 2e11, 0.3);
  Model& m = ring.model;
  const double shift[4][2] = {{0.17, -0.11}, {-0.13, 0.19}, {0.09, 0.14}, {-0.2, -0.08}};
  int k = 0;
  for (int32_t j = 1; j < 3; ++j)
    for (int32_t i = 1; i < 3; ++i, ++k) {
      m.nodes[ring.Node(i, j)].x += shift[k][0];
      m.nodes[ring.Node(i, j)].y += shift[k][1];
    }
  for (int32_t i = 0; i <= 3; ++i) m.nodes[ring.Node(i, 0)].restraint = FixedY;
  for (int32_t j = 0; j < 3; ++j) Load(m, ring.Node(3, j), ring.Node(3, j + 1), EdgeLoadKind::Traction, sr, 0.0);
  for (int32_t i = 0; i < 3; ++i) Load(m, ring.Node(i + 1, 3), ring.Node(i, 3), EdgeLoadKind::Traction, 0.0, sz);

  for (const SolverChoice solver : {SolverChoice::GaussJordan, SolverChoice::Cholesky}) {
    const Solution s = Compute(m, solver);
    for (int32_t e = 1; e <= m.elementCount; ++e) {
      EXPECT_TRUE(Close(StressValue(s, e, SigmaX) / sr, 1.0, 1e-10)) << e;
      EXPECT_TRUE(Close(StressValue(s, e, SigmaY) / sz, 1.0, 1e-10)) << e;
      EXPECT_TRUE(Close(StressValue(s, e, TauXY) / sr, 0.0, 1e-10)) << e;
      EXPECT_TRUE(Close(HoopValue(s, e) / sr, 1.0, 1e-10)) << e;
    }
    // Nothing pulls the axis sideways, though it is held there.
    for (int32_t j = 0; j <= 3; ++j) EXPECT_TRUE(Close(*ReactionAt(s, ring.Node(0, j)).rx / sr, 0.0, 1e-10)) << j;
    EXPECT_TRUE(Close(s.equilibrium.sumFx / (sr * 2 * Pi * R * h), 1.0, 1e-13));
    EXPECT_TRUE(Close(s.equilibrium.sumFy / (sz * Pi * R * R), 1.0, 1e-13));
    EXPECT_TRUE(Close(s.equilibrium.sumRy / (sz * Pi * R * R), -1.0, 1e-12));
  }
}

// Pressure, water and self-weight on a hollow ring are the totals over the
// surfaces and the volume of revolution, integrated exactly: a water line
// halfway up the bore included. Only the axial sums balance: radial ring
// loads are carried round the ring by its hoop stress.
TEST(Axisymmetric, EdgeLoadsAndWeightAreTotalsRoundTheAxis) {
  const double a = 1.0, b = 3.0, h = 2.0, p = 7e3, gamma = 9810, rho = 2500, g = 9.81;
  Ring ring = RingSection(2, 2, h, [&](int32_t i) { return a + (b - a) * i / 2; }, 3e10, 0.2);
  Model& m = ring.model;
  for (int32_t i = 0; i <= 2; ++i) m.nodes[ring.Node(i, 0)].restraint = FixedXY;
  struct Case {
    const char* what;
    std::function<void(Model&)> apply;
    double fx, fy;
  };
  const double level = 1.5;  // water in the bore from the base up to 1.5: a line across the upper side
  const Case cases[] = {
      {"pressure on the top", [&](Model& q) {
         for (int32_t i = 0; i < 2; ++i) Load(q, ring.Node(i + 1, 2), ring.Node(i, 2), EdgeLoadKind::Pressure, p);
       }, 0.0, -p * Pi * (b * b - a * a)},
      // Water in the bore pushes outward: 2 pi a times the integral of gamma (level - z).
      {"water in the bore", [&](Model& q) {
         for (int32_t j = 0; j < 2; ++j) Load(q, ring.Node(0, j + 1), ring.Node(0, j), EdgeLoadKind::Water, level, gamma);
       }, 2 * Pi * a * gamma * level * level / 2, 0.0},
      {"self-weight", [&](Model& q) {
         q.entered.rho = rho;
         q.conditions.gravity = {0.0, -g};
       }, 0.0, -rho * g * Pi * (b * b - a * a) * h},
  };
  for (const Case& c : cases) {
    Model q = m;
    c.apply(q);
    const Solution s = Compute(q);
    EXPECT_TRUE(Close(s.equilibrium.sumFx, c.fx, 1e-12)) << c.what;
    EXPECT_TRUE(Close(s.equilibrium.sumFy, c.fy, 1e-12)) << c.what;
    EXPECT_TRUE(Close(s.equilibrium.sumRy + s.equilibrium.sumFy, 0.0, 1e-9)) << c.what;
  }
}

// Lame's thick cylinder, long (held at both ends, so the axial strain is
// nil) under a pressure p in its bore: u(r) = (1 + nu) p a^2 / (E (b^2 - a^2))
// ((1 - 2 nu) r + b^2 / r), and sigma theta at the bore p (b^2 + a^2) / (b^2 - a^2).
// The mesh is graded towards the bore; the averaged sigma theta there and u
// at the bore converge to within 0.5 %.
TEST(Axisymmetric, ThickCylinderAgainstLame) {
  const double a = 1.0, b = 2.0, p = 1e6, E = 2e11, nu = 0.3;
  const double exactU = (1 + nu) * p * a * a / (E * (b * b - a * a)) * ((1 - 2 * nu) * a + b * b / a);
  const double exactHoop = p * (b * b + a * a) / (b * b - a * a);
  double previous[2] = {1.0, 1.0};
  for (const int32_t n : {8, 16}) {
    Ring ring = RingSection(n, 1, 0.05, [&](int32_t i) { return a + (b - a) * (double(i) / n) * (double(i) / n); }, E, nu);
    Model& m = ring.model;
    for (int32_t i = 0; i <= n; ++i) {
      m.nodes[ring.Node(i, 0)].restraint = FixedY;
      m.nodes[ring.Node(i, 1)].restraint = FixedY;
    }
    Load(m, ring.Node(0, 1), ring.Node(0, 0), EdgeLoadKind::Pressure, p);
    const Solution s = Compute(m);
    const int32_t bore = ring.Node(0, 0);
    const double errors[2] = {std::fabs(DisplacementU(s, bore) / exactU - 1),
                              std::fabs(s.averaged.nodeMean[NodalHoop][static_cast<std::size_t>(bore - 1)] / exactHoop - 1)};
    for (int q = 0; q < 2; ++q) {
      EXPECT_LT(errors[q], previous[q]) << n << " " << q;
      previous[q] = errors[q];
    }
  }
  EXPECT_LT(previous[0], 0.005);
  EXPECT_LT(previous[1], 0.005);
}

TEST(Axisymmetric, Refusals) {
  Ring ring = RingSection(1, 1, 1.0, [](int32_t i) { return double(i); }, 1e9, 0.3);
  Model& m = ring.model;
  m.nodes[1].restraint = FixedXY;
  m.nodes[2].restraint = FixedXY;
  m.nodes[3].x = -1e-9;
  try {
    Compute(m);
    ADD_FAILURE() << "a negative radius computed";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "轴对称模型中结点 3 的半径为负");
  }
  try {
    SetMaterial(m, {Axisymmetric, 1e9, 0.5, 1.0, 0.0});
    ADD_FAILURE() << "nu = 0.5 taken";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), messages::PoissonRatioTooLargeAxisymmetric);
  }
  // A ring free along its axis is singular, and says why; free radially it is not.
  m.nodes[3].x = 0.0;
  m.nodes[1].restraint = FixedX;
  m.nodes[2].restraint = Free;
  try {
    Compute(m);
    ADD_FAILURE() << "a ring free along its axis computed";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), messages::SingularBecause(messages::PartFreeToSlide(1, 'y')).c_str());
  }
  m.nodes[1].restraint = FixedY;
  EXPECT_NO_THROW(Compute(m));
}

}  // namespace
}  // namespace trivane
