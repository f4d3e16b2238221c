// The six-node triangle: the patch test on a distorted mesh with a curved
// side, a quadratic field the three-node triangle cannot hold reproduced
// exactly, and the consistent forces of loads on its sides.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "analysis/loads/loads.h"
#include "reference_solver.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::Close;
using Field = std::function<std::array<double, 2>(PlanePoint)>;

// A distorted patch of ten triangles, corners 1-4 on the outline and 5-8
// inside, with a node on the middle of every side; `bend` moves the middle
// node of the inner side 5-7 off its chord, curving two elements.
Model SixNodePatch(double bend) {
  const double corners[8][2] = {{0, 0}, {2, 0}, {2.2, 1.8}, {0, 2}, {0.7, 0.4}, {1.5, 0.6}, {1.1, 1.4}, {0.4, 1.2}};
  const int32_t triangles[10][3] = {{1, 2, 6}, {1, 6, 5}, {2, 3, 6}, {6, 3, 7}, {3, 4, 7},
                                    {7, 4, 8}, {4, 1, 8}, {8, 1, 5}, {5, 6, 7}, {5, 7, 8}};
  Model m;
  for (const auto& c : corners) m.nodes[++m.nodeCount] = Node{c[0], c[1], 0, 0, 0.0, 0.0};
  std::map<std::pair<int32_t, int32_t>, int32_t> middle;
  for (const auto& t : triangles) {
    Element& e = m.elements[++m.elementCount];
    e.count = 6;
    for (int k = 0; k < 3; ++k) {
      const int32_t a = t[k], b = t[(k + 1) % 3];
      e.node[static_cast<std::size_t>(k)] = a;
      auto [it, added] = middle.emplace(std::pair{std::min(a, b), std::max(a, b)}, m.nodeCount + 1);
      if (added) {
        Node& n = m.nodes[++m.nodeCount];
        n.x = 0.5 * (m.nodes[a].x + m.nodes[b].x);
        n.y = 0.5 * (m.nodes[a].y + m.nodes[b].y) + (std::min(a, b) == 5 && std::max(a, b) == 7 ? bend : 0.0);
      }
      e.node[static_cast<std::size_t>(k + 3)] = it->second;
    }
  }
  m.elementOrder = 2;
  m.material = Material{0.27, 3.0e3, 0.4};
  return m;
}

// Nodes on the outline are moved by `field`; the others are found from the
// assembled stiffness, K_ii u_i = -K_ib u_b. Returns every node's displacements.
std::vector<double> SolveInside(const Model& m, const Field& field) {
  const FiniteElement& element = ElementTypeOf(m);
  const int n = 2 * m.nodeCount;
  std::vector<double> K(static_cast<std::size_t>(n * n), 0.0);
  std::map<std::pair<int32_t, int32_t>, int> sideUse;
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    const ElementMatrices em = element.Matrices(NodesOf(m, e), m.material);
    for (int i = 0; i < em.dofCount; ++i)
      for (int j = 0; j < em.dofCount; ++j)
        K[static_cast<std::size_t>((em.dof[i] - 1) * n + em.dof[j] - 1)] += em.stiffness[i][j];
    for (int k = 0; k < 3; ++k) {
      const int32_t a = m.elements[e].node[k], b = m.elements[e].node[(k + 1) % 3];
      ++sideUse[{std::min(a, b), std::max(a, b)}];
    }
  }
  std::vector<bool> outline(static_cast<std::size_t>(m.nodeCount + 1), false);
  for (int32_t e = 1; e <= m.elementCount; ++e)
    for (int k = 0; k < 3; ++k) {
      const Element& el = m.elements[e];
      const int32_t a = el.node[k], b = el.node[(k + 1) % 3];
      if (sideUse[{std::min(a, b), std::max(a, b)}] == 1) outline[a] = outline[b] = outline[el.node[k + 3]] = true;
    }
  std::vector<double> u(static_cast<std::size_t>(n));
  std::vector<int> inside;
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    const auto [ux, uy] = field({m.nodes[i].x, m.nodes[i].y});
    u[static_cast<std::size_t>(2 * i - 2)] = ux, u[static_cast<std::size_t>(2 * i - 1)] = uy;
    if (!outline[static_cast<std::size_t>(i)]) inside.insert(inside.end(), {2 * i - 2, 2 * i - 1});
  }
  const int32_t count = static_cast<int32_t>(inside.size());
  testing::DenseSystem s{count, std::vector<double>(static_cast<std::size_t>(count * count)),
                         std::vector<double>(static_cast<std::size_t>(count))};
  std::vector<bool> isInside(static_cast<std::size_t>(n), false);
  for (const int d : inside) isInside[static_cast<std::size_t>(d)] = true;
  for (int r = 0; r < count; ++r) {
    const int row = inside[static_cast<std::size_t>(r)];
    for (int c = 0; c < count; ++c) s.K(r + 1, c + 1) = K[static_cast<std::size_t>(row * n + inside[static_cast<std::size_t>(c)])];
    for (int c = 0; c < n; ++c)
      if (!isInside[static_cast<std::size_t>(c)]) s.F(r + 1) -= K[static_cast<std::size_t>(row * n + c)] * u[static_cast<std::size_t>(c)];
  }
  EXPECT_TRUE(testing::ReferenceSolve(s));
  for (int r = 0; r < count; ++r) u[static_cast<std::size_t>(inside[static_cast<std::size_t>(r)])] = s.F(r + 1);
  return u;
}

