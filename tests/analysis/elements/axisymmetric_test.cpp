// Solids of revolution: the patch test on distorted meshes touching the
// axis, a thick cylinder under internal pressure against Lame, a spinning
// cylinder against its closed form, the exact totals of the ring loads, and
// the models the compute refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "analysis/compute.h"
#include "analysis/loads/loads.h"
#include "analysis/recovery/results.h"
#include "model/condition_edits.h"
#include "model/errors.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::Close;
constexpr double Pi = std::numbers::pi;

// The half section r0 <= r <= r1, 0 <= z <= h in nr x nz cells of two
// triangles each, of the given element order. Inside nodes are moved by
// `distort` of a cell in a fixed pattern, and a six-node section has the
// middle nodes of its inside sides moved by `bend` of a cell, so straight
// lines of the section stay only on its outline. Node (i, j) of the corner grid is node j (nr + 1) + i + 1.
struct Section {
  Model model;
  int32_t nr = 0, nz = 0;
  std::vector<Edge> bore, outer, top, bottom;  // the outline's sides, by their ends
  int32_t Corner(int32_t i, int32_t j) const { return j * (nr + 1) + i + 1; }
};

Section MakeSection(double r0, double r1, double h, int32_t nr, int32_t nz, int32_t order, double distort,
                    double bend = 0.0) {
  Section s;
  s.nr = nr;
  s.nz = nz;
  Model& m = s.model;
  const double dr = (r1 - r0) / nr, dz = h / nz;
  for (int32_t j = 0; j <= nz; ++j)
    for (int32_t i = 0; i <= nr; ++i) {
      Node& n = m.nodes[++m.nodeCount];
      n.x = r0 + dr * i;
      n.y = dz * j;
      if (i > 0 && i < nr && j > 0 && j < nz) {
        n.x += distort * dr * ((i * 7 + j * 3) % 5 - 2) / 4.0;
        n.y += distort * dz * ((i * 3 + j * 5) % 5 - 2) / 4.0;
      }
    }
  std::map<std::pair<int32_t, int32_t>, int32_t> middles;
  const auto onOutline = [&](int32_t a, int32_t b) {
    const auto at = [&](int32_t n) { return std::pair{(n - 1) % (nr + 1), (n - 1) / (nr + 1)}; };
    const auto [ia, ja] = at(a);
    const auto [ib, jb] = at(b);
    return (ia == ib && (ia == 0 || ia == nr)) || (ja == jb && (ja == 0 || ja == nz));
  };
  const auto add = [&](int32_t a, int32_t b, int32_t c) {
    Element& e = m.elements[++m.elementCount];
    e.node = {a, b, c, 0, 0, 0};
    if (order == 1) return;
    e.count = 6;
    const int32_t corners[3] = {a, b, c};
    for (int k = 0; k < 3; ++k) {
      const int32_t p = corners[k], q = corners[(k + 1) % 3];
      const auto [found, added] = middles.try_emplace({std::min(p, q), std::max(p, q)}, 0);
      if (added) {
        found->second = ++m.nodeCount;
        Node& n = m.nodes[found->second];
        const double off = onOutline(p, q) ? 0.0 : bend;
        n.x = 0.5 * (m.nodes[p].x + m.nodes[q].x) + off * dr;
        n.y = 0.5 * (m.nodes[p].y + m.nodes[q].y) - off * dz;
      }
      e.node[static_cast<std::size_t>(k + 3)] = found->second;
    }
  };
  for (int32_t j = 0; j < nz; ++j)
    for (int32_t i = 0; i < nr; ++i) {
      const int32_t a = s.Corner(i, j), b = s.Corner(i + 1, j), c = s.Corner(i + 1, j + 1), d = s.Corner(i, j + 1);
      // Alternate diagonals, so that some elements touch the axis with one corner.
      if ((i + j) % 2 == 0) {
        add(a, b, c);
        add(a, c, d);
      } else {
        add(a, b, d);
        add(b, c, d);
      }
    }
  for (int32_t j = 0; j < nz; ++j) {
    s.bore.push_back({s.Corner(0, j), s.Corner(0, j + 1)});
    s.outer.push_back({s.Corner(nr, j), s.Corner(nr, j + 1)});
  }
  for (int32_t i = 0; i < nr; ++i) {
    s.bottom.push_back({s.Corner(i, 0), s.Corner(i + 1, 0)});
    s.top.push_back({s.Corner(i, nz), s.Corner(i + 1, nz)});
  }
  m.elementOrder = order;
  return s;
}

