#include "analysis/elements/element.h"

#include <cmath>

#include "analysis/checked.h"

namespace trivane {

using checked::Add;
using checked::Div;
using checked::Mul;
using checked::Sub;

namespace {

bool SamePoint(const Node& a, const Node& b) { return a.x == b.x && a.y == b.y; }

struct Geometry {
  double b[3];
  double c[3];
  double signedArea;
  double area;
};

Geometry ElementGeometry(const Node& n1, const Node& n2, const Node& n3) {
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

}  // namespace

ElementMatrices ComputeElementMatrices(const Model& model, int32_t element, const Material& material) {
  const Element& el = model.elements[static_cast<std::size_t>(element)];
  const int32_t corner[3] = {el.node1, el.node2, el.node3};
  const Geometry g = ElementGeometry(model.nodes[static_cast<std::size_t>(corner[0])],
                                     model.nodes[static_cast<std::size_t>(corner[1])],
                                     model.nodes[static_cast<std::size_t>(corner[2])]);
  const double E = material.E;
  const double mu = material.mu;
  const double t = material.t;
  const double oneMinusMuSq = Sub(1.0, Mul(mu, mu));
  const double oneMinusMu = Sub(1.0, mu);
  const double a = g.signedArea;

  ElementMatrices m;
  for (int k = 0; k < 3; ++k) {
    m.dof[static_cast<std::size_t>(2 * k)] = 2 * corner[k] - 1;
    m.dof[static_cast<std::size_t>(2 * k + 1)] = 2 * corner[k];
  }

  // The stress matrix D B, one corner's two columns at a time.
  for (int k = 0; k < 3; ++k) {
    const int x = 2 * k;
    const int y = 2 * k + 1;
    const double bk = g.b[k];
    const double ck = g.c[k];
    m.stress[0][x] = Scaled(bk, E, oneMinusMuSq, a);
    m.stress[0][y] = Scaled(Mul(mu, ck), E, oneMinusMuSq, a);
    m.stress[1][x] = Scaled(Mul(mu, bk), E, oneMinusMuSq, a);
    m.stress[1][y] = Scaled(ck, E, oneMinusMuSq, a);
    m.stress[2][x] = Scaled(Mul(Mul(oneMinusMu, 0.5), ck), E, oneMinusMuSq, a);
    m.stress[2][y] = Scaled(Mul(Mul(oneMinusMu, 0.5), bk), E, oneMinusMuSq, a);
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

}  // namespace trivane
