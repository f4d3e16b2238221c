#include "analysis/elements/constant_strain_triangle.h"

#include <cmath>

#include "analysis/checked.h"

namespace trivane {

using checked::Add;
using checked::Div;
using checked::Mul;
using checked::Sub;

namespace {

bool SamePoint(PlanePoint a, PlanePoint b) { return a.x == b.x && a.y == b.y; }

struct Geometry {
  double b[3];
  double c[3];
  double signedArea;
  double area;
};

Geometry ElementGeometry(PlanePoint n1, PlanePoint n2, PlanePoint n3) {
  Geometry g{};
  g.b[0] = Sub(n2.y, n3.y);
  g.b[1] = Sub(n3.y, n1.y);
  g.b[2] = Sub(n1.y, n2.y);
  g.c[0] = Sub(n3.x, n2.x);
  g.c[1] = Sub(n1.x, n3.x);
  g.c[2] = Sub(n2.x, n1.x);
  double sum = Mul(n2.x, n3.y);
  sum = Add(sum, Mul(n3.x, n1.y));
  sum = Add(sum, Mul(n1.x, n2.y));
  sum = Sub(sum, Mul(n1.y, n2.x));
  sum = Sub(sum, Mul(n2.y, n3.x));
  sum = Sub(sum, Mul(n3.y, n1.x));
  // Two corners on one point leave no triangle, but rounding in the sum above
  // can leave a tiny area and with it a huge, meaningless stiffness.
  if (SamePoint(n1, n2) || SamePoint(n2, n3) || SamePoint(n3, n1)) sum = 0.0;
  // The stiffness needs the magnitude; the stress matrix keeps the sign so that
  // a triangle listed clockwise gets the same stresses as counter-clockwise.
  g.signedArea = Mul(0.5, sum);
  g.area = Mul(0.5, std::fabs(sum));
  return g;
}

// value x E / 2 / (1 - mu^2) / A, left to right.
double Scaled(double value, double E, double oneMinusMuSq, double area) {
  return Div(Div(Div(Mul(value, E), 2.0), oneMinusMuSq), area);
}

// The integrals of an intensity q times the shape functions N1 = 1 - s and
// N2 = s of a side's two ends, over its parameter s in [0, 1].
struct EndWeights {
  double first;
  double second;
};

// q = peak (1 - s / length) on [0, length], nothing beyond, with s = 0 at the loaded end.
EndWeights LoadedPart(double peak, double length) {
  const double nearEnd = Sub(Div(Mul(peak, length), 2.0), Div(Mul(Mul(peak, length), length), 6.0));
  const double farEnd = Div(Mul(Mul(peak, length), length), 6.0);
  return {nearEnd, farEnd};
}

// q running linearly from q1 at the first end to q2 at the second, taken as
// nothing where it falls below zero (water above its level): where it crosses
// zero the side is split there and only the loaded part is integrated, so the
// result is exact on a side the water line crosses.
EndWeights LinearWeights(double q1, double q2) {
  if (q1 >= 0.0 && q2 >= 0.0) return {Add(Div(q1, 3.0), Div(q2, 6.0)), Add(Div(q1, 6.0), Div(q2, 3.0))};
  if (q1 <= 0.0 && q2 <= 0.0) return {0.0, 0.0};
  if (q1 > 0.0) return LoadedPart(q1, Div(q1, Sub(q1, q2)));
  const EndWeights w = LoadedPart(q2, Div(q2, Sub(q2, q1)));
  return {w.second, w.first};
}

// Twice the signed area of the triangle a, b, p.
double Cross(PlanePoint a, PlanePoint b, PlanePoint p) { return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x); }

const IntegrationPoint Centroid[] = {{{1.0 / 3.0, 1.0 / 3.0}, 1.0}};
const ReferencePoint CentroidPoint[] = {{1.0 / 3.0, 1.0 / 3.0}};
// The mid-sides of sides 1-2, 2-3 and 3-1.
const ReferencePoint MidSides[] = {{0.5, 0.0}, {0.5, 0.5}, {0.0, 0.5}};
const int32_t Sides[3][2] = {{0, 1}, {1, 2}, {2, 0}};

}  // namespace

