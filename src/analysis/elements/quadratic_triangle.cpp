#include "analysis/elements/quadratic_triangle.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/checked.h"
#include "analysis/elements/side_curve.h"
#include "analysis/elements/triangle_rules.h"

namespace trivane {

using checked::Div;
using checked::Finite;

namespace {

const auto& ThreePoints = DegreeTwoRule;
const auto& SixPoints = DegreeFourRule;
const ReferencePoint Corners[] = {{0.0, 0.0}, {1.0, 0.0}, {0.0, 1.0}};
// Side s runs from corner s to the next; its middle node is local node 3 + s.
const int32_t Sides[3][3] = {{0, 1, 3}, {1, 2, 4}, {2, 0, 5}};

// The derivatives of the shape functions with respect to xi and eta, with
// L1 = 1 - xi - eta, L2 = xi, L3 = eta and N = L1 (2 L1 - 1), L2 (2 L2 - 1),
// L3 (2 L3 - 1), 4 L1 L2, 4 L2 L3, 4 L3 L1.
struct ShapeDerivatives {
  double dxi[6];
  double deta[6];
};

ShapeDerivatives Derivatives(ReferencePoint at) {
  const double l1 = 1.0 - at.xi - at.eta, l2 = at.xi, l3 = at.eta;
  return {{1.0 - 4.0 * l1, 4.0 * l2 - 1.0, 0.0, 4.0 * (l1 - l2), 4.0 * l3, -4.0 * l3},
          {1.0 - 4.0 * l1, 0.0, 4.0 * l3 - 1.0, -4.0 * l2, 4.0 * l2, 4.0 * (l1 - l3)}};
}

// The Jacobian of the map from (xi, eta) to (x, y) at a point, and the
// derivatives of the shape functions with respect to x and y there. The
// signed determinant keeps the strains right for corners listed clockwise.
struct MappedDerivatives {
  double dx[6];
  double dy[6];
  double det;
};

struct Jacobian {
  double xXi = 0.0, xEta = 0.0, yXi = 0.0, yEta = 0.0;
  double Det() const { return xXi * yEta - xEta * yXi; }
};

Jacobian JacobianOf(const ShapeDerivatives& d, const ElementNodes& nodes) {
  Jacobian j;
  for (std::size_t k = 0; k < 6; ++k) {
    j.xXi += d.dxi[k] * nodes.at[k].x;
    j.xEta += d.deta[k] * nodes.at[k].x;
    j.yXi += d.dxi[k] * nodes.at[k].y;
    j.yEta += d.deta[k] * nodes.at[k].y;
  }
  return j;
}

MappedDerivatives Mapped(const ElementNodes& nodes, ReferencePoint at) {
  const ShapeDerivatives d = Derivatives(at);
  const auto [xXi, xEta, yXi, yEta] = JacobianOf(d, nodes);
  MappedDerivatives m{};
  m.det = Finite(xXi * yEta - xEta * yXi);
  for (std::size_t k = 0; k < 6; ++k) {
    m.dx[k] = Div(yEta * d.dxi[k] - yXi * d.deta[k], m.det);
    m.dy[k] = Div(xXi * d.deta[k] - xEta * d.dxi[k], m.det);
  }
  return m;
}

StrainMatrix StrainAt(const MappedDerivatives& m) {
  StrainMatrix b{};
  for (std::size_t k = 0; k < 6; ++k) {
    b[0][2 * k] = m.dx[k];
    b[1][2 * k + 1] = m.dy[k];
    b[2][2 * k] = m.dy[k];
    b[2][2 * k + 1] = m.dx[k];
  }
  return b;
}

std::span<const IntegrationPoint> StiffnessRule(const ElementNodes& nodes) {
  return QuadraticTriangle::StraightSided(nodes) ? std::span<const IntegrationPoint>(ThreePoints)
                                                 : std::span<const IntegrationPoint>(SixPoints);
}

double ChordArea(const ElementNodes& nodes) {
  const PlanePoint a = nodes.at[0], b = nodes.at[1], c = nodes.at[2];
  return 0.5 * std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y));
}

}  // namespace

ConstitutiveMatrix QuadraticTriangle::D(const Material& material) const { return PlaneD(material); }

bool QuadraticTriangle::StraightSided(const ElementNodes& nodes) {
  for (const auto& side : Sides) {
    const PlanePoint a = nodes.at[static_cast<std::size_t>(side[0])], b = nodes.at[static_cast<std::size_t>(side[1])];
    const PlanePoint m = nodes.at[static_cast<std::size_t>(side[2])];
    const double off = std::hypot(m.x - 0.5 * (a.x + b.x), m.y - 0.5 * (a.y + b.y));
    if (off > 1e-10 * std::hypot(b.x - a.x, b.y - a.y)) return false;
  }
  return true;
}

// B = [dN/dx 0; 0 dN/dy; dN/dy dN/dx] node by node, the derivatives by the
// inverse of the Jacobian of the map.
StrainMatrix QuadraticTriangle::B(const ElementNodes& nodes, ReferencePoint at) const {
  return StrainAt(Mapped(nodes, at));
}

