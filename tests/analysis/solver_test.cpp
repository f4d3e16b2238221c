// The solver against the loop-for-loop elimination, bit for bit, and its
// singular and overflow outcomes. Orders run past several blocks of postponed
// steps, ending inside a block and on its boundary.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <tuple>

#include "analysis/solvers/solver.h"
#include "analysis/solvers/system.h"
#include "fixtures.h"
#include "meshes.h"
#include "model/errors.h"
#include "reference_solver.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::DenseSystem;

void Load(const DenseSystem& s, GlobalStiffness& K, LoadVector& F) {
  for (int32_t r = 1; r <= s.n; ++r) {
    for (int32_t c = 1; c <= s.n; ++c) K(r, c) = s.matrix[static_cast<std::size_t>((r - 1) * s.n + c - 1)];
    F(r) = s.rhs[static_cast<std::size_t>(r - 1)];
  }
}

// memcmp, so that -0.0 and +0.0 count as different.
::testing::AssertionResult SameBits(DenseSystem& expected, const GlobalStiffness& K, const LoadVector& F) {
  for (int32_t r = 1; r <= expected.n; ++r) {
    if (std::memcmp(K.Row(r), &expected.K(r, 1), sizeof(double) * static_cast<std::size_t>(expected.n)) != 0)
      return ::testing::AssertionFailure() << "matrix row " << r << " differs";
    const double f = F(r);
    if (std::memcmp(&f, &expected.F(r), sizeof f) != 0)
      return ::testing::AssertionFailure() << "rhs entry " << r << ": " << f << " vs " << expected.F(r);
  }
  return ::testing::AssertionSuccess();
}

std::vector<bool> Restrained(const PivotGuard& guard) {
  return std::vector<bool>(guard.restrained.begin(), guard.restrained.end());
}

// Solves with both; true when both succeeded, and both must agree on that and
// on every bit of the result (or of the partly reduced system).
bool SolveBoth(DenseSystem& s, GlobalStiffness& K, LoadVector& F, const PivotGuard& guard = {}) {
  Load(s, K, F);
  bool solved = true;
  try {
    Solve(K, s.n, F, guard);
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), messages::SingularMatrix);
    solved = false;
  }
  EXPECT_EQ(testing::ReferenceSolve(s, guard.minimumPivot, Restrained(guard)), solved);
  EXPECT_TRUE(SameBits(s, K, F));
  return solved;
}

struct Tables {
  GlobalStiffness K;
  LoadVector F;
};

// Entries from a continuous range, or from a few values with ties, zeros and
// negative zeros, or from non-negative values only: rows without -0.0 let the
// elimination skip the steps whose multiplier is zero.
enum Entries { Continuous, Coarse, CoarseNonNegative };

DenseSystem RandomSystem(int32_t n, Entries entries, unsigned seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> continuous(-10.0, 10.0);
  std::uniform_int_distribution<int> pick(0, 6);
  const double coarseValues[] = {0.0, -0.0, 1.0, -1.0, 2.0, 0.5, -2.0};
  const double nonNegativeValues[] = {0.0, 0.0, 0.0, 1.0, 2.0, 0.5, 3.0};
  const auto draw = [&] {
    if (entries == Continuous) return continuous(random);
    return (entries == Coarse ? coarseValues : nonNegativeValues)[pick(random)];
  };
  DenseSystem s{n, {}, {}};
  for (int32_t k = 0; k < n * n; ++k) s.matrix.push_back(draw());
  for (int32_t k = 0; k < n; ++k) s.rhs.push_back(draw());
  return s;
}

TEST(SolverCases, TwoByTwoIdentityAndExchange) {
  Tables t;
  DenseSystem identity{2, {1.0, 0.0, 0.0, 1.0}, {3.0, 4.0}};
  EXPECT_TRUE(SolveBoth(identity, t.K, t.F));
  EXPECT_EQ(t.F(1), 3.0);
  EXPECT_EQ(t.F(2), 4.0);
  EXPECT_EQ(t.K(1, 1), 1.0);
  EXPECT_EQ(t.K(1, 2), 0.0);

  DenseSystem exchange{2, {0.0, 1.0, 1.0, 0.0}, {3.0, 4.0}};
  EXPECT_TRUE(SolveBoth(exchange, t.K, t.F));
  EXPECT_EQ(t.F(1), 4.0);
  EXPECT_EQ(t.F(2), 3.0);
  EXPECT_EQ(t.K(1, 1), 0.0);
  EXPECT_EQ(t.K(1, 2), 1.0);
  EXPECT_EQ(t.K(2, 1), 1.0);
  EXPECT_EQ(t.K(2, 2), 0.0);
}

TEST(SolverCases, EqualMagnitudesTakeTheHighestRow) {
  Tables t;
  // |2| appears in rows 1 and 3: the pivot must come from row 3, column 1.
  DenseSystem s{3, {2.0, 1.0, 0.5, 1.0, 1.5, 0.0, -2.0, 0.25, 1.0}, {1.0, 2.0, 3.0}};
  EXPECT_TRUE(SolveBoth(s, t.K, t.F));
}

