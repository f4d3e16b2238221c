// The README's cantilever (10 m x 1 m, E = 2.0e10 Pa, mu = 0.167, t = 1 m,
// clamped at x = 0, 1000 N down at x = 10) in 3-node and 6-node triangles on
// the same grids of nodes, so that both have the same nodes and unknowns: the
// deflection at the end of the middle line against beam theory with shear,
// and the estimated error eta. `make bench` builds and runs it.
#include <cmath>
#include <cstdio>

#include "analysis/compute.h"
#include "meshes.h"

namespace trivane {
namespace {

// Bending and shear deflection of a cantilever under an end load P:
// P L^3 / (3 E I) + P L / (kappa G A), with kappa = 5/6 for a rectangle.
double BeamTheoryDeflection() {
  constexpr double P = 1000.0, L = 10.0, depth = 1.0, t = 1.0, E = 2.0e10, mu = 0.167;
  const double I = t * depth * depth * depth / 12.0, A = t * depth, G = E / (2.0 * (1.0 + mu));
  return P * L * L * L / (3.0 * E * I) + P * L / (5.0 / 6.0 * G * A);
}

struct Result {
  double deflection, eta;
};

// The downward deflection of the node at (10, 0.5) and eta.
Result Analyse(int32_t columns, int32_t rows, int32_t order) {
  const Model model = examples::CantileverPlate(columns, rows, order);
  const Solution solution = Compute(model);
  const int32_t tip = (rows / 2) * columns + columns;  // grid point (columns - 1, rows / 2)
  return {-solution.displacements[static_cast<std::size_t>(2 * tip - 1)], 100.0 * solution.error.relative};
}

}  // namespace
}  // namespace trivane

int main() {
  using namespace trivane;
  const double exact = BeamTheoryDeflection();
  std::printf("beam theory with shear: %.5e m\n"
              "  nodes   grid     3-node: deflection   off     eta  |  6-node: deflection   off     eta\n",
              exact);
  const int32_t grids[][2] = {{31, 7}, {61, 13}, {121, 25}, {241, 49}};
  for (const auto& [columns, rows] : grids) {
    const Result linear = Analyse(columns, rows, 1), quadratic = Analyse(columns, rows, 2);
    std::printf("%7d  %3dx%-3d  %17.5e %6.2f%% %6.2f%%  | %17.5e %6.2f%% %6.2f%%\n", columns * rows, columns, rows,
                linear.deflection, 100.0 * (linear.deflection / exact - 1.0), linear.eta, quadratic.deflection,
                100.0 * (quadratic.deflection / exact - 1.0), quadratic.eta);
  }
  return 0;
}
