#include "analysis/recovery/stress.h"

#include <cmath>

#include "analysis/checked.h"

namespace trivane {

using checked::Add;
using checked::Mul;
using checked::Sub;

PointStresses PointStress(const double* const rows[PlaneComponents], std::span<const double> d,
                          const std::array<double, PlaneComponents>* initialStress) {
  double s[PlaneComponents];
  for (int32_t row = 0; row < PlaneComponents; ++row) {
    const double* S = rows[row];
    double sum = Mul(S[0], d[0]);
    for (std::size_t column = 1; column < d.size(); ++column) sum = Add(sum, Mul(S[column], d[column]));
    s[row] = initialStress ? Sub(sum, (*initialStress)[static_cast<std::size_t>(row)]) : sum;
  }
  const double sx = s[0];
  const double sy = s[1];
  const double txy = s[2];
  const double diff = Sub(sx, sy);
  const double r = std::sqrt(Add(Mul(diff, diff), Mul(Mul(4.0, txy), txy)));
  const double mean = Mul(Add(sx, sy), 0.5);
  const double s1 = Add(Mul(r, 0.5), mean);
  const double s2 = Sub(mean, Mul(r, 0.5));
  const double tmax = Mul(Sub(s1, s2), 0.5);
  return {{sx, sy, txy, s1, s2, tmax}};
}

std::array<std::vector<double>, StressComponentCount> RecoverStresses(
    const Model& model, const StressMatrices& stressMatrices, std::span<const double> displacements,
    const std::vector<std::array<double, PlaneComponents>>& initialStresses) {
  const int32_t points = stressMatrices.points;
  std::array<std::vector<double>, StressComponentCount> stresses;
  for (auto& component : stresses)
    component.resize(static_cast<std::size_t>(std::max(model.elementCount, 0)) * static_cast<std::size_t>(points));
  std::vector<double> d(static_cast<std::size_t>(stressMatrices.dofs));
  std::size_t at = 0;
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    std::size_t j = 0;
    for (const int32_t node : model.elements[e].Nodes()) {
      d[j++] = displacements[static_cast<std::size_t>(2 * node - 2)];
      d[j++] = displacements[static_cast<std::size_t>(2 * node - 1)];
    }
    const std::array<double, PlaneComponents>* initial =
        initialStresses.empty() ? nullptr : &initialStresses[static_cast<std::size_t>(e - 1)];
    for (int32_t p = 0; p < points; ++p, ++at) {
      const double* const rows[PlaneComponents] = {stressMatrices.Row(e, p, 0), stressMatrices.Row(e, p, 1),
                                                   stressMatrices.Row(e, p, 2)};
      const PointStresses s = PointStress(rows, d, initial);
      for (int32_t k = 0; k < StressComponentCount; ++k) stresses[static_cast<std::size_t>(k)][at] = s.values[k];
    }
  }
  return stresses;
}

}  // namespace trivane