std::span<const IntegrationPoint> QuadraticTriangle::IntegrationPoints() const { return ThreePoints; }

std::span<const ReferencePoint> QuadraticTriangle::StressPoints() const { return Corners; }

ElementMatrices QuadraticTriangle::Matrices(const ElementNodes& nodes, const Material& material) const {
  const ConstitutiveMatrix d = D(material);
  ElementMatrices m;
  m.dofCount = 12;
  for (std::size_t k = 0; k < 6; ++k) {
    m.dof[2 * k] = 2 * nodes.number[k] - 1;
    m.dof[2 * k + 1] = 2 * nodes.number[k];
  }
  for (auto& row : m.stiffness) std::fill(std::begin(row), std::end(row), 0.0);
  // Ke = sum over the rule of B^T D B t |det J| / 2 w: the reference triangle has area 1/2.
  for (const IntegrationPoint& q : StiffnessRule(nodes)) {
    const MappedDerivatives g = Mapped(nodes, q.at);
    const StrainMatrix b = StrainAt(g);
    const double factor = material.t * std::fabs(g.det) * 0.5 * q.weight;
    double db[PlaneComponents][12];
    for (std::size_t r = 0; r < 3; ++r)
      for (std::size_t c = 0; c < 12; ++c) db[r][c] = d[r][0] * b[0][c] + d[r][1] * b[1][c] + d[r][2] * b[2][c];
    for (std::size_t i = 0; i < 12; ++i)
      for (std::size_t j = 0; j < 12; ++j)
        m.stiffness[i][j] += factor * (b[0][i] * db[0][j] + b[1][i] * db[1][j] + b[2][i] * db[2][j]);
  }
  for (const auto& row : m.stiffness)
    for (std::size_t j = 0; j < 12; ++j) Finite(row[j]);
  // D B at each corner: the stresses from the strain there.
  for (std::size_t p = 0; p < 3; ++p) {
    const StrainMatrix b = StrainAt(Mapped(nodes, Corners[p]));
    for (std::size_t r = 0; r < 3; ++r)
      for (std::size_t c = 0; c < 12; ++c)
        m.stress[p][r][c] = Finite(d[r][0] * b[0][c] + d[r][1] * b[1][c] + d[r][2] * b[2][c]);
  }
  return m;
}

// det J is quadratic over the element; a fold shows as a change of its sign
// between the nodes, where a side bent across the element turns it over.
bool QuadraticTriangle::Folded(const ElementNodes& nodes) const {
  static const ReferencePoint AtNodes[] = {{0.0, 0.0}, {1.0, 0.0}, {0.0, 1.0}, {0.5, 0.0}, {0.5, 0.5}, {0.0, 0.5}};
  bool positive = false, negative = false;
  for (const ReferencePoint& at : AtNodes) {
    const double det = JacobianOf(Derivatives(at), nodes).Det();
    positive = positive || det > 0.0;
    negative = negative || det < 0.0;
  }
  return positive && negative;
}

// det J is quadratic over the element, so the three-point rule gives the
// area of a curved element exactly too.
double QuadraticTriangle::Area(const ElementNodes& nodes) const {
  if (StraightSided(nodes)) return ChordArea(nodes);
  double area = 0.0;
  for (const IntegrationPoint& q : ThreePoints) area += 0.5 * q.weight * Mapped(nodes, q.at).det;
  return std::fabs(area);
}

double QuadraticTriangle::AreaScale(const ElementNodes& nodes, ReferencePoint at) const {
  return std::fabs(Mapped(nodes, at).det);
}

// The integral of rho t N_k: on a straight side nothing at the corners and a
// third of the weight at each middle node; a curved element by the six-point
// rule, exact for N (degree 2) times det J (degree 2).
std::array<double, MaxElementNodes> QuadraticTriangle::NodalMasses(const ElementNodes& nodes, double rho,
                                                                   double t) const {
  std::array<double, MaxElementNodes> mass{};
  if (StraightSided(nodes)) {
    const double third = Finite(rho * ChordArea(nodes) * t / 3.0);
    mass[3] = mass[4] = mass[5] = third;
    return mass;
  }
  for (const IntegrationPoint& q : SixPoints) {
    const ShapeValues n = N(q.at);
    const double weight = rho * t * 0.5 * q.weight * std::fabs(Mapped(nodes, q.at).det);
    for (std::size_t k = 0; k < 6; ++k) mass[k] += weight * n[k];
  }
  for (const double m : mass) Finite(m);
  return mass;
}

std::span<const int32_t> QuadraticTriangle::SideNodes(int32_t side) const {
  return Sides[static_cast<std::size_t>(side)];
}

