// Edge loads, self-weight and region materials, each against an answer known
// in closed form, and the causes a model that cannot stand is refused with.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "analysis/compute.h"
#include "analysis/elements/constant_strain_triangle.h"
#include "analysis/loads/loads.h"
#include "analysis/elements/material.h"
#include "model/condition_edits.h"
#include "analysis/solvers/sparse_system.h"
#include "fixtures.h"
#include "model/errors.h"
#include "model/mesh_edges.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::Close;
constexpr SolverChoice BothPaths[] = {SolverChoice::GaussJordan, SolverChoice::Cholesky};

// A width x height rectangle of columns x rows nodes, numbered row by row, nu = 0.
Model Rectangle(int32_t columns, int32_t rows, double width, double height) {
  Model m;
  for (int32_t j = 0; j < rows; ++j)
    for (int32_t i = 0; i < columns; ++i) m.nodes[++m.nodeCount] = {width * i / (columns - 1), height * j / (rows - 1)};
  for (int32_t j = 0; j + 1 < rows; ++j)
    for (int32_t i = 0; i + 1 < columns; ++i) {
      const int32_t a = j * columns + i + 1, b = a + 1, c = b + columns, d = a + columns;
      m.elements[++m.elementCount] = {a, b, c};
      m.elements[++m.elementCount] = {a, c, d};
    }
  m.material = {0.0, 1000.0, 1.0};
  return m;
}

using NodeTest = std::function<bool(const Node&)>;

void LoadBoundary(Model& m, const NodeTest& on, EdgeLoadKind kind, double a, double b = 0.0) {
  for (const Edge& e : MeshEdges(m).BoundaryEdges())
    if (on(m.nodes[e.node1]) && on(m.nodes[e.node2])) m.conditions.edgeLoads.push_back({e, kind, a, b});
}

// The elements whose centroid passes `inside` become region `name` with a material of its own.
void AddRegion(Model& m, const NodeTest& inside, double E, double mu, double rho) {
  Group g;
  g.kind = GroupKind::Region;
  g.number = 1;
  g.name = "lower";
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    Node centre;
    for (const int32_t n : m.elements[e].Nodes()) centre.x += m.nodes[n].x / 3, centre.y += m.nodes[n].y / 3;
    if (inside(centre)) g.elements.push_back(e);
  }
  m.conditions.groups.push_back(g);
  m.conditions.regionMaterials.push_back({"lower", E, mu, rho});
}

std::unique_ptr<const Solution> Computed(const Model& m, SolverChoice solver) {
  return std::make_unique<const Solution>(Compute(m, solver));
}

// Pressure on every side of an irregular patch is a uniform state that
// constant-strain triangles reproduce exactly: sigma x = sigma y = -p.
TEST(EdgeLoads, PressureAllRoundIsUniformCompression) {
  const double p = 2.5e6;
  Model m = testing::MakeModel({{0, 0, FixedXY}, {1, 0, FixedY}, {1, 1}, {0, 1}, {0.3, 0.2}, {0.7, 0.35},
                                {0.45, 0.8}, {1, 0.5}, {0, 0.5}},
                               {{1, 2, 5}, {2, 6, 5}, {2, 8, 6}, {8, 3, 6}, {3, 7, 6}, {3, 4, 7}, {4, 9, 7}, {9, 5, 7},
                                {9, 1, 5}, {5, 6, 7}},
                               {0.3, 2e11, 0.1});
  LoadBoundary(m, [](const Node&) { return true; }, EdgeLoadKind::Pressure, p);
  for (const SolverChoice solver : BothPaths) {
    const auto t = Computed(m, solver);
    for (int32_t e = 1; e <= m.elementCount; ++e) {
      EXPECT_TRUE(Close(StressValue(*t, e, SigmaX), -p, 1e-10)) << e;
      EXPECT_TRUE(Close(StressValue(*t, e, SigmaY), -p, 1e-10)) << e;
      EXPECT_LE(std::fabs(StressValue(*t, e, TauXY)), 1e-10 * p) << e;
    }
  }
}