void MakeAxisymmetric(Model& m, double E, double mu, double rho = 0.0) {
  SetMaterial(m, EnteredMaterial{Axisymmetric, E, mu, 1.0, rho, 0.0});
}

// Every node on the bottom (corners and middles) held along the axis.
void HoldBottom(Section& s) {
  for (int32_t i = 1; i <= s.model.nodeCount; ++i)
    if (s.model.nodes[i].y == 0.0) s.model.nodes[i].restraint = FixedY;
}

void Load(Model& m, const std::vector<Edge>& edges, EdgeLoadKind kind, double a, double b) {
  for (const Edge& e : edges) m.conditions.edgeLoads.push_back({e, kind, a, b});
}

// The uniform state u = a r, w = c z: eps r = eps theta = a, eps z = c, no
// shear, so sigma r = sigma theta = lambda (2a + c) + 2 G a and
// sigma z = lambda (2a + c) + 2 G c. Its tractions on the outer face and the
// top, the bottom held along the axis and the axis held by the model itself,
// must give it back exactly, at every stress point, the axis included.
struct PatchCase {
  int32_t order;
  double distort;
};

class AxisymmetricPatch : public ::testing::TestWithParam<PatchCase> {};

TEST_P(AxisymmetricPatch, UniformStressIsExactUpToTheAxis) {
  const double E = 200.0, mu = 0.3, a = 1e-3, c = -4e-4;
  const double lambda = E * mu / ((1 + mu) * (1 - 2 * mu)), G = E / (2 * (1 + mu));
  const double sr = lambda * (2 * a + c) + 2 * G * a, sz = lambda * (2 * a + c) + 2 * G * c;
  // Not 2: a section whose mean radius is 1 would hide a lost factor r.
  const double R = 2.4;
  Section s = MakeSection(0.0, R, 1.5, 4, 3, GetParam().order, GetParam().distort, GetParam().distort / 10);
  Model& m = s.model;
  MakeAxisymmetric(m, E, mu);
  HoldBottom(s);
  Load(m, s.outer, EdgeLoadKind::Traction, sr, 0.0);
  Load(m, s.top, EdgeLoadKind::Traction, 0.0, sz);
  const Solution t = Compute(m);
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    EXPECT_TRUE(Close(DisplacementU(t, i), a * m.nodes[i].x, 1e-12)) << i;
    EXPECT_TRUE(Close(DisplacementV(t, i), c * m.nodes[i].y, 1e-12)) << i;
  }
  const bool points = t.stressPoints > 1;
  const auto& stresses = points ? t.pointStresses : t.stresses;
  const std::vector<double>& hoop = points ? t.pointHoop : t.hoop;
  ASSERT_EQ(hoop.size(), stresses[0].size());
  for (std::size_t k = 0; k < hoop.size(); ++k) {
    EXPECT_TRUE(Close(stresses[SigmaX - 1][k], sr, 1e-10)) << k;
    EXPECT_TRUE(Close(stresses[SigmaY - 1][k], sz, 1e-10)) << k;
    EXPECT_TRUE(Close(stresses[TauXY - 1][k], 0.0, 1e-10)) << k;
    EXPECT_TRUE(Close(hoop[k], sr, 1e-10)) << k;
    // sigma 1 >= sigma 2 >= sigma 3 over the in-plane pair and sigma theta.
    EXPECT_TRUE(Close(stresses[Sigma1 - 1][k], sr, 1e-10)) << k;
    EXPECT_TRUE(Close(stresses[Sigma2 - 1][k], sr, 1e-10)) << k;
    EXPECT_TRUE(Close(stresses[TauMax - 1][k], (sr - sz) / 2, 1e-10)) << k;
  }
  EXPECT_TRUE(Close(MisesValue(t, 1), std::fabs(sr - sz), 1e-10));
  // The recovered field is the same uniform state, the hoop stress with it.
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    EXPECT_TRUE(Close(t.averaged.nodeMean[NodalHoop][static_cast<std::size_t>(i - 1)], sr, 1e-9)) << i;
    EXPECT_TRUE(Close(t.averaged.nodeMean[NodalMises][static_cast<std::size_t>(i - 1)], std::fabs(sr - sz), 1e-9)) << i;
  }
  EXPECT_LT(t.error.relative, 1e-9);
  // u^T K u is the work of the loads; the supports do none.
  const std::vector<double> f = NodalForces(m);
  double work = 0.0;
  for (std::size_t d = 0; d < f.size(); ++d) work += f[d] * t.displacements[d];
  EXPECT_TRUE(Close(t.error.energySquared, work, 1e-10));
  // The support forces carry the top's total, sigma z pi R^2.
  EXPECT_TRUE(Close(t.equilibrium.sumRy, -sz * Pi * R * R, 1e-10));
}

