#include "analysis/elements/axisymmetric_element.h"

#include <cmath>
#include <numbers>

#include "analysis/checked.h"

namespace trivane {

namespace {

constexpr double TwoPi = 2.0 * std::numbers::pi;

// Gauss-Legendre on [0, 1] with three points: exact to degree five, so for
// every side of up to three nodes the load (at most linear) times a node's
// shape function (at most quadratic) times the radius (linear on a straight
// side) integrates exactly.
struct LinePoint {
  double s;
  double weight;
};
const LinePoint SideRule[] = {{0.5 - 0.5 * 0.7745966692414834, 5.0 / 18.0},
                              {0.5, 8.0 / 18.0},
                              {0.5 + 0.5 * 0.7745966692414834, 5.0 / 18.0}};

// The shape functions along a side of two nodes (its ends) or three (its
// ends, then its middle) at s in [0, 1], and their derivatives in s.
struct SideShape {
  double n[3];
  double dn[3];
};
SideShape SideShapeAt(std::size_t count, double s) {
  if (count == 2) return {{1.0 - s, s, 0.0}, {-1.0, 1.0, 0.0}};
  return {{(1.0 - s) * (1.0 - 2.0 * s), s * (2.0 * s - 1.0), 4.0 * s * (1.0 - s)},
          {4.0 * s - 3.0, 4.0 * s - 1.0, 4.0 - 8.0 * s}};
}

// The part of [0, 1] where an intensity running linearly from q1 to q2 is
// positive: water acts only below its level.
struct Interval {
  double from;
  double to;
};
Interval LoadedPart(double q1, double q2) {
  if (q1 >= 0.0 && q2 >= 0.0) return {0.0, 1.0};
  if (q1 <= 0.0 && q2 <= 0.0) return {0.0, 0.0};
  const double crossing = q1 / (q1 - q2);
  return q1 > 0.0 ? Interval{0.0, crossing} : Interval{crossing, 1.0};
}

}  // namespace

double RadiusAt(const FiniteElement& element, const ElementNodes& nodes, ReferencePoint at) {
  const ShapeValues n = element.N(at);
  double r = 0.0;
  for (int32_t k = 0; k < nodes.count; ++k) r += n[static_cast<std::size_t>(k)] * nodes.at[static_cast<std::size_t>(k)].x;
  return r;
}

// D = E / ((1 + nu)(1 - 2 nu)) [1-nu nu 0 nu; nu 1-nu 0 nu; 0 0 (1-2nu)/2 0;
// nu nu 0 1-nu], rows and columns in the order r, z, rz, theta.
ConstitutiveMatrix AxisymmetricElement::D(const Material& material) const {
  const double nu = material.mu;
  const double f = material.E / ((1.0 + nu) * (1.0 - 2.0 * nu));
  const double a = f * (1.0 - nu);
  const double b = f * nu;
  return {{{a, b, 0.0, b}, {b, a, 0.0, b}, {0.0, 0.0, f * (1.0 - 2.0 * nu) * 0.5, 0.0}, {b, b, 0.0, a}}};
}

// The plane B and the hoop row N_i / r. At a point on the axis u / r has the
// limit du/dr (u vanishes there), so the hoop row is the radial one.
StrainMatrix AxisymmetricElement::B(const ElementNodes& nodes, ReferencePoint at) const {
  StrainMatrix b = plane_.B(nodes, at);
  const double r = RadiusAt(plane_, nodes, at);
  const ShapeValues n = plane_.N(at);
  for (int32_t k = 0; k < nodes.count; ++k) {
    const auto x = static_cast<std::size_t>(2 * k);
    b[PlaneComponents][x] = r == 0.0 ? b[0][x] : n[static_cast<std::size_t>(k)] / r;
  }
  return b;
}

ElementMatrices AxisymmetricElement::Matrices(const ElementNodes& nodes, const Material& material) const {
  ElementMatrices m{};
  const int32_t dofs = 2 * nodes.count;
  m.dofCount = dofs;
  for (int32_t k = 0; k < nodes.count; ++k) {
    m.dof[static_cast<std::size_t>(2 * k)] = 2 * nodes.number[static_cast<std::size_t>(k)] - 1;
    m.dof[static_cast<std::size_t>(2 * k + 1)] = 2 * nodes.number[static_cast<std::size_t>(k)];
  }
  const ConstitutiveMatrix d = D(material);
  const auto DB = [&](const StrainMatrix& b, int32_t row, int32_t column) {
    double sum = 0.0;
    for (int32_t k = 0; k < MaxComponents; ++k) sum += d[row][k] * b[k][column];
    return sum;
  };
  // Ke = sum over the rule of B^T D B 2 pi r dA.
  const double area = plane_.Area(nodes);
  for (const IntegrationPoint& p : plane_.IntegrationPoints()) {
    const StrainMatrix b = B(nodes, p.at);
    const double volume = TwoPi * RadiusAt(plane_, nodes, p.at) * p.weight * area;
    for (int32_t j = 0; j < dofs; ++j)
      for (int32_t row = 0; row < MaxComponents; ++row) {
        const double db = DB(b, row, j) * volume;
        for (int32_t i = 0; i < dofs; ++i) m.stiffness[i][j] += b[row][i] * db;
      }
  }
  const std::span<const ReferencePoint> points = plane_.StressPoints();
  for (std::size_t p = 0; p < points.size(); ++p) {
    const StrainMatrix b = B(nodes, points[p]);
    for (int32_t row = 0; row < MaxComponents; ++row)
      for (int32_t j = 0; j < dofs; ++j) m.stress[p][row][j] = checked::Finite(DB(b, row, j));
  }
  for (int32_t i = 0; i < dofs; ++i)
    for (int32_t j = 0; j < dofs; ++j) checked::Finite(m.stiffness[i][j]);
  return m;
}

// The integral of rho N_k 2 pi r over the element, with the plane type's
// error rule: its points share the area equally and integrate N_k r (a
// quadratic for the three-node ring) exactly.
std::array<double, MaxElementNodes> AxisymmetricElement::NodalMasses(const ElementNodes& nodes, double rho,
                                                                     double) const {
  const std::span<const ReferencePoint> rule = plane_.ErrorRule();
  const double share = TwoPi * rho * plane_.Area(nodes) / static_cast<double>(rule.size());
  std::array<double, MaxElementNodes> mass{};
  for (const ReferencePoint& q : rule) {
    const ShapeValues n = plane_.N(q);
    const double r = RadiusAt(plane_, nodes, q);
    for (int32_t k = 0; k < nodes.count; ++k)
      mass[static_cast<std::size_t>(k)] += share * n[static_cast<std::size_t>(k)] * r;
  }
  for (const double m : mass) checked::Finite(m);
  return mass;
}

// The load over the surface the side sweeps: each side node gets the
// integral of the load times its shape function times 2 pi r along the side.
SideForces AxisymmetricElement::EdgeLoadForces(const EdgeLoad& load, const ElementNodes& nodes,
                                               std::span<const int32_t> side, double) const {
  const std::size_t count = side.size();
  PlanePoint at[3];
  for (std::size_t k = 0; k < count; ++k) at[k] = nodes.at[static_cast<std::size_t>(side[k])];
  // The outward sense: a corner off the side lies on the inner side of its chord.
  const int32_t end1 = nodes.number[static_cast<std::size_t>(side[0])];
  const int32_t end2 = nodes.number[static_cast<std::size_t>(side[1])];
  std::size_t off = 0;
  for (std::size_t k = 1; k < static_cast<std::size_t>(CornerCount()); ++k)
    if (nodes.number[off] == end1 || nodes.number[off] == end2) off = k;
  const double chordX = at[1].x - at[0].x;
  const double chordY = at[1].y - at[0].y;
  const double inner = chordX * (nodes.at[off].y - at[0].y) - chordY * (nodes.at[off].x - at[0].x);
  const double sense = inner < 0.0 ? -1.0 : 1.0;

  Interval part{0.0, 1.0};
  if (load.kind == EdgeLoadKind::Water) part = LoadedPart(load.b * (load.a - at[0].y), load.b * (load.a - at[1].y));
  const double span = part.to - part.from;
  SideForces forces{};
  if (span <= 0.0) return forces;
  for (const LinePoint& g : SideRule) {
    const double s = part.from + span * g.s;
    const SideShape shape = SideShapeAt(count, s);
    double x = 0.0, y = 0.0, tx = 0.0, ty = 0.0;
    for (std::size_t k = 0; k < count; ++k) {
      x += shape.n[k] * at[k].x;
      y += shape.n[k] * at[k].y;
      tx += shape.dn[k] * at[k].x;
      ty += shape.dn[k] * at[k].y;
    }
    // (tx, ty) ds is the side's element of length as a vector; (ty, -tx) ds
    // its normal of the same length, turned outward by `sense`.
    double fx = 0.0, fy = 0.0;
    if (load.kind == EdgeLoadKind::Traction) {
      const double ds = std::hypot(tx, ty);
      fx = load.a * ds;
      fy = load.b * ds;
    } else {
      // A pressure pushes against the outward normal.
      const double q = load.kind == EdgeLoadKind::Pressure ? load.a : load.b * (load.a - y);
      fx = -q * sense * ty;
      fy = q * sense * tx;
    }
    const double w = TwoPi * x * g.weight * span;
    for (std::size_t k = 0; k < count; ++k) {
      forces[k].x += w * shape.n[k] * fx;
      forces[k].y += w * shape.n[k] * fy;
    }
  }
  for (const Force& f : forces) {
    checked::Finite(f.x);
    checked::Finite(f.y);
  }
  return forces;
}

}  // namespace trivane