// Two materials in series under an end traction, nu = 0: u = p L1 / E1 + p L2 / E2.
TEST(RegionMaterials, BarInSeriesStretchesByBothParts) {
  const double p = 30.0, E1 = 200.0, E2 = 1000.0;
  Model m = Rectangle(7, 2, 6.0, 1.0);  // L1 = 2 of E1, L2 = 4 of the model's E2
  m.nodes[1].restraint = FixedXY;
  m.nodes[8].restraint = FixedX;
  AddRegion(m, [](const Node& c) { return c.x < 2.0; }, E1, 0.0, 0.0);
  LoadBoundary(m, [](const Node& n) { return n.x == 6.0; }, EdgeLoadKind::Traction, p, 0.0);
  for (const SolverChoice solver : BothPaths) {
    const auto t = Computed(m, solver);
    for (const int32_t end : {7, 14}) EXPECT_TRUE(Close(DisplacementU(*t, end), p * 2 / E1 + p * 4 / E2, 1e-10));
  }
}

// The reactions at the foot carry the weight: two densities, two moduli.
TEST(SelfWeight, ColumnFootCarriesItsWeight) {
  Model m = Rectangle(3, 7, 2.0, 6.0);
  m.material = {0.2, 3e10, 0.5};
  for (int32_t i = 1; i <= 3; ++i) m.nodes[i].restraint = FixedXY;
  m.entered.rho = 1000.0;
  m.conditions.gravity = {0.0, -9.81};
  AddRegion(m, [](const Node& c) { return c.y < 2.0; }, 1e10, 0.2, 2400.0);
  const double weight = 9.81 * 0.5 * 2.0 * (2.0 * 2400.0 + 4.0 * 1000.0);
  for (const SolverChoice solver : BothPaths) {
    const Equilibrium s = Computed(m, solver)->equilibrium;
    EXPECT_TRUE(Close(s.sumRy, weight, 1e-10));
    EXPECT_TRUE(Close(s.sumFy, -weight, 1e-12));
    EXPECT_LE(std::fabs(s.sumRx), 1e-9 * weight);
  }
}

// Water to 2.5 on both faces of a block of height 3: the level crosses the
// top edges, listed downwards on one face and upwards on the other. On each
// face the consistent forces carry the resultant gamma h^2 t / 2 and its
// moment about the foot gamma h^3 t / 6 exactly.
TEST(EdgeLoads, WaterUpToALevelInsideAnEdge) {
  const double gamma = 9810.0, h = 2.5, t = 0.5;
  Model m = Rectangle(2, 4, 1.0, 3.0);
  m.material.t = t;
  for (const double x : {0.0, 1.0})
    LoadBoundary(m, [x](const Node& n) { return n.x == x; }, EdgeLoadKind::Water, h, gamma);
  const std::vector<double> f = NodalForces(m);
  double fx[2] = {}, moment[2] = {}, fy = 0.0;
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    const auto face = static_cast<std::size_t>(m.nodes[i].x);
    fx[face] += f[2 * i - 2];
    moment[face] += f[2 * i - 2] * m.nodes[i].y;
    fy += std::fabs(f[2 * i - 1]);
  }
  for (const double sense : {1.0, -1.0}) {
    const std::size_t face = sense > 0.0 ? 0 : 1;
    EXPECT_TRUE(Close(fx[face], sense * gamma * h * h * t / 2, 1e-14));
    EXPECT_TRUE(Close(moment[face], sense * gamma * h * h * h * t / 6, 1e-14));
  }
  EXPECT_EQ(fy, 0.0);
}

// The hypotenuse from (4, 0) to (0, 3) has the outward normal (3, 4) / 5,
// whichever way the triangle and the edge are listed.
struct InclinedRow {
  Element element;
  Edge edge;
  EdgeLoadKind kind;
  Force atEachEnd;  // t = 2, pressure 10 or traction (1, -2)
};

