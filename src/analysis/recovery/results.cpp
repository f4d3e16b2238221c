#include "analysis/recovery/results.h"

#include <algorithm>
#include <cmath>

#include "analysis/checked.h"
#include "analysis/elements/finite_element.h"

namespace trivane {

Reactions ComputeReactions(const Model& model, const SystemInput& input, std::span<const double> displacements) {
  Reactions r;
  r.values.assign(input.fixed.size(), 0.0);
  r.restrained = input.fixed;
  const auto u = [&](int32_t dof) { return displacements[static_cast<std::size_t>(dof - 1)]; };
  const auto supported = [&](int32_t node) {
    return r.restrained[static_cast<std::size_t>(2 * node - 2)] || r.restrained[static_cast<std::size_t>(2 * node - 1)];
  };

  // K u, row by row, over the restrained rows only.
  const FiniteElement& element = ElementTypeOf(model);
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const std::span<const int32_t> nodes = model.elements[e].Nodes();
    if (std::none_of(nodes.begin(), nodes.end(), supported)) continue;
    const ElementMatrices m = element.Matrices(NodesOf(model, e), input.materials.Of(e).constants);
    for (int row = 0; row < m.dofCount; ++row) {
      const auto d = static_cast<std::size_t>(m.dof[static_cast<std::size_t>(row)] - 1);
      if (!r.restrained[d]) continue;
      double sum = r.values[d];
      for (int column = 0; column < m.dofCount; ++column)
        sum = checked::Add(sum, checked::Mul(m.stiffness[row][column], u(m.dof[static_cast<std::size_t>(column)])));
      r.values[d] = sum;
    }
  }
  // minus F
  for (std::size_t d = 0; d < r.values.size(); ++d)
    if (r.restrained[d]) r.values[d] = checked::Sub(r.values[d], input.forces[d]);
  return r;
}

Equilibrium SumForces(const Reactions& reactions, std::span<const double> forces) {
  Equilibrium sums;
  for (std::size_t d = 0; d < reactions.values.size(); d += 2) {
    sums.sumRx += reactions.values[d];
    sums.sumRy += reactions.values[d + 1];
  }
  for (std::size_t d = 0; d + 1 < forces.size(); d += 2) {
    sums.sumFx += forces[d];
    sums.sumFy += forces[d + 1];
  }
  return sums;
}

double VonMises(double sx, double sy, double s1, double s2, ProblemType problem, const AnalysisMaterial& material) {
  if (problem != PlaneStrain) return std::sqrt(s1 * s1 - s1 * s2 + s2 * s2);
  const double sz = OutOfPlaneStress(material, problem, sx, sy);
  const double a = s1 - s2;
  const double b = s2 - sz;
  const double c = sz - s1;
  return std::sqrt((a * a + b * b + c * c) * 0.5);
}

double RingVonMises(double sr, double sz, double trz, double stheta) {
  const double a = sr - sz;
  const double b = sz - stheta;
  const double c = stheta - sr;
  return std::sqrt((a * a + b * b + c * c) * 0.5 + 3.0 * trz * trz);
}

std::vector<double> ComputeMises(const Model& model, const std::array<std::vector<double>, StressComponentCount>& stresses,
                                 std::span<const double> hoop, int32_t points, ProblemType problem,
                                 const ElementMaterials& materials) {
  std::vector<double> mises;
  mises.reserve(stresses[0].size());
  for (int32_t e = 1; e <= model.elementCount; ++e)
    for (int32_t p = 0; p < points; ++p) {
      const auto at = static_cast<std::size_t>((e - 1) * points + p);
      if (!hoop.empty()) {
        mises.push_back(RingVonMises(stresses[SigmaX - 1][at], stresses[SigmaY - 1][at], stresses[TauXY - 1][at], hoop[at]));
        continue;
      }
      mises.push_back(VonMises(stresses[SigmaX - 1][at], stresses[SigmaY - 1][at], stresses[Sigma1 - 1][at],
                               stresses[Sigma2 - 1][at], problem, materials.Of(e)));
    }
  return mises;
}

}  // namespace trivane
