// The element interface, held to the formulas: B and D as the theory writes
// them, Ke and the stress matrices as B^T D B t A and D B, the shape
// functions, and the patch test through nothing but the interface.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "fixtures.h"
#include "reference_solver.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::Close;

// An obtuse triangle listed clockwise and an acute one counter-clockwise.
const std::array<Model, 2> Triangles = {
    testing::MakeModel({{0.3, -0.2}, {-1.1, 0.9}, {2.4, 0.7}}, {{1, 2, 3}}, {0.3, 7.0e4, 0.2}),
    testing::MakeModel({{1.0, 1.0}, {3.5, 1.4}, {1.8, 2.9}}, {{1, 2, 3}}, {0.0, 2.0, 1.5})};

// The gradient of the linear function that is 1 at corner k and 0 at the
// others, from the inverse of [1 x y] at the corners (Cramer's rule).
std::array<double, 2> ShapeGradient(const ElementNodes& n, int k) {
  const PlanePoint a = n.at[static_cast<std::size_t>(k)], b = n.at[static_cast<std::size_t>((k + 1) % 3)],
                   c = n.at[static_cast<std::size_t>((k + 2) % 3)];
  const double det = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  return {(b.y - c.y) / det, (c.x - b.x) / det};
}

TEST(ConstantStrainTriangle, BAndDAreTheFormulas) {
  for (const Model& m : Triangles) {
    const FiniteElement& element = ElementTypeOf(m);
    const ElementNodes nodes = NodesOf(m, 1);
    const double E = m.material.E, nu = m.material.mu;
    // Plane stress: D = E / (1 - nu^2) [1 nu 0; nu 1 0; 0 0 (1 - nu) / 2].
    const double f = E / (1 - nu * nu);
    const double D[3][3] = {{f, f * nu, 0}, {f * nu, f, 0}, {0, 0, f * (1 - nu) / 2}};
    const ConstitutiveMatrix d = element.D(m.material);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) EXPECT_TRUE(Close(d[i][j], D[i][j])) << i << j;
    // B: eps x = dN/dx u, eps y = dN/dy v, gamma xy = dN/dy u + dN/dx v.
    const StrainMatrix b = element.B(nodes, {0.2, 0.3});
    for (int k = 0; k < 3; ++k) {
      const auto [dx, dy] = ShapeGradient(nodes, k);
      const double expected[3][2] = {{dx, 0}, {0, dy}, {dy, dx}};
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) EXPECT_TRUE(Close(b[r][2 * k + c], expected[r][c])) << r << k << c;
    }
  }
}

// The closed forms the element uses are B^T D B t A and D B.
TEST(ConstantStrainTriangle, MatricesAreBTransposeDBAndDB) {
  for (const Model& m : Triangles) {
    const FiniteElement& element = ElementTypeOf(m);
    const ElementNodes nodes = NodesOf(m, 1);
    const ElementMatrices matrices = element.Matrices(nodes, m.material);
    ASSERT_EQ(matrices.dofCount, 6);
    ASSERT_EQ(element.IntegrationPoints().size(), 1u);
    const IntegrationPoint p = element.IntegrationPoints()[0];
    const StrainMatrix b = element.B(nodes, p.at);
    const ConstitutiveMatrix d = element.D(m.material);
    const double volume = p.weight * element.Area(nodes) * m.material.t;
    double db[3][6] = {};
    for (int r = 0; r < 3; ++r)
      for (int j = 0; j < 6; ++j)
        for (int k = 0; k < 3; ++k) db[r][j] += d[r][k] * b[k][j];
    for (int r = 0; r < 3; ++r)
      for (int j = 0; j < 6; ++j) EXPECT_TRUE(Close(matrices.stress[0][r][j], db[r][j], 1e-11)) << r << j;
    for (int i = 0; i < 6; ++i)
      for (int j = 0; j < 6; ++j) {
        double k = 0.0;
        for (int r = 0; r < 3; ++r) k += b[r][i] * db[r][j];
        EXPECT_TRUE(Close(matrices.stiffness[i][j], k * volume, 1e-11)) << i << j;
      }
  }
}