class InclinedEdge : public ::testing::TestWithParam<InclinedRow> {};

TEST_P(InclinedEdge, ForcesOnBothEnds) {
  const InclinedRow& r = GetParam();
  // Node 1 carries a load of 0 pointing in -x: its x force is -0.0, which the
  // suction on the bottom edge, adding nothing in x, must leave as it is.
  Model m = testing::MakeModel({{0, 0, 0, 0.0, 180.0}, {4, 0}, {0, 3}}, {r.element}, {0.25, 1.0, 2.0});
  m.conditions.edgeLoads = {{r.edge, r.kind, r.kind == EdgeLoadKind::Pressure ? 10.0 : 1.0, -2.0},
                            {{1, 2}, EdgeLoadKind::Pressure, -1.0}};
  const std::vector<double> f = NodalForces(m);
  EXPECT_TRUE(std::signbit(f[0]) && f[0] == 0.0);
  EXPECT_TRUE(Close(f[2], r.atEachEnd.x, 1e-15));
  EXPECT_TRUE(Close(f[3], r.atEachEnd.y - 4.0, 1e-15));  // with node 2's half of the suction
  EXPECT_TRUE(Close(f[4], r.atEachEnd.x, 1e-15));
  EXPECT_TRUE(Close(f[5], r.atEachEnd.y, 1e-15));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InclinedEdge,
    ::testing::Values(InclinedRow{{1, 2, 3}, {2, 3}, EdgeLoadKind::Pressure, {-30.0, -40.0}},
                      InclinedRow{{1, 3, 2}, {2, 3}, EdgeLoadKind::Pressure, {-30.0, -40.0}},
                      InclinedRow{{1, 2, 3}, {3, 2}, EdgeLoadKind::Pressure, {-30.0, -40.0}},
                      InclinedRow{{3, 2, 1}, {3, 2}, EdgeLoadKind::Pressure, {-30.0, -40.0}},
                      InclinedRow{{1, 3, 2}, {3, 2}, EdgeLoadKind::Traction, {5.0, -10.0}}));

TEST(EdgeLoads, OnlyOnTheBoundary) {
  Model m = testing::MakeModel({{0, 0, FixedXY}, {1, 0, FixedY}, {1, 1}, {0, 1}}, {{1, 2, 3}, {1, 3, 4}});
  for (const auto& [edge, message] : {std::pair{Edge{3, 1}, "结点 3 与 1 之间的边是两个单元共用的内部边，不能加边荷载"},
                                      std::pair{Edge{2, 4}, "结点 2 与 4 之间没有单元的边"},
                                      std::pair{Edge{4, 5}, "结点 4 与 5 之间没有单元的边"}}) {
    m.conditions.edgeLoads = {{edge, EdgeLoadKind::Pressure, 1.0}};
    try {
      Compute(m);
      ADD_FAILURE() << message;
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), message);
    }
  }
}

// A region over every element computes exactly as the model's own material,
// plane strain conversion, thickness and von Mises included.
TEST(RegionMaterials, ARegionOverEverythingIsTheModelsOwnMaterial) {
  Model own = Rectangle(5, 3, 4.0, 1.0);
  own.nodes[1].restraint = FixedXY;
  own.nodes[11].restraint = FixedX;
  own.nodes[15].load = 7.0;
  own.nodes[15].loadAngle = -60.0;
  Model region = own;
  SetMaterial(own, {PlaneStrain, 3e9, 0.35, 0.2});
  SetMaterial(region, {PlaneStrain, 2e11, 0.1, 0.2});
  AddRegion(region, [](const Node&) { return true; }, 3e9, 0.35, 0.0);
  const auto a = Computed(own, SolverChoice::GaussJordan);
  const auto b = Computed(region, SolverChoice::GaussJordan);
  const auto same = [](std::span<const double> x, std::span<const double> y, std::size_t n) {
    return std::memcmp(x.data(), y.data(), n * sizeof(double)) == 0;
  };
  EXPECT_TRUE(same(a->displacements, b->displacements, 30));
  EXPECT_TRUE(same(StressValues(*a, SigmaX), StressValues(*b, SigmaX), 16));
  EXPECT_TRUE(same(a->mises, b->mises, 16));
}