// The stresses D B u at element e's corners.
std::array<std::array<double, 3>, 3> CornerStresses(const Model& m, int32_t e, const std::vector<double>& u) {
  const ElementMatrices em = ElementTypeOf(m).Matrices(NodesOf(m, e), m.material);
  std::array<std::array<double, 3>, 3> sigma{};
  for (int p = 0; p < 3; ++p)
    for (int r = 0; r < 3; ++r)
      for (int j = 0; j < em.dofCount; ++j)
        sigma[static_cast<std::size_t>(p)][static_cast<std::size_t>(r)] += em.stress[p][r][j] * u[static_cast<std::size_t>(em.dof[j] - 1)];
  return sigma;
}

// A linear field is held exactly, inner nodes and stresses alike, on straight
// and on curved elements: the isoparametric map reproduces it whatever the sides.
TEST(QuadraticTriangle, PatchTestOnADistortedMeshWithACurvedSide) {
  for (const double bend : {0.0, 0.15}) {
    const Model m = SixNodePatch(bend);
    const Field field = [](PlanePoint p) {
      return std::array<double, 2>{1e-3 + 2e-3 * p.x - 1e-3 * p.y, -4e-3 + 5e-4 * p.x + 3e-3 * p.y};
    };
    const std::vector<double> u = SolveInside(m, field);
    for (int32_t i = 1; i <= m.nodeCount; ++i) {
      const auto [ux, uy] = field({m.nodes[i].x, m.nodes[i].y});
      EXPECT_NEAR(u[static_cast<std::size_t>(2 * i - 2)], ux, 1e-12) << bend << " node " << i;
      EXPECT_NEAR(u[static_cast<std::size_t>(2 * i - 1)], uy, 1e-12) << bend << " node " << i;
    }
    const ConstitutiveMatrix d = ElementTypeOf(m).D(m.material);
    const double strain[3] = {2e-3, 3e-3, -1e-3 + 5e-4};
    for (int32_t e = 1; e <= m.elementCount; ++e)
      for (const auto& sigma : CornerStresses(m, e, u))
        for (int r = 0; r < 3; ++r)
          EXPECT_TRUE(Close(sigma[static_cast<std::size_t>(r)], d[r][0] * strain[0] + d[r][1] * strain[1] + d[r][2] * strain[2], 1e-11))
              << bend << " element " << e;
  }
}

// Pure bending, u = k x y, v = -k (x^2 + nu y^2) / 2: sigma x = E k y, the
// rest zero, in equilibrium without body force. Quadratic, so beyond the
// three-node triangle; the six-node one reproduces it and its linear stress.
TEST(QuadraticTriangle, ReproducesPureBendingExactly) {
  Model m = SixNodePatch(0.0);
  m.material = Material{0.3, 200.0, 1.0};
  const double k = 1e-3, nu = m.material.mu, E = m.material.E;
  const Field field = [&](PlanePoint p) {
    return std::array<double, 2>{k * p.x * p.y, -0.5 * k * (p.x * p.x + nu * p.y * p.y)};
  };
  const std::vector<double> u = SolveInside(m, field);
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    const auto [ux, uy] = field({m.nodes[i].x, m.nodes[i].y});
    EXPECT_NEAR(u[static_cast<std::size_t>(2 * i - 2)], ux, 1e-14) << i;
    EXPECT_NEAR(u[static_cast<std::size_t>(2 * i - 1)], uy, 1e-14) << i;
  }
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    const auto sigma = CornerStresses(m, e, u);
    for (int p = 0; p < 3; ++p) {
      const double y = m.nodes[m.elements[e].node[static_cast<std::size_t>(p)]].y;
      EXPECT_NEAR(sigma[static_cast<std::size_t>(p)][0], E * k * y, 1e-11) << e << "," << p;
      EXPECT_NEAR(sigma[static_cast<std::size_t>(p)][1], 0.0, 1e-11) << e << "," << p;
      EXPECT_NEAR(sigma[static_cast<std::size_t>(p)][2], 0.0, 1e-11) << e << "," << p;
    }
  }
}