// The shape functions interpolate the corners, sum to one, reproduce the
// position, and the inverse map finds them again from the point.
TEST(ConstantStrainTriangle, ShapeFunctionsAndTheirInverse) {
  const Model& m = Triangles[0];
  const FiniteElement& element = ElementTypeOf(m);
  const ElementNodes nodes = NodesOf(m, 1);
  for (const ReferencePoint at : {ReferencePoint{0, 0}, {1, 0}, {0, 1}, {0.25, 0.6}, {0.7, 0.1}}) {
    const ShapeValues n = element.N(at);
    const double x[3] = {nodes.at[0].x, nodes.at[1].x, nodes.at[2].x};
    const double y[3] = {nodes.at[0].y, nodes.at[1].y, nodes.at[2].y};
    const PlanePoint p{Interpolate(n, {x, 3}), Interpolate(n, {y, 3})};
    EXPECT_TRUE(Close(n[0] + n[1] + n[2], 1.0));
    const ShapeValues back = element.ShapeAt(nodes, p);
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(Close(back[static_cast<std::size_t>(k)], n[static_cast<std::size_t>(k)], 1e-13));
  }
}

// The patch test: on a distorted mesh, the boundary nodes moved by a linear
// field, the interior nodes found by the assembled stiffness land on that
// field and every element has the one uniform stress D eps.
TEST(PatchTest, UniformStressThroughTheInterface) {
  const Model m = testing::MakeModel({{0, 0},
                                      {2, 0},
                                      {2.2, 1.8},
                                      {0, 2},
                                      {0.7, 0.4},
                                      {1.5, 0.6},
                                      {1.1, 1.4},
                                      {0.4, 1.2}},
                                     {{1, 2, 6}, {1, 6, 5}, {2, 3, 6}, {6, 3, 7}, {3, 4, 7}, {7, 4, 8},
                                      {4, 1, 8}, {8, 1, 5}, {5, 6, 7}, {5, 7, 8}},
                                     {0.27, 3.0e3, 0.4});
  const auto field = [](PlanePoint p) { return std::array<double, 2>{1e-3 + 2e-3 * p.x - 1e-3 * p.y, -4e-3 + 5e-4 * p.x + 3e-3 * p.y}; };
  const double strain[3] = {2e-3, 3e-3, -1e-3 + 5e-4};
  const FiniteElement& element = ElementTypeOf(m);
  const int n = 2 * m.nodeCount;
  std::vector<double> K(static_cast<std::size_t>(n * n), 0.0);
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    const ElementMatrices em = element.Matrices(NodesOf(m, e), m.material);
    for (int i = 0; i < em.dofCount; ++i)
      for (int j = 0; j < em.dofCount; ++j)
        K[static_cast<std::size_t>((em.dof[i] - 1) * n + em.dof[j] - 1)] += em.stiffness[i][j];
  }
  std::vector<double> u(static_cast<std::size_t>(n));
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    const auto [ux, uy] = field({m.nodes[i].x, m.nodes[i].y});
    u[static_cast<std::size_t>(2 * i - 2)] = ux, u[static_cast<std::size_t>(2 * i - 1)] = uy;
  }
  // Nodes 5 to 8 are inside: K_ii u_i = -K_ib u_b.
  testing::DenseSystem s{8, std::vector<double>(64), std::vector<double>(8)};
  for (int r = 0; r < 8; ++r) {
    for (int c = 0; c < 8; ++c) s.K(r + 1, c + 1) = K[static_cast<std::size_t>((8 + r) * n + 8 + c)];
    for (int c = 0; c < 8; ++c) s.F(r + 1) -= K[static_cast<std::size_t>((8 + r) * n + c)] * u[static_cast<std::size_t>(c)];
  }
  ASSERT_TRUE(testing::ReferenceSolve(s));
  for (int r = 0; r < 8; ++r) EXPECT_TRUE(Close(s.F(r + 1), u[static_cast<std::size_t>(8 + r)], 1e-12)) << r;
  for (int r = 0; r < 8; ++r) u[static_cast<std::size_t>(8 + r)] = s.F(r + 1);

  const ConstitutiveMatrix d = element.D(m.material);
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    const ElementMatrices em = element.Matrices(NodesOf(m, e), m.material);
    for (int r = 0; r < 3; ++r) {
      double sigma = 0.0;
      for (int j = 0; j < em.dofCount; ++j) sigma += em.stress[0][r][j] * u[static_cast<std::size_t>(em.dof[j] - 1)];
      const double expected = d[r][0] * strain[0] + d[r][1] * strain[1] + d[r][2] * strain[2];
      EXPECT_TRUE(Close(sigma, expected, 1e-11)) << e << "," << r;
    }
  }
}

}  // namespace
}  // namespace trivane