// The floor is 1e-12 of the largest diagonal, here degree of freedom 6, the last.
TEST(PivotFloor, FromTheLargestDiagonalOfTheSparseBuild) {
  const Model m = testing::MakeModel({{0, 0}, {10, 0}, {5, 1}}, {{1, 2, 3}});
  StressMatrices stressMatrices;
  const ElementMatrices element = ElementTypeOf(m).Matrices(NodesOf(m, 1), m.material);
  const double k66 = element.stiffness[5][5];
  for (int d = 0; d < 5; ++d) ASSERT_LT(element.stiffness[d][d], k66);
  EXPECT_EQ(BuildSparseSystem(m, SystemInputOf(m), stressMatrices).minimumPivot, 1e-12 * k66);
}

// Why a model cannot stand, on both solver paths.
struct CauseRow {
  const char* name;
  Model model;
  const char* message;
};

class SingularCause : public ::testing::TestWithParam<CauseRow> {};

TEST_P(SingularCause, NamesTheFirstPartOrNode) {
  for (const SolverChoice solver : BothPaths) {
    try {
      Compute(GetParam().model, solver);
      ADD_FAILURE() << "computed";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), GetParam().message);
    }
  }
}

// Two triangles: 1-2-3 and 4-5-6, or sharing node 3 as a hinge: 1-2-3 and
// 3-4-5, with node 6 then held on its own.
Model Pair(int32_t r1, int32_t r2, int32_t r3, int32_t r4, int32_t r5, bool hinged = false) {
  return testing::MakeModel({{0, 0, r1}, {1, 0, r2}, {0, 1, r3}, {2, 0, r4}, {3, 0, r5}, {3, 1, hinged ? FixedXY : 0}},
                            {{1, 2, 3}, hinged ? Element{3, 4, 5} : Element{4, 5, 6}});
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SingularCause,
    ::testing::Values(
        CauseRow{"SecondPartUnsupported", Pair(FixedXY, FixedY, 0, 0, 0), "Singular matrix.\n结点 4 所在的部分没有任何约束"},
        CauseRow{"TurnsAboutAPin", Pair(FixedXY, 0, 0, FixedXY, FixedY), "Singular matrix.\n结点 1 所在的部分的约束挡不住转动"},
        CauseRow{"XHeldOnOneLineYAtOnePoint", Pair(FixedXY, FixedX, 0, FixedXY, FixedY),
                 "Singular matrix.\n结点 1 所在的部分的约束挡不住转动"},
        CauseRow{"YHeldOnOneVerticalXAtOnePoint", Pair(FixedXY, 0, FixedY, FixedXY, FixedY),
                 "Singular matrix.\n结点 1 所在的部分的约束挡不住转动"},
        CauseRow{"SlidesInX", Pair(FixedY, FixedY, 0, FixedXY, FixedY), "Singular matrix.\n结点 1 所在的部分在 x 方向没有约束"},
        CauseRow{"ALoneNode",
                 testing::MakeModel({{0, 0, FixedXY}, {5, 5, FixedY}, {1, 0, FixedY}, {0, 1}}, {{1, 3, 4}}),
                 "Singular matrix.\n结点 2 不属于任何单元，又未在两个方向上固定"},
        // Held by its supports, but free to turn about the node it shares: no cause to name.
        CauseRow{"HingedThroughOneNode", Pair(FixedXY, FixedY, 0, 0, 0, true), "Singular matrix."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace trivane
