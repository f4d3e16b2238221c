#include "analysis/recovery/stress.h"

#include <cmath>
#include <utility>

#include "analysis/checked.h"

namespace trivane {

using checked::Add;
using checked::Mul;
using checked::Sub;

namespace {

// One row of the stress matrix times the element's displacements, left to right.
double RowTimes(const double* S, std::span<const double> d) {
  double sum = Mul(S[0], d[0]);
  for (std::size_t column = 1; column < d.size(); ++column) sum = Add(sum, Mul(S[column], d[column]));
  return sum;
}

}  // namespace

PointStresses PointStress(const double* const rows[PlaneComponents], std::span<const double> d,
                          const StressVector* initialStress) {
  double s[PlaneComponents];
  for (int32_t row = 0; row < PlaneComponents; ++row) {
    const double sum = RowTimes(rows[row], d);
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

void TakeHoop(PointStresses& s, double hoop) {
  double& s1 = s.values[Sigma1 - 1];
  double& s2 = s.values[Sigma2 - 1];
  double s3 = hoop;
  if (s3 > s2) std::swap(s3, s2);
  if (s2 > s1) std::swap(s2, s1);
  s.values[TauMax - 1] = Mul(Sub(s1, s3), 0.5);
}

RecoveredStresses RecoverStresses(const Model& model, const StressMatrices& stressMatrices,
                                  std::span<const double> displacements,
                                  const std::vector<StressVector>& initialStresses) {
  const int32_t points = stressMatrices.points;
  const bool hoop = stressMatrices.rows > PlaneComponents;
  const std::size_t size = static_cast<std::size_t>(std::max(model.elementCount, 0)) * static_cast<std::size_t>(points);
  RecoveredStresses recovered;
  auto& stresses = recovered.components;
  for (auto& component : stresses) component.resize(size);
  if (hoop) recovered.hoop.resize(size);
  std::vector<double> d(static_cast<std::size_t>(stressMatrices.dofs));
  std::size_t at = 0;
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    std::size_t j = 0;
    for (const int32_t node : model.elements[e].Nodes()) {
      d[j++] = displacements[static_cast<std::size_t>(2 * node - 2)];
      d[j++] = displacements[static_cast<std::size_t>(2 * node - 1)];
    }
    const StressVector* initial =
        initialStresses.empty() ? nullptr : &initialStresses[static_cast<std::size_t>(e - 1)];
    for (int32_t p = 0; p < points; ++p, ++at) {
      const double* const rows[PlaneComponents] = {stressMatrices.Row(e, p, 0), stressMatrices.Row(e, p, 1),
                                                   stressMatrices.Row(e, p, 2)};
      PointStresses s = PointStress(rows, d, initial);
      if (hoop) {
        const double sum = RowTimes(stressMatrices.Row(e, p, PlaneComponents), d);
        recovered.hoop[at] = initial ? Sub(sum, (*initial)[PlaneComponents]) : sum;
        TakeHoop(s, recovered.hoop[at]);
      }
      for (int32_t k = 0; k < StressComponentCount; ++k) stresses[static_cast<std::size_t>(k)][at] = s.values[k];
    }
  }
  return recovered;
}

}  // namespace trivane