TEST(SolverCases, OrderZeroChangesNothing) {
  Tables t;
  t.K(1, 1) = 7.0;
  t.F(1) = 8.0;
  Solve(t.K, 0, t.F);
  Solve(t.K, -3, t.F);
  EXPECT_EQ(t.K(1, 1), 7.0);
  EXPECT_EQ(t.F(1), 8.0);
}

TEST(SolverCases, RestrainedEquationGivesExactZero) {
  Tables t;
  DenseSystem s{3, {4.0, 0.0, 1.0, 0.0, 1.0, 0.0, 1.0, 0.0, 3.0}, {1.0, 0.0, 2.0}};
  EXPECT_TRUE(SolveBoth(s, t.K, t.F));
  EXPECT_EQ(t.F(2), 0.0);
  EXPECT_FALSE(std::signbit(t.F(2)));
  EXPECT_TRUE(testing::Close(t.F(1), 1.0 / 11.0));
  EXPECT_TRUE(testing::Close(t.F(3), 7.0 / 11.0));
}

TEST(SolverSingular, ZeroBlockStopsAtTheFirstStep) {
  Tables t;
  DenseSystem zero{3, std::vector<double>(9, 0.0), {1.0, 2.0, 3.0}};
  EXPECT_FALSE(SolveBoth(zero, t.K, t.F));
  EXPECT_EQ(t.F(1), 1.0);  // nothing was divided or eliminated
}

TEST(SolverSingular, DependentRowsAfterSomeSteps) {
  Tables t;
  DenseSystem s{3, {1.0, 2.0, 3.0, 2.0, 4.0, 6.0, 1.0, 0.0, 1.0}, {1.0, 2.0, 3.0}};
  EXPECT_FALSE(SolveBoth(s, t.K, t.F));
}

TEST(SolverSingular, GuardRefusesATinyPivotOfAFreeDofOnly) {
  Tables t;
  PivotGuard guard;
  guard.minimumPivot = 1e-12 * 4.0;
  DenseSystem s{2, {4.0, 0.0, 0.0, 1e-15}, {1.0, 1.0}};
  Load(s, t.K, t.F);
  try {
    Solve(t.K, 2, t.F, guard);
    ADD_FAILURE() << "solved a system below the pivot floor";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), messages::SingularMatrix);
  }
  // The same pivot on a restrained dof, and a pivot just above the floor, pass.
  guard.restrained[2] = true;
  Load(s, t.K, t.F);
  EXPECT_NO_THROW(Solve(t.K, 2, t.F, guard));
  guard.restrained[2] = false;
  DenseSystem above{2, {4.0, 0.0, 0.0, 5e-12}, {1.0, 1.0}};
  Load(above, t.K, t.F);
  EXPECT_NO_THROW(Solve(t.K, 2, t.F, guard));
  EXPECT_TRUE(testing::Close(t.F(2), 2e11, 1e-15));
}

TEST(SolverFaults, OverflowIsReported) {
  Tables t;
  // The second row's pivot 1.7e308 turns the first row's 1.7e308 into 3.4e308.
  DenseSystem s{2, {1.7e308, 1.7e308, -1.7e308, 1.7e308}, {1.0, 1.0}};
  Load(s, t.K, t.F);
  try {
    Solve(t.K, 2, t.F);
    ADD_FAILURE() << "no overflow reported";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), messages::Overflow);
  }
  DenseSystem subnormalPivot{1, {1e-310}, {1.0}};
  Load(subnormalPivot, t.K, t.F);
  EXPECT_THROW(Solve(t.K, 1, t.F), Error);
}

TEST(SolverFaults, NonFiniteEntryIsRefusedBeforeAnyChange) {
  Tables t;
  for (const double bad : {std::nan(""), HUGE_VAL}) {
    DenseSystem s{3, {4.0, 1.0, 0.0, 1.0, 3.0, bad, 0.0, 1.0, 2.0}, {1.0, 2.0, 3.0}};
    Load(s, t.K, t.F);
    try {
      Solve(t.K, 3, t.F);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), messages::InvalidOperation);
    }
    EXPECT_EQ(t.K(1, 1), 4.0);
    EXPECT_EQ(t.F(1), 1.0);
  }
}

// Random systems: orders around the vector width and larger, entries drawn from
// a few values (ties, zeros, negative zeros) or from a continuous range.
class SolverMatchesReference : public ::testing::TestWithParam<std::tuple<int32_t, Entries, unsigned>> {};

TEST_P(SolverMatchesReference, BitForBit) {
  const auto [n, entries, seed] = GetParam();
  DenseSystem s = RandomSystem(n, entries, seed);
  Tables t;
  SolveBoth(s, t.K, t.F);
}

INSTANTIATE_TEST_SUITE_P(Orders, SolverMatchesReference,
                         ::testing::Combine(::testing::Values(1, 2, 3, 4, 5, 7, 9, 31, 32, 33, 64, 65, 130, 257),
                                            ::testing::Values(Continuous, Coarse, CoarseNonNegative),
                                            ::testing::Values(1u, 2u, 3u)));

