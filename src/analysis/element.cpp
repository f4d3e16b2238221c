#include "analysis/element.h"

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

void AssembleElement(const Model& model, int32_t element, GlobalStiffness& stiffness,
                     ElementStressMatrix& stressMatrix) {
  const Element& el = model.elements[static_cast<std::size_t>(element)];
  const int32_t corner[3] = {el.node1, el.node2, el.node3};
  const Geometry g = ElementGeometry(model.nodes[static_cast<std::size_t>(corner[0])],
                                     model.nodes[static_cast<std::size_t>(corner[1])],
                                     model.nodes[static_cast<std::size_t>(corner[2])]);
  const double E = model.material.E;
  const double mu = model.material.mu;
  const double t = model.material.t;
  const double oneMinusMuSq = Sub(1.0, Mul(mu, mu));
  const double oneMinusMu = Sub(1.0, mu);
  const double a = g.signedArea;

  for (int k = 0; k < 3; ++k) {
    const int32_t x = 2 * k + 1;
    const int32_t y = 2 * k + 2;
    const double bk = g.b[k];
    const double ck = g.c[k];
    stressMatrix(element, 1, x) = Scaled(bk, E, oneMinusMuSq, a);
    stressMatrix(element, 1, y) = Scaled(Mul(mu, ck), E, oneMinusMuSq, a);
    stressMatrix(element, 2, x) = Scaled(Mul(mu, bk), E, oneMinusMuSq, a);
    stressMatrix(element, 2, y) = Scaled(ck, E, oneMinusMuSq, a);
    stressMatrix(element, 3, x) = Scaled(Mul(Mul(oneMinusMu, 0.5), ck), E, oneMinusMuSq, a);
    stressMatrix(element, 3, y) = Scaled(Mul(Mul(oneMinusMu, 0.5), bk), E, oneMinusMuSq, a);
  }

  // bracket x E x t / 4 / (1 - mu^2) / A, left to right.
  const auto factor = [&](double bracket) {
    return Div(Div(Div(Mul(Mul(bracket, E), t), 4.0), oneMinusMuSq), g.area);
  };
  const auto add = [&](int32_t row, int32_t column, double term) {
    stiffness(row, column) = Add(stiffness(row, column), term);
  };
  for (int r = 0; r < 3; ++r) {
    const double br = g.b[r];
    const double cr = g.c[r];
    const int32_t xr = 2 * corner[r] - 1;
    const int32_t yr = 2 * corner[r];
    for (int s = 0; s < 3; ++s) {
      const double bs = g.b[s];
      const double cs = g.c[s];
      const int32_t xs = 2 * corner[s] - 1;
      const int32_t ys = 2 * corner[s];
      add(xr, xs, factor(Add(Mul(br, bs), Mul(Mul(Mul(oneMinusMu, cr), cs), 0.5))));
      add(yr, xs, factor(Add(Mul(Mul(mu, cr), bs), Mul(Mul(Mul(oneMinusMu, br), cs), 0.5))));
      add(xr, ys, factor(Add(Mul(Mul(mu, br), cs), Mul(Mul(Mul(oneMinusMu, cr), bs), 0.5))));
      add(yr, ys, factor(Add(Mul(cr, cs), Mul(Mul(Mul(oneMinusMu, br), bs), 0.5))));
    }
  }
}

}  // namespace trivane
