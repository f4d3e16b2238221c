#include "analysis/results.h"

#include <algorithm>
#include <cmath>

#include "analysis/checked.h"
#include "analysis/element.h"
#include "analysis/system.h"

namespace trivane {

namespace {

bool Supported(const Node& node) {
  const Fixity f = FixityOf(node);
  return f.x || f.y;
}

}  // namespace

Reactions ComputeReactions(const Model& model, std::span<const double> displacements) {
  const auto order = static_cast<std::size_t>(2 * std::max(model.nodeCount, 0));
  Reactions r;
  r.values.assign(order, 0.0);
  r.restrained.assign(order, 0);
  for (int32_t i = 1; i <= model.nodeCount; ++i) {
    const auto [fixX, fixY] = FixityOf(model.nodes[i]);
    r.restrained[static_cast<std::size_t>(2 * i - 2)] = fixX;
    r.restrained[static_cast<std::size_t>(2 * i - 1)] = fixY;
  }
  const auto u = [&](int32_t dof) { return displacements[static_cast<std::size_t>(dof - 1)]; };

  // K u, row by row, over the restrained rows only.
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const Element& el = model.elements[e];
    if (!Supported(model.nodes[el.node1]) && !Supported(model.nodes[el.node2]) && !Supported(model.nodes[el.node3]))
      continue;
    const ElementMatrices m = ComputeElementMatrices(model, e);
    for (int row = 0; row < 6; ++row) {
      const auto d = static_cast<std::size_t>(m.dof[static_cast<std::size_t>(row)] - 1);
      if (!r.restrained[d]) continue;
      double sum = r.values[d];
      for (int column = 0; column < 6; ++column)
        sum = checked::Add(sum, checked::Mul(m.stiffness[row][column], u(m.dof[static_cast<std::size_t>(column)])));
      r.values[d] = sum;
    }
  }
  // minus F
  for (int32_t i = 1; i <= model.nodeCount; ++i) {
    const Force f = NodeForce(model.nodes[i]);
    const auto x = static_cast<std::size_t>(2 * i - 2);
    if (r.restrained[x]) r.values[x] = checked::Sub(r.values[x], f.x);
    if (r.restrained[x + 1]) r.values[x + 1] = checked::Sub(r.values[x + 1], f.y);
  }
  return r;
}

Equilibrium SumForces(const Model& model, const Reactions& reactions) {
  Equilibrium sums;
  for (std::size_t d = 0; d < reactions.values.size(); d += 2) {
    sums.sumRx += reactions.values[d];
    sums.sumRy += reactions.values[d + 1];
  }
  for (int32_t i = 1; i <= model.nodeCount; ++i) {
    const Force f = NodeForce(model.nodes[i]);
    sums.sumFx += f.x;
    sums.sumFy += f.y;
  }
  return sums;
}

double VonMises(double sx, double sy, double s1, double s2, ProblemType problem, double mu) {
  if (problem != PlaneStrain) return std::sqrt(s1 * s1 - s1 * s2 + s2 * s2);
  const double sz = mu * (sx + sy);
  const double a = s1 - s2;
  const double b = s2 - sz;
  const double c = sz - s1;
  return std::sqrt((a * a + b * b + c * c) * 0.5);
}

std::vector<double> ComputeMises(const Model& model, const StressField& stresses, const EnteredMaterial& material) {
  std::vector<double> mises;
  mises.reserve(static_cast<std::size_t>(std::max(model.elementCount, 0)));
  for (int32_t e = 1; e <= model.elementCount; ++e)
    mises.push_back(VonMises(stresses(SigmaX, e), stresses(SigmaY, e), stresses(Sigma1, e), stresses(Sigma2, e),
                             material.problem, material.mu));
  return mises;
}

}  // namespace trivane