// Rows of zeros (every other one with some -0.0) are left to the end: the steps before them
// succeed and the first step among them finds a zero pivot, inside a block of
// steps or on its first step. The system must be left as the plain loops leave it.
class SolverStopsMidway : public ::testing::TestWithParam<std::tuple<int32_t, int32_t, bool>> {};

TEST_P(SolverStopsMidway, AtTheFirstZeroPivot) {
  const auto [n, zeroRows, coarse] = GetParam();
  DenseSystem s = RandomSystem(n, coarse ? Coarse : Continuous, 7u);
  std::mt19937_64 random(11u);
  std::vector<int32_t> rows(static_cast<std::size_t>(n));
  for (int32_t r = 0; r < n; ++r) rows[static_cast<std::size_t>(r)] = r + 1;
  std::shuffle(rows.begin(), rows.end(), random);
  for (int32_t k = 0; k < zeroRows; ++k)
    for (int32_t c = 1; c <= n; ++c) s.K(rows[static_cast<std::size_t>(k)], c) = (k % 2 == 1 && c % 3 == 0) ? -0.0 : 0.0;
  Tables t;
  EXPECT_FALSE(SolveBoth(s, t.K, t.F));
}

INSTANTIATE_TEST_SUITE_P(Rows, SolverStopsMidway,
                         ::testing::Values(std::make_tuple(100, 20, false), std::make_tuple(100, 20, true),
                                           std::make_tuple(80, 16, false), std::make_tuple(97, 1, false),
                                           std::make_tuple(70, 60, true)));

// The pivot floor of the one free degree of freedom, 19, whose pivot -43.5 is
// taken at step 46 of 90.
TEST(SolverSingular, GuardStopsMidway) {
  DenseSystem s = RandomSystem(90, Continuous, 5u);
  PivotGuard guard;
  guard.minimumPivot = 50.0;
  std::fill_n(guard.restrained.begin() + 1, s.n, true);
  guard.restrained[19] = false;
  Tables t;
  EXPECT_FALSE(SolveBoth(s, t.K, t.F, guard));
  EXPECT_EQ(t.K(19, 19), s.K(19, 19));
  EXPECT_TRUE(testing::Close(s.K(19, 19), -43.5, 1e-3));
}

// Entries near the smallest normal numbers make inverses that overflow, at
// different steps and in different parts of the matrix (seed 102 of order 66
// overflows only where updates wait for the end of a block). The solver reports
// an overflow exactly when the plain loops produce an infinity or a NaN, and
// otherwise matches them bit for bit.
class SolverOverflow : public ::testing::TestWithParam<std::tuple<int32_t, int, unsigned>> {};

TEST_P(SolverOverflow, ExactlyWhenThePlainLoopsOverflow) {
  const auto [n, exponent, seed] = GetParam();
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  DenseSystem s{n, {}, {}};
  for (int32_t k = 0; k < n * n; ++k) s.matrix.push_back(std::ldexp(unit(random), exponent));
  for (int32_t k = 0; k < n; ++k) s.rhs.push_back(unit(random));
  Tables t;
  Load(s, t.K, t.F);
  std::string outcome = "solved";
  try {
    Solve(t.K, n, t.F);
  } catch (const Error& e) {
    outcome = e.what();
  }
  const bool solved = testing::ReferenceSolve(s);
  const bool overflowed = !std::all_of(s.matrix.begin(), s.matrix.end(), [](double v) { return std::isfinite(v); }) ||
                          !std::all_of(s.rhs.begin(), s.rhs.end(), [](double v) { return std::isfinite(v); });
  if (overflowed) {
    EXPECT_EQ(outcome, messages::Overflow);
  } else {
    EXPECT_EQ(outcome, solved ? "solved" : messages::SingularMatrix);
    EXPECT_TRUE(SameBits(s, t.K, t.F));
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SolverOverflow,
                         ::testing::Values(std::make_tuple(66, -1019, 102u), std::make_tuple(40, -1018, 36u),
                                           std::make_tuple(70, -1020, 1u), std::make_tuple(70, -1020, 2u),
                                           std::make_tuple(70, -1020, 3u), std::make_tuple(100, -1016, 4u)));

// The benchmark's 500-node cantilever: 1000 unknowns, the guard of the build.
TEST(SolverAssembled, ThousandUnknownsBitForBit) {
  const Model m = examples::CantileverPlate(50, 10);
  auto tables = testing::Build(m);
  const PivotGuard guard = tables->guard;
  DenseSystem s{2 * m.nodeCount, {}, {}};
  for (int32_t r = 1; r <= s.n; ++r) {
    s.matrix.insert(s.matrix.end(), tables->stiffness.Row(r), tables->stiffness.Row(r) + s.n);
    s.rhs.push_back(tables->loads(r));
  }
  EXPECT_TRUE(SolveBoth(s, tables->stiffness, tables->loads, guard));
}

}  // namespace
}  // namespace trivane