INSTANTIATE_TEST_SUITE_P(Orders, AxisymmetricPatch,
                         ::testing::Values(PatchCase{1, 0.0}, PatchCase{1, 0.6}, PatchCase{2, 0.0},
                                           PatchCase{2, 0.6}));

// A long thick cylinder, a = 1 <= r <= b = 2, held along its axis at both
// ends (plane strain), under internal pressure p. Lame:
//   u(a) = (1 + mu) p a^2 / (E (b^2 - a^2)) ((1 - 2 mu) a + b^2 / a),
//   sigma theta(a) = p (b^2 + a^2) / (b^2 - a^2).
// The worst relative error over the bore's corner nodes.
struct BoreErrors {
  double u = 0.0;
  double hoop = 0.0;
};

BoreErrors ThickCylinder(int32_t order, int32_t nr) {
  const double E = 2e11, mu = 0.3, p = 1e6, a = 1.0, b = 2.0;
  Section s = MakeSection(a, b, 0.25, nr, 2, order, 0.0);
  Model& m = s.model;
  MakeAxisymmetric(m, E, mu);
  for (int32_t i = 1; i <= m.nodeCount; ++i)
    if (m.nodes[i].y == 0.0 || m.nodes[i].y == 0.25) m.nodes[i].restraint = FixedY;
  Load(m, s.bore, EdgeLoadKind::Pressure, p, 0.0);
  const Solution t = Compute(m);
  // At every stress point sigma 1 >= sigma 2 >= sigma 3 order the in-plane
  // pair and sigma theta, and tau max spans all three.
  const auto& at = t.stressPoints > 1 ? t.pointStresses : t.stresses;
  const std::vector<double>& hoops = t.stressPoints > 1 ? t.pointHoop : t.hoop;
  for (std::size_t k = 0; k < hoops.size(); ++k) {
    const auto plane = PrincipalStresses({at[SigmaX - 1][k], at[SigmaY - 1][k], at[TauXY - 1][k]});
    std::array<double, 3> all = {plane[0], plane[1], hoops[k]};
    std::sort(all.begin(), all.end());
    EXPECT_TRUE(Close(at[Sigma1 - 1][k], all[2], 1e-12)) << k;
    EXPECT_TRUE(Close(at[Sigma2 - 1][k], all[1], 1e-12)) << k;
    EXPECT_TRUE(Close(at[TauMax - 1][k], (all[2] - all[0]) / 2, 1e-12)) << k;
  }
  const double u = (1 + mu) * p * a * a / (E * (b * b - a * a)) * ((1 - 2 * mu) * a + b * b / a);
  const double hoop = p * (b * b + a * a) / (b * b - a * a);
  BoreErrors worst;
  for (int32_t j = 0; j <= s.nz; ++j) {
    const int32_t node = s.Corner(0, j);
    worst.u = std::max(worst.u, std::fabs(DisplacementU(t, node) / u - 1));
    worst.hoop = std::max(worst.hoop, std::fabs(t.averaged.nodeMean[NodalHoop][static_cast<std::size_t>(node - 1)] / hoop - 1));
  }
  return worst;
}