ElementMatrices ConstantStrainTriangle::Matrices(const ElementNodes& nodes, const Material& material) const {
  const Geometry g = ElementGeometry(nodes.at[0], nodes.at[1], nodes.at[2]);
  const double E = material.E;
  const double mu = material.mu;
  const double t = material.t;
  const double oneMinusMuSq = Sub(1.0, Mul(mu, mu));
  const double oneMinusMu = Sub(1.0, mu);
  const double a = g.signedArea;

  ElementMatrices m;
  m.dofCount = 6;
  for (int k = 0; k < 3; ++k) {
    m.dof[static_cast<std::size_t>(2 * k)] = 2 * nodes.number[static_cast<std::size_t>(k)] - 1;
    m.dof[static_cast<std::size_t>(2 * k + 1)] = 2 * nodes.number[static_cast<std::size_t>(k)];
  }

  // The stress matrix D B at the one stress point, one corner's two columns at a time.
  for (int k = 0; k < 3; ++k) {
    const int x = 2 * k;
    const int y = 2 * k + 1;
    const double bk = g.b[k];
    const double ck = g.c[k];
    m.stress[0][0][x] = Scaled(bk, E, oneMinusMuSq, a);
    m.stress[0][0][y] = Scaled(Mul(mu, ck), E, oneMinusMuSq, a);
    m.stress[0][1][x] = Scaled(Mul(mu, bk), E, oneMinusMuSq, a);
    m.stress[0][1][y] = Scaled(ck, E, oneMinusMuSq, a);
    m.stress[0][2][x] = Scaled(Mul(Mul(oneMinusMu, 0.5), ck), E, oneMinusMuSq, a);
    m.stress[0][2][y] = Scaled(Mul(Mul(oneMinusMu, 0.5), bk), E, oneMinusMuSq, a);
  }

  // The stiffness B^T D B t A: bracket x E x t / 4 / (1 - mu^2) / A, left to right.
  const auto factor = [&](double bracket) {
    return Div(Div(Div(Mul(Mul(bracket, E), t), 4.0), oneMinusMuSq), g.area);
  };
  for (int r = 0; r < 3; ++r) {
    const double br = g.b[r];
    const double cr = g.c[r];
    const int xr = 2 * r;
    const int yr = 2 * r + 1;
    for (int s = 0; s < 3; ++s) {
      const double bs = g.b[s];
      const double cs = g.c[s];
      const int xs = 2 * s;
      const int ys = 2 * s + 1;
      m.stiffness[xr][xs] = factor(Add(Mul(br, bs), Mul(Mul(Mul(oneMinusMu, cr), cs), 0.5)));
      m.stiffness[yr][xs] = factor(Add(Mul(Mul(mu, cr), bs), Mul(Mul(Mul(oneMinusMu, br), cs), 0.5)));
      m.stiffness[xr][ys] = factor(Add(Mul(Mul(mu, br), cs), Mul(Mul(Mul(oneMinusMu, cr), bs), 0.5)));
      m.stiffness[yr][ys] = factor(Add(Mul(cr, cs), Mul(Mul(Mul(oneMinusMu, br), bs), 0.5)));
    }
  }
  return m;
}

ConstitutiveMatrix ConstantStrainTriangle::D(const Material& material) const { return PlaneD(material); }

// B = 1 / (2A) [b1 0 b2 0 b3 0; 0 c1 0 c2 0 c3; c1 b1 c2 b2 c3 b3], the same
// at every point, with the signed area so that either sense of the corners
// gives the strains of the same displacements.
StrainMatrix ConstantStrainTriangle::B(const ElementNodes& nodes, ReferencePoint) const {
  const Geometry g = ElementGeometry(nodes.at[0], nodes.at[1], nodes.at[2]);
  const double twiceArea = 2.0 * g.signedArea;
  StrainMatrix b{};
  for (int k = 0; k < 3; ++k) {
    b[0][static_cast<std::size_t>(2 * k)] = g.b[k] / twiceArea;
    b[1][static_cast<std::size_t>(2 * k + 1)] = g.c[k] / twiceArea;
    b[2][static_cast<std::size_t>(2 * k)] = g.c[k] / twiceArea;
    b[2][static_cast<std::size_t>(2 * k + 1)] = g.b[k] / twiceArea;
  }
  return b;
}

// B is constant, so one point integrates B^T D B exactly.
std::span<const IntegrationPoint> ConstantStrainTriangle::IntegrationPoints() const { return Centroid; }

std::span<const ReferencePoint> ConstantStrainTriangle::StressPoints() const { return CentroidPoint; }

double ConstantStrainTriangle::Area(const ElementNodes& nodes) const {
  const PlanePoint a = nodes.at[0], b = nodes.at[1], c = nodes.at[2];
  return 0.5 * std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y));
}

double ConstantStrainTriangle::AreaScale(const ElementNodes& nodes, ReferencePoint) const {
  return 2.0 * Area(nodes);
}

// rho A t / 3 on each corner: the integral of rho t N_k over the element.
std::array<double, MaxElementNodes> ConstantStrainTriangle::NodalMasses(const ElementNodes& nodes, double rho,
                                                                        double t) const {
  const PlanePoint a = nodes.at[0], b = nodes.at[1], c = nodes.at[2];
  const double twiceArea = std::fabs(Sub(Mul(Sub(b.x, a.x), Sub(c.y, a.y)), Mul(Sub(c.x, a.x), Sub(b.y, a.y))));
  const double third = Div(Mul(Mul(Mul(rho, twiceArea), 0.5), t), 3.0);
  return {third, third, third};
}

