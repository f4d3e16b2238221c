// The sparse Cholesky path: agreement with Gauss-Jordan on the examples, the
// switch between them at 500 nodes, a patch test on a large distorted mesh,
// and large models that cannot be solved.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "analysis/solvers/cholesky.h"
#include "analysis/compute.h"
#include "analysis/elements/material.h"
#include "meshes.h"
#include "model/errors.h"

namespace trivane {
namespace {

std::unique_ptr<const Solution> Solved(const Model& m, SolverChoice solver) {
  return std::make_unique<const Solution>(Compute(m, solver));
}

std::string FailureOf(const Model& m, SolverChoice solver = SolverChoice::Automatic) {
  try {
    Solved(m, solver);
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// The result columns of a compute: u, v, then the six stress components.
std::vector<std::vector<double>> ResultColumns(const Model& m, const Solution& t) {
  std::vector<std::vector<double>> columns(2 + StressComponentCount);
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    columns[0].push_back(DisplacementU(t, i));
    columns[1].push_back(DisplacementV(t, i));
  }
  for (int32_t k = 1; k <= StressComponentCount; ++k)
    for (int32_t e = 1; e <= m.elementCount; ++e) columns[static_cast<std::size_t>(1 + k)].push_back(StressValue(t, e, k));
  return columns;
}

struct ExampleRow {
  const char* name;
  Model (*make)();
  Material material;
};

class CholeskyAgreesWithGaussJordan : public ::testing::TestWithParam<ExampleRow> {};

TEST_P(CholeskyAgreesWithGaussJordan, ToOneInTenBillionOfEachColumnsLargest) {
  Model m = GetParam().make();
  m.material = GetParam().material;
  const auto dense = ResultColumns(m, *Solved(m, SolverChoice::GaussJordan));
  const auto sparse = ResultColumns(m, *Solved(m, SolverChoice::Cholesky));
  for (std::size_t c = 0; c < dense.size(); ++c) {
    double largest = 0.0;
    for (const double v : dense[c]) largest = std::fmax(largest, std::fabs(v));
    ASSERT_GT(largest, 0.0) << c;
    for (std::size_t i = 0; i < dense[c].size(); ++i)
      ASSERT_LE(std::fabs(sparse[c][i] - dense[c][i]), 1e-10 * largest) << "column " << c << ", entry " << i + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CholeskyAgreesWithGaussJordan,
    ::testing::Values(ExampleRow{"Cantilever", [] { return examples::CantileverPlate(31, 7); }, Material{}},
                      ExampleRow{"PlateWithHole", [] { return examples::PlateWithHole(16, 12); },
                                 ElementConstants({PlaneStrain, 2.1e11, 0.3, 0.01})},
                      ExampleRow{"CookMembrane", [] { return examples::CookMembrane(16); },
                                 ElementConstants({PlaneStrain, 1.0, 0.3333, 1.0})}),
    [](const auto& info) { return std::string(info.param.name); });

// Two-by-two systems given as their upper triangle: a solvable one, and the
// two ways a matrix is refused: not positive definite (the factorisation
// stops), and positive definite with a pivot under the guard's floor.
struct TwoByTwo {
  const char* name;
  double k11, k12, k22, minimumPivot;
  std::vector<double> solution;  // empty: refused as singular
};

class CholeskyOfTwoByTwo : public ::testing::TestWithParam<TwoByTwo> {};

TEST_P(CholeskyOfTwoByTwo, SolvesOrRefuses) {
  const TwoByTwo& c = GetParam();
  SparseSystem s;
  s.order = 2;
  s.columnStart = {0, 1, 3};
  s.rows = {0, 0, 1};
  s.values = {c.k11, c.k12, c.k22};
  s.rhs = {2.0, 1.0};
  s.minimumPivot = c.minimumPivot;
  std::vector<double> u;
  std::string failure;
  try {
    u = SolveCholesky(s);
  } catch (const Error& e) {
    failure = e.what();
  }
  EXPECT_EQ(failure, c.solution.empty() ? "Singular matrix." : "");
  for (std::size_t i = 0; i < c.solution.size(); ++i) EXPECT_NEAR(u.at(i), c.solution[i], 1e-15);
}

INSTANTIATE_TEST_SUITE_P(Rows, CholeskyOfTwoByTwo,
                         ::testing::Values(TwoByTwo{"PositiveDefinite", 4, 2, 3, 1e-12, {0.5, 0.0}},
                                           TwoByTwo{"Indefinite", 1, 2, 1, 0.0, {}},
                                           TwoByTwo{"NegativeFirstPivot", -1, 0, 1, 0.0, {}},
                                           TwoByTwo{"PivotUnderTheFloor", 1, 0, 1e-14, 1e-12, {}},
                                           TwoByTwo{"ZeroPivot", 1, 1, 1, 0.0, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

bool SameDisplacementBits(const Model& m, const Solution& a, const Solution& b) {
  return std::memcmp(a.displacements.data(), b.displacements.data(),
                     sizeof(double) * static_cast<std::size_t>(2 * m.nodeCount)) == 0;
}

// Up to 500 nodes the automatic choice is Gauss-Jordan, bit for bit; above it
// is Cholesky, and Gauss-Jordan asked for by name is refused.
TEST(SolverChoice, SwitchesAfterFiveHundredNodes) {
  const Model at = examples::CantileverPlate(50, 10);
  ASSERT_EQ(at.nodeCount, 500);
  EXPECT_TRUE(SameDisplacementBits(at, *Solved(at, SolverChoice::Automatic), *Solved(at, SolverChoice::GaussJordan)));
  EXPECT_FALSE(SameDisplacementBits(at, *Solved(at, SolverChoice::Automatic), *Solved(at, SolverChoice::Cholesky)));

  const Model above = examples::CantileverPlate(167, 3);
  ASSERT_EQ(above.nodeCount, 501);
  EXPECT_TRUE(
      SameDisplacementBits(above, *Solved(above, SolverChoice::Automatic), *Solved(above, SolverChoice::Cholesky)));
  EXPECT_EQ(FailureOf(above, SolverChoice::GaussJordan), "结点数 501 超出计算上限 500");
}

// A uniform tension on a mesh of 141 x 141 nodes whose inner nodes are moved
// at random: constant-strain triangles reproduce the uniform state exactly,
// whatever their shapes, so every element carries sigma x = p and nothing else.
TEST(PatchTest, UniformTensionIsExactOnADistortedMeshOfTwentyThousandNodes) {
  constexpr int32_t side = 141;
  constexpr double h = 1.0 / (side - 1), p = 1e6, E = 2e11, mu = 0.3;
  std::mt19937 random(42);
  std::uniform_real_distribution<double> shake(-0.15 * h, 0.15 * h);
  Model m;
  for (int32_t j = 0; j < side; ++j)
    for (int32_t i = 0; i < side; ++i) {
      Node& node = m.nodes[++m.nodeCount];
      const bool inner = i > 0 && j > 0 && i < side - 1 && j < side - 1;
      node.x = i * h + (inner ? shake(random) : 0.0);
      node.y = j * h + (inner ? shake(random) : 0.0);
      if (i == 0) node.restraint = j == 0 ? FixedXY : FixedX;
      if (i == side - 1) node.load = (j == 0 || j == side - 1) ? p * h / 2 : p * h;
    }
  for (int32_t j = 0; j + 1 < side; ++j)
    for (int32_t i = 0; i + 1 < side; ++i) {
      const int32_t a = j * side + i + 1, b = a + 1, c = a + side + 1, d = a + side;
      m.elements[++m.elementCount] = {a, b, c};
      m.elements[++m.elementCount] = {a, c, d};
    }
  // A load on a fixed node goes to the support and moves nothing.
  m.nodes[1].load = 5e5;
  m.nodes[1].loadAngle = 30.0;
  m.material = {mu, E, 1.0};
  UpdateBounds(m);
  ASSERT_EQ(m.nodeCount, 19881);

  const auto t = Solved(m, SolverChoice::Automatic);
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    ASSERT_NEAR(StressValue(*t, e, SigmaX), p, 1e-9 * p) << e;
    ASSERT_NEAR(StressValue(*t, e, SigmaY), 0.0, 1e-9 * p) << e;
    ASSERT_NEAR(StressValue(*t, e, TauXY), 0.0, 1e-9 * p) << e;
  }
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    ASSERT_NEAR(DisplacementU(*t, i), p / E * m.nodes[i].x, 1e-9 * p / E) << i;
    ASSERT_NEAR(DisplacementV(*t, i), -mu * p / E * m.nodes[i].y, 1e-9 * p / E) << i;
  }
}

// Large models the sparse path must refuse with the dense path's texts.
struct RefusedRow {
  const char* name;
  void (*spoil)(Model&);
  const char* message;
};

class LargeModelRefused : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(LargeModelRefused, WithTheDensePathsText) {
  Model m = examples::SquarePlate(30);
  GetParam().spoil(m);
  EXPECT_EQ(FailureOf(m), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LargeModelRefused,
    ::testing::Values(
        RefusedRow{"HeldNowhere",
                   [](Model& m) {
                     for (int32_t i = 1; i <= m.nodeCount; ++i) m.nodes[i].restraint = Free;
                   },
                   "Singular matrix.\n结点 1 所在的部分没有任何约束"},
        RefusedRow{"SlidesAlongItsSupport",
                   [](Model& m) {
                     for (int32_t i = 1; i <= m.nodeCount; ++i)
                       if (m.nodes[i].restraint == FixedXY) m.nodes[i].restraint = FixedX;
                   },
                   "Singular matrix.\n结点 1 所在的部分在 y 方向没有约束"},
        RefusedRow{"TurnsAboutOnePin",
                   [](Model& m) {
                     for (int32_t i = 2; i <= m.nodeCount; ++i) m.nodes[i].restraint = Free;
                   },
                   "Singular matrix.\n结点 1 所在的部分的约束挡不住转动"},
        RefusedRow{"ANodeNoElementHolds", [](Model& m) { m.nodes[++m.nodeCount] = {2.0, 2.0}; },
                   "Singular matrix.\n结点 901 不属于任何单元，又未在两个方向上固定"},
        RefusedRow{"PoissonOne", [](Model& m) { m.material.mu = 1.0; }, messages::DivisionByZero},
        RefusedRow{"StressOverflow",
                   [](Model& m) {
                     m.material.E = 1e-300;
                     for (int32_t i = 1; i <= m.nodeCount; ++i) m.nodes[i].load *= 1e300;
                   },
                   messages::Overflow},
        RefusedRow{"MissingCorner", [](Model& m) { m.elements[7].corner[2] = m.nodeCount + 1; }, "单元 7 的结点号 901 不存在"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace trivane