// Consistent forces on one straight side of length 5 (from (0, 0) to (3, 4),
// middle node 4): a uniform load gives 1/6, 1/6 and 2/3 of its total; a
// linear one (q1, q2) gives L q1 / 6, L q2 / 6 and L (q1 + q2) / 3; water
// whose level crosses the side gives its exact total and first moment.
TEST(QuadraticTriangle, ConsistentForcesOnASide) {
  Model m;
  const double xy[6][2] = {{0, 0}, {3, 4}, {-4, 3}, {1.5, 2}, {-0.5, 3.5}, {-2, 1.5}};
  for (const auto& p : xy) m.nodes[++m.nodeCount] = Node{p[0], p[1], 0, 0, 0.0, 0.0};
  m.elementCount = 1;
  m.elements[1] = Element{{1, 2, 3, 4, 5, 6}, 6};
  m.elementOrder = 2;
  m.material = Material{0.2, 1.0, 2.0};
  const auto forces = [&](EdgeLoad load) {
    m.conditions.edgeLoads = {load};
    return NodalForces(m);
  };
  // Uniform pressure 10 on a side of length 5, thickness 2: 100 in all,
  // against the outward normal (0.8, -0.6).
  const std::vector<double> p = forces({{1, 2}, EdgeLoadKind::Pressure, 10.0, 0.0});
  for (const auto& [node, share] : {std::pair{1, 1.0 / 6}, {2, 1.0 / 6}, {4, 2.0 / 3}}) {
    EXPECT_NEAR(p[static_cast<std::size_t>(2 * node - 2)], -80.0 * share, 1e-12) << node;
    EXPECT_NEAR(p[static_cast<std::size_t>(2 * node - 1)], 60.0 * share, 1e-12) << node;
  }
  // Water at level 10, gamma 1: q = 10 at node 1 and 6 at node 2, both wet.
  const std::vector<double> w = forces({{1, 2}, EdgeLoadKind::Water, 10.0, 1.0});
  const double L = 5.0 * 2.0;  // length times thickness
  for (const auto& [node, q] : {std::pair{1, L * 10 / 6}, {2, L * 6 / 6}, {4, L * 16 / 3}})
    EXPECT_NEAR(w[static_cast<std::size_t>(2 * node - 2)], -0.8 * q, 1e-12) << node;
  // Level 2 crosses the side at s = 1/2: q = 2 - 4 s on [0, 1/2].
  const std::vector<double> c = forces({{1, 2}, EdgeLoadKind::Water, 2.0, 1.0});
  const double total = L * 0.5, moment = L * (1.0 / 12);  // integral of q and of q s over s
  const double fx[3] = {c[0], c[2], c[6]};
  EXPECT_NEAR(fx[0] + fx[1] + fx[2], -0.8 * total, 1e-12);
  EXPECT_NEAR(fx[1] + 0.5 * fx[2], -0.8 * moment, 1e-12);
  for (int32_t node : {3, 5, 6}) EXPECT_EQ(c[static_cast<std::size_t>(2 * node - 2)], 0.0) << node;
}

// Self-weight on a straight-sided element: nothing at the corners, a third
// at each middle node; on a curved one the shares still add to the weight.
TEST(QuadraticTriangle, SelfWeightGoesToTheMiddleNodes) {
  for (const double bend : {0.0, 0.15}) {
    Model m = SixNodePatch(bend);
    const FiniteElement& element = ElementTypeOf(m);
    for (int32_t e = 1; e <= m.elementCount; ++e) {
      const ElementNodes nodes = NodesOf(m, e);
      const auto mass = element.NodalMasses(nodes, 3.0, 2.0);
      double sum = 0.0;
      for (const double share : mass) sum += share;
      EXPECT_TRUE(Close(sum, 6.0 * element.Area(nodes), 1e-13)) << e;
      if (bend == 0.0)
        for (int k = 0; k < 3; ++k) {
          EXPECT_EQ(mass[static_cast<std::size_t>(k)], 0.0);
          EXPECT_TRUE(Close(mass[static_cast<std::size_t>(k + 3)], 2.0 * element.Area(nodes), 1e-14));
        }
    }
  }
}

}  // namespace
}  // namespace trivane