std::span<const int32_t> ConstantStrainTriangle::SideNodes(int32_t side) const {
  return Sides[static_cast<std::size_t>(side)];
}

SideForces ConstantStrainTriangle::EdgeLoadForces(const EdgeLoad& load, const ElementNodes& nodes,
                                                  std::span<const int32_t> side, double t) const {
  const PlanePoint first = nodes.at[static_cast<std::size_t>(side[0])];
  const PlanePoint second = nodes.at[static_cast<std::size_t>(side[1])];
  // The corner off the side: the first corner that is not one of its ends,
  // else the last (an element with a repeated corner).
  const int32_t end1 = nodes.number[static_cast<std::size_t>(side[0])];
  const int32_t end2 = nodes.number[static_cast<std::size_t>(side[1])];
  std::size_t off = 0;
  for (std::size_t k = 1; k < 3; ++k)
    if (nodes.number[off] == end1 || nodes.number[off] == end2) off = k;
  const PlanePoint opposite = nodes.at[off];
  const double dx = Sub(second.x, first.x);
  const double dy = Sub(second.y, first.y);
  if (load.kind == EdgeLoadKind::Traction) {
    // (tx, ty) L t / 2 on each end.
    const double share = Div(Mul(std::hypot(dx, dy), t), 2.0);
    const Force f{Mul(load.a, share), Mul(load.b, share)};
    return {f, f};
  }
  // The normal scaled by the side's length, (dy, -dx), turned outward: the
  // opposite corner lies on its inner side.
  const double inner = Sub(Mul(dx, Sub(opposite.y, first.y)), Mul(dy, Sub(opposite.x, first.x)));
  const double sense = inner < 0.0 ? -1.0 : 1.0;
  const double nx = Mul(sense, dy);
  const double ny = Mul(sense, -dx);
  const EndWeights w = load.kind == EdgeLoadKind::Pressure
                           ? EndWeights{Div(load.a, 2.0), Div(load.a, 2.0)}
                           : LinearWeights(Mul(load.b, Sub(load.a, first.y)), Mul(load.b, Sub(load.a, second.y)));
  // A pressure pushes against the outward normal.
  const auto push = [&](double weight) { return Force{Mul(Mul(-weight, t), nx), Mul(Mul(-weight, t), ny)}; };
  return {push(w.first), push(w.second)};
}

// B is constant, so f = B^T (D eps0) t A exactly. An element without area
// takes no force; its stiffness refuses it.
ElementForces ConstantStrainTriangle::InitialStrainForces(const ElementNodes& nodes, const Material& material,
                                                          const InitialStrain& eps0) const {
  ElementForces f{};
  const double area = Area(nodes);
  if (area == 0.0) return f;
  const StressVector s0 = InitialStress(*this, material, eps0);
  const StrainMatrix b = B(nodes, {});
  const double volume = Mul(material.t, area);
  for (std::size_t j = 0; j < 6; ++j)
    f[j] = Mul(Add(Add(Mul(b[0][j], s0[0]), Mul(b[1][j], s0[1])), Mul(b[2][j], s0[2])), volume);
  return f;
}

ShapeValues ConstantStrainTriangle::N(ReferencePoint at) const { return {1.0 - at.xi - at.eta, at.xi, at.eta}; }

// The area coordinates of p, each formed from the point itself.
ShapeValues ConstantStrainTriangle::ShapeAt(const ElementNodes& nodes, PlanePoint p) const {
  const PlanePoint a = nodes.at[0], b = nodes.at[1], c = nodes.at[2];
  const double twiceArea = Cross(a, b, c);
  const double w0 = Cross(b, c, p) / twiceArea;
  const double w1 = Cross(c, a, p) / twiceArea;
  return {w0, w1, 1.0 - w0 - w1};
}

ReferencePoint ConstantStrainTriangle::ReferenceAt(const ElementNodes& nodes, PlanePoint p) const {
  const ShapeValues w = ShapeAt(nodes, p);
  return {w[1], w[2]};
}

// The difference between a linear field and a constant is linear, its square
// quadratic, and the three mid-sides integrate a quadratic exactly. Three
// equal shares of a third: the estimate adds their values as they are.
static_assert(3.0 * (1.0 / 3.0) == 1.0);
ErrorRulePoints ConstantStrainTriangle::ErrorRule(const ElementNodes&) const {
  ErrorRulePoints rule;
  for (const ReferencePoint& at : MidSides) rule.point[static_cast<std::size_t>(rule.count++)] = {at, 1.0 / 3.0};
  return rule;
}

}  // namespace trivane