// The consistent forces: the integral along the side of the load times each
// side node's shape function (SideLoadForces). That is exact for a pressure
// or water on any side and for a traction on a straight one; a traction on a
// curved side has the length element sqrt(x'^2 + y'^2), which no polynomial
// rule integrates exactly.
SideForces QuadraticTriangle::EdgeLoadForces(const EdgeLoad& load, const ElementNodes& nodes,
                                             std::span<const int32_t> side, double t) const {
  const auto at = [&](int32_t k) { return nodes.at[static_cast<std::size_t>(k)]; };
  const SideCurve curve{at(side[0]), at(side[1]), at(side[2])};
  // The outward sense: the corner off the side lies on its inner side.
  const PlanePoint opposite = at(3 - side[0] - side[1]);
  const double dx = curve.second.x - curve.first.x, dy = curve.second.y - curve.first.y;
  const double inner = dx * (opposite.y - curve.first.y) - dy * (opposite.x - curve.first.x);
  const double sense = inner < 0.0 ? -1.0 : 1.0;

  return SideLoadForces(load, curve, sense, 3, [t](PlanePoint) { return t; });
}

// By the stiffness's own rule: B^T D eps0 is linear on a straight-sided
// element, which the three-point rule integrates exactly.
ElementForces QuadraticTriangle::InitialStrainForces(const ElementNodes& nodes, const Material& material,
                                                     const InitialStrain& eps0) const {
  const StressVector s0 = InitialStress(*this, material, eps0);
  ElementForces f{};
  for (const IntegrationPoint& q : StiffnessRule(nodes)) {
    const MappedDerivatives g = Mapped(nodes, q.at);
    const StrainMatrix b = StrainAt(g);
    const double factor = material.t * std::fabs(g.det) * 0.5 * q.weight;
    for (std::size_t j = 0; j < 12; ++j) f[j] += factor * (b[0][j] * s0[0] + b[1][j] * s0[1] + b[2][j] * s0[2]);
  }
  for (const double v : f) Finite(v);
  return f;
}

ShapeValues QuadraticTriangle::N(ReferencePoint at) const {
  const double l1 = 1.0 - at.xi - at.eta, l2 = at.xi, l3 = at.eta;
  return {l1 * (2.0 * l1 - 1.0), l2 * (2.0 * l2 - 1.0), l3 * (2.0 * l3 - 1.0), 4.0 * l1 * l2, 4.0 * l2 * l3,
          4.0 * l3 * l1};
}

ShapeValues QuadraticTriangle::ShapeAt(const ElementNodes& nodes, PlanePoint p) const { return N(ReferenceAt(nodes, p)); }

// The inverse map: the area coordinates of p in the corners' triangle, which
// are exact on a straight-sided element, then Newton steps on x(xi, eta) = p
// for a curved one.
ReferencePoint QuadraticTriangle::ReferenceAt(const ElementNodes& nodes, PlanePoint p) const {
  const PlanePoint a = nodes.at[0], b = nodes.at[1], c = nodes.at[2];
  const double twiceArea = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  ReferencePoint r{((p.x - a.x) * (c.y - a.y) - (c.x - a.x) * (p.y - a.y)) / twiceArea,
                   ((b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y)) / twiceArea};
  if (StraightSided(nodes)) return r;
  for (int step = 0; step < 30; ++step) {
    const ShapeValues n = N(r);
    const ShapeDerivatives d = Derivatives(r);
    double x = 0.0, y = 0.0, xXi = 0.0, xEta = 0.0, yXi = 0.0, yEta = 0.0;
    for (std::size_t k = 0; k < 6; ++k) {
      x += n[k] * nodes.at[k].x;
      y += n[k] * nodes.at[k].y;
      xXi += d.dxi[k] * nodes.at[k].x;
      xEta += d.deta[k] * nodes.at[k].x;
      yXi += d.dxi[k] * nodes.at[k].y;
      yEta += d.deta[k] * nodes.at[k].y;
    }
    const double det = xXi * yEta - xEta * yXi;
    if (det == 0.0 || !std::isfinite(det)) break;
    const double ex = p.x - x, ey = p.y - y;
    const ReferencePoint step_{(yEta * ex - xEta * ey) / det, (xXi * ey - yXi * ex) / det};
    r.xi += step_.xi;
    r.eta += step_.eta;
    if (std::fabs(step_.xi) + std::fabs(step_.eta) < 1e-14) break;
  }
  return r;
}

// The estimate integrates the square of a quadratic field (the recovered one)
// less a linear one (the element's own): degree 4, which the six-point rule
// integrates exactly on a straight-sided element. A curved element's area
// element |det J| is quadratic in (xi, eta), so each point's share there is
// its weight times |det J| at the point: the integrand is then of degree 6,
// and the rule leaves an error of the order of the curvature's own effect,
// far below what the estimate can tell.
ErrorRulePoints QuadraticTriangle::ErrorRule(const ElementNodes& nodes) const {
  ErrorRulePoints rule;
  for (const IntegrationPoint& q : SixPoints) rule.point[static_cast<std::size_t>(rule.count++)] = q;
  if (StraightSided(nodes)) return rule;
  double total = 0.0;
  for (IntegrationPoint& q : rule.point) {
    q.weight *= std::fabs(Mapped(nodes, q.at).det);
    total += q.weight;
  }
  if (total > 0.0)
    for (IntegrationPoint& q : rule.point) q.weight /= total;
  return rule;
}

}  // namespace trivane
