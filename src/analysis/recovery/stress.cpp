#include "analysis/recovery/stress.h"

#include <array>
#include <cmath>
#include <vector>

#include "analysis/checked.h"

namespace trivane {

using checked::Add;
using checked::Mul;
using checked::Sub;

ElementStresses ElementStress(const Model& model, int32_t element, const ElementStressMatrix& stressMatrix,
                              const LoadVector& displacements) {
  const Element& el = model.elements[static_cast<std::size_t>(element)];
  const int32_t corner[3] = {el.node1, el.node2, el.node3};
  double d[6];
  for (int k = 0; k < 3; ++k) {
    d[2 * k] = displacements(2 * corner[k] - 1);
    d[2 * k + 1] = displacements(2 * corner[k]);
  }
  double s[3];
  for (int32_t row = 1; row <= 3; ++row) {
    double sum = Mul(stressMatrix(element, row, 1), d[0]);
    for (int32_t column = 2; column <= 6; ++column) sum = Add(sum, Mul(stressMatrix(element, row, column), d[column - 1]));
    s[row - 1] = sum;
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

void RecoverStresses(const Model& model, const ElementStressMatrix& stressMatrix, const LoadVector& displacements,
                     StressField& stresses) {
  std::vector<ElementStresses> computed;
  computed.reserve(static_cast<std::size_t>(std::max(model.elementCount, 0)));
  for (int32_t e = 1; e <= model.elementCount; ++e)
    computed.push_back(ElementStress(model, e, stressMatrix, displacements));
  for (int32_t e = 1; e <= model.elementCount; ++e)
    for (int32_t k = 1; k <= StressComponentCount; ++k)
      stresses(k, e) = computed[static_cast<std::size_t>(e - 1)].values[k - 1];
}

}  // namespace trivane
