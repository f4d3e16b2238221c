#include "analysis/elements/axisymmetric_element.h"

#include <cmath>
#include <numbers>

#include "analysis/checked.h"
#include "analysis/elements/side_curve.h"
#include "analysis/elements/triangle_rules.h"

namespace trivane {

namespace {

constexpr double TwoPi = 2.0 * std::numbers::pi;

}  // namespace

double RadiusAt(const FiniteElement& element, const ElementNodes& nodes, ReferencePoint at) {
  const ShapeValues n = element.N(at);
  double r = 0.0;
  for (std::size_t k = 0; k < static_cast<std::size_t>(nodes.count); ++k) r += n[k] * nodes.at[k].x;
  return r;
}

std::array<double, MaxElementNodes> RingIntegrals(const FiniteElement& element, const ElementNodes& nodes, int power) {
  std::array<double, MaxElementNodes> sums{};
  for (const IntegrationPoint& q : DegreeFourRule) {
    const double r = RadiusAt(element, nodes, q.at);
    const double volume = TwoPi * r * element.AreaScale(nodes, q.at) * 0.5 * q.weight;
    const double weight = power == 0 ? volume : volume * std::pow(r, power);
    const ShapeValues n = element.N(q.at);
    for (std::size_t k = 0; k < static_cast<std::size_t>(nodes.count); ++k) sums[k] += weight * n[k];
  }
  for (const double s : sums) checked::Finite(s);
  return sums;
}

// D = E / ((1 + mu)(1 - 2 mu)) [1-mu mu 0 mu; mu 1-mu 0 mu; 0 0 (1-2mu)/2 0;
// mu mu 0 1-mu], rows and columns in the order r, z, rz, theta.
ConstitutiveMatrix AxisymmetricElement::D(const Material& material) const {
  const double mu = material.mu;
  const double f = material.E / ((1.0 + mu) * (1.0 - 2.0 * mu));
  const double a = f * (1.0 - mu);
  const double b = f * mu;
  return {{{a, b, 0.0, b}, {b, a, 0.0, b}, {0.0, 0.0, f * (1.0 - 2.0 * mu) * 0.5, 0.0}, {b, b, 0.0, a}}};
}

// The plane B and the hoop row N_i / r. On the axis u vanishes (its nodes are
// held radially), so u / r has the limit du/dr there: the radial row.
StrainMatrix AxisymmetricElement::B(const ElementNodes& nodes, ReferencePoint at) const {
  StrainMatrix b = plane_.B(nodes, at);
  const double r = RadiusAt(plane_, nodes, at);
  const ShapeValues n = plane_.N(at);
  for (std::size_t k = 0; k < static_cast<std::size_t>(nodes.count); ++k)
    b[PlaneComponents][2 * k] = r == 0.0 ? b[0][2 * k] : n[k] / r;
  return b;
}

std::span<const IntegrationPoint> AxisymmetricElement::IntegrationPoints() const {
  if (plane_.NodeCount() == 3) return DegreeTwoRule;
  return DegreeFourRule;
}

ElementMatrices AxisymmetricElement::Matrices(const ElementNodes& nodes, const Material& material) const {
  ElementMatrices m{};
  const auto dofs = static_cast<std::size_t>(2 * nodes.count);
  m.dofCount = 2 * nodes.count;
  for (std::size_t k = 0; k < static_cast<std::size_t>(nodes.count); ++k) {
    m.dof[2 * k] = 2 * nodes.number[k] - 1;
    m.dof[2 * k + 1] = 2 * nodes.number[k];
  }
  const ConstitutiveMatrix d = D(material);
  const auto DB = [&](const StrainMatrix& b, std::size_t row, std::size_t column) {
    double sum = 0.0;
    for (std::size_t k = 0; k < MaxComponents; ++k) sum += d[row][k] * b[k][column];
    return sum;
  };
  // Ke = sum over the rule of B^T D B 2 pi r dA.
  for (const IntegrationPoint& q : IntegrationPoints()) {
    const StrainMatrix b = B(nodes, q.at);
    const double volume = TwoPi * RadiusAt(plane_, nodes, q.at) * AreaScale(nodes, q.at) * 0.5 * q.weight;
    for (std::size_t j = 0; j < dofs; ++j)
      for (std::size_t row = 0; row < MaxComponents; ++row) {
        const double db = DB(b, row, j) * volume;
        for (std::size_t i = 0; i < dofs; ++i) m.stiffness[i][j] += b[row][i] * db;
      }
  }
  for (std::size_t i = 0; i < dofs; ++i)
    for (std::size_t j = 0; j < dofs; ++j) checked::Finite(m.stiffness[i][j]);
  const std::span<const ReferencePoint> points = StressPoints();
  for (std::size_t p = 0; p < points.size(); ++p) {
    const StrainMatrix b = B(nodes, points[p]);
    for (std::size_t row = 0; row < MaxComponents; ++row)
      for (std::size_t j = 0; j < dofs; ++j) m.stress[p][row][j] = checked::Finite(DB(b, row, j));
  }
  return m;
}

ElementForces AxisymmetricElement::InitialStrainForces(const ElementNodes& nodes, const Material& material,
                                                       const InitialStrain& eps0) const {
  const StressVector s0 = InitialStress(*this, material, eps0);
  const auto dofs = static_cast<std::size_t>(2 * nodes.count);
  ElementForces f{};
  for (const IntegrationPoint& q : IntegrationPoints()) {
    const StrainMatrix b = B(nodes, q.at);
    const double volume = TwoPi * RadiusAt(plane_, nodes, q.at) * AreaScale(nodes, q.at) * 0.5 * q.weight;
    for (std::size_t j = 0; j < dofs; ++j)
      for (std::size_t row = 0; row < MaxComponents; ++row) f[j] += b[row][j] * s0[row] * volume;
  }
  for (const double v : f) checked::Finite(v);
  return f;
}

std::array<double, MaxElementNodes> AxisymmetricElement::NodalMasses(const ElementNodes& nodes, double rho,
                                                                     double) const {
  std::array<double, MaxElementNodes> mass = RingIntegrals(plane_, nodes, 0);
  for (double& m : mass) m = checked::Mul(m, rho);
  return mass;
}

// The load over the surface the side sweeps: the face's depth at a point is
// its circumference 2 pi r.
SideForces AxisymmetricElement::EdgeLoadForces(const EdgeLoad& load, const ElementNodes& nodes,
                                               std::span<const int32_t> side, double) const {
  const auto at = [&](std::size_t k) { return nodes.at[static_cast<std::size_t>(side[k])]; };
  const PlanePoint first = at(0), second = at(1);
  const PlanePoint middle =
      side.size() == 3 ? at(2) : PlanePoint{0.5 * (first.x + second.x), 0.5 * (first.y + second.y)};
  // The outward sense: the first corner that is not an end of the side lies on
  // its inner side (the last, for an element with a repeated corner).
  const int32_t end1 = nodes.number[static_cast<std::size_t>(side[0])];
  const int32_t end2 = nodes.number[static_cast<std::size_t>(side[1])];
  std::size_t off = 0;
  for (std::size_t k = 1; k < static_cast<std::size_t>(CornerCount()); ++k)
    if (nodes.number[off] == end1 || nodes.number[off] == end2) off = k;
  const double dx = second.x - first.x, dy = second.y - first.y;
  const double inner = dx * (nodes.at[off].y - first.y) - dy * (nodes.at[off].x - first.x);
  const double sense = inner < 0.0 ? -1.0 : 1.0;
  return SideLoadForces(load, SideCurve{first, second, middle}, sense, static_cast<int32_t>(side.size()),
                        [](PlanePoint p) { return TwoPi * p.x; });
}

}  // namespace trivane