struct LameCase {
  int32_t order;
  int32_t nr;  // radial cells of the coarser mesh; the finer has twice as many
};

class LameCylinder : public ::testing::TestWithParam<LameCase> {};

TEST_P(LameCylinder, BoreWithinHalfAPercentAndConverging) {
  const BoreErrors coarse = ThickCylinder(GetParam().order, GetParam().nr);
  const BoreErrors fine = ThickCylinder(GetParam().order, 2 * GetParam().nr);
  EXPECT_LT(coarse.u, 0.005);
  EXPECT_LT(coarse.hoop, 0.005);
  EXPECT_LT(fine.u, coarse.u);
  EXPECT_LT(fine.hoop, coarse.hoop);
}

INSTANTIATE_TEST_SUITE_P(Orders, LameCylinder, ::testing::Values(LameCase{1, 24}, LameCase{2, 12}));

// A long solid cylinder of radius b spinning at omega, held along its axis at
// both ends (plane strain). Timoshenko:
//   sigma theta = rho omega^2 ((3 - 2 mu) b^2 - (1 + 2 mu) r^2) / (8 (1 - mu)),
// at the axis (3 - 2 mu) rho omega^2 b^2 / (8 (1 - mu)), at the rim
// (1 - 2 mu) rho omega^2 b^2 / (4 (1 - mu)).
class SpinningCylinder : public ::testing::TestWithParam<int32_t> {};

TEST_P(SpinningCylinder, HoopStressAtTheAxisAndTheRim) {
  const double E = 2e11, mu = 0.3, rho = 7800, omega = 300, b = 0.5;
  const int32_t order = GetParam();
  Section s = MakeSection(0.0, b, 0.1, order == 1 ? 20 : 16, 2, order, 0.0);
  Model& m = s.model;
  MakeAxisymmetric(m, E, mu, rho);
  for (int32_t i = 1; i <= m.nodeCount; ++i)
    if (m.nodes[i].y == 0.0 || m.nodes[i].y == 0.1) m.nodes[i].restraint = FixedY;
  m.conditions.spin = omega;
  const Solution t = Compute(m);
  const double scale = rho * omega * omega * b * b / (8 * (1 - mu));
  const auto hoopAt = [&](int32_t i) { return t.averaged.nodeMean[NodalHoop][static_cast<std::size_t>(s.Corner(i, 1) - 1)]; };
  EXPECT_TRUE(Close(hoopAt(0), (3 - 2 * mu) * scale, 0.01));
  EXPECT_TRUE(Close(hoopAt(s.nr), 2 * (1 - 2 * mu) * scale, 0.01));
}

INSTANTIATE_TEST_SUITE_P(Orders, SpinningCylinder, ::testing::Values(1, 2));

// The ring loads are totals over the circumference, exact for straight-sided
// elements: the spin's rho omega^2 r over a ring r0..r1 of height h gives
// 2 pi h rho omega^2 (r1^3 - r0^3) / 3 radially, self-weight rho g pi
// (r1^2 - r0^2) h, a pressure on the outer face 2 pi r1 h p inward and a
// traction on the top 2 pi tz (r1^2 - r0^2) / 2.
TEST(RingLoads, TotalsOverTheCircumference) {
  for (const int32_t order : {1, 2}) {
    const double r0 = 0.3, r1 = 1.7, h = 0.6, rho = 2.5, omega = 3.0, g = -9.81, p = 4.0, tz = 7.0;
    Section s = MakeSection(r0, r1, h, 3, 2, order, 0.4);
    Model& m = s.model;
    MakeAxisymmetric(m, 1.0, 0.2, rho);
    m.conditions.spin = omega;
    m.conditions.gravity = {0.0, g};
    Load(m, s.outer, EdgeLoadKind::Pressure, p, 0.0);
    Load(m, s.top, EdgeLoadKind::Traction, 0.0, tz);
    const std::vector<double> f = NodalForces(m);
    double fx = 0.0, fy = 0.0;
    for (std::size_t d = 0; d < f.size(); d += 2) {
      fx += f[d];
      fy += f[d + 1];
    }
    const double spin = 2 * Pi * h * rho * omega * omega * (r1 * r1 * r1 - r0 * r0 * r0) / 3;
    EXPECT_TRUE(Close(fx, spin - 2 * Pi * r1 * h * p, 1e-12)) << order;
    EXPECT_TRUE(Close(fy, rho * g * Pi * (r1 * r1 - r0 * r0) * h + Pi * tz * (r1 * r1 - r0 * r0), 1e-12)) << order;
  }
}

// von Mises of a solid of revolution from its four components.
TEST(RingVonMises, FromTheFourComponents) {
  EXPECT_EQ(RingVonMises(2.0, 2.0, 0.0, 2.0), 0.0);  // hydrostatic
  EXPECT_TRUE(Close(RingVonMises(0.0, 0.0, 1.0, 0.0), std::sqrt(3.0)));
  EXPECT_TRUE(Close(RingVonMises(0.0, 0.0, 0.0, 5.0), 5.0));
  EXPECT_TRUE(Close(RingVonMises(1.0, -1.0, 0.0, 0.0), std::sqrt(3.0)));
}

// What an axisymmetric compute refuses, and a spin in a plane model.
struct Refusal {
  const char* what;
  std::function<void(Model&)> change;
  std::string message;
};

class AxisymmetricRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(AxisymmetricRefusal, WithItsMessage) {
  Section s = MakeSection(0.0, 1.0, 1.0, 2, 2, 1, 0.0);
  MakeAxisymmetric(s.model, 1.0, 0.3);
  HoldBottom(s);
  try {
    GetParam().change(s.model);
    Compute(s.model);
    FAIL() << "computed";
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AxisymmetricRefusal,
    ::testing::Values(
        Refusal{"negative radius", [](Model& m) { m.nodes[5].x = -1e-9; }, messages::NegativeRadius(5)},
        Refusal{"spin in a plane model",
                [](Model& m) {
                  SetMaterial(m, EnteredMaterial{PlaneStrain, 1.0, 0.3, 1.0, 1.0, 0.0});
                  m.conditions.spin = 10.0;
                },
                messages::SpinNeedsAxisymmetric},
        Refusal{"gravity across the axis", [](Model& m) { m.conditions.gravity = {9.81, 0.0}; },
                messages::GravityAcrossAxis},
        Refusal{"incompressible", [](Model& m) { SetMaterial(m, EnteredMaterial{Axisymmetric, 1.0, 0.5, 1.0, 0.0, 0.0}); },
                messages::PoissonRatioTooLargeAxisymmetric},
        Refusal{"free along the axis",
                [](Model& m) {
                  for (int32_t i = 1; i <= m.nodeCount; ++i) m.nodes[i].restraint = Free;
                },
                messages::SingularBecause(messages::PartFreeToSlide(1, 'y'))}),
    [](const auto& info) {
      std::string name = info.param.what;
      std::replace(name.begin(), name.end(), ' ', '_');
      return name;
    });

}  // namespace
}  // namespace trivane
