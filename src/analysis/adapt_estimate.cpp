// The analysis of each adaptive round: the compute command, then the
// recovery estimate of Zienkiewicz and Zhu from area-weighted nodal averages
// of the element stresses, with the model's material.
#include <algorithm>
#include <array>
#include <cmath>

#include "analysis/adaptive_meshing.h"
#include "analysis/compute.h"

namespace trivane {
MeshAnalyser ComputeAndEstimate(SolverChoice solver) {
  return [solver](const Model& m, AnalysisTables& t) {
    Compute(m, t, solver);
    const int n = m.nodeCount, ne = m.elementCount;
    std::vector<std::array<double,3>> avg(n + 1, {0,0,0});
    std::vector<double> w(n + 1, 0.0), area(ne + 1);
    for (int e = 1; e <= ne; ++e) {
      const Element& c = m.elements[e];
      const Node &a = m.nodes[c.node1], &b = m.nodes[c.node2], &d = m.nodes[c.node3];
      area[e] = 0.5 * std::abs((b.x - a.x) * (d.y - a.y) - (d.x - a.x) * (b.y - a.y));
      for (int k : {c.node1, c.node2, c.node3}) {
        for (int j = 0; j < 3; ++j) avg[k][j] += area[e] * StressValue(t, e, j + 1);
        w[k] += area[e];
      }
    }
    for (int k = 1; k <= n; ++k) if (w[k] > 0) for (int j = 0; j < 3; ++j) avg[k][j] /= w[k];
    const double E = m.material.E, nu = m.material.mu, th = m.material.t;
    auto energy = [&](const std::array<double,3>& s, const std::array<double,3>& r) {
      return (s[0]*r[0] + s[1]*r[1] - nu*(s[0]*r[1] + s[1]*r[0]) + 2*(1+nu)*s[2]*r[2]) / E; };
    MeshAnalysis out; out.elementErrors.resize(ne);
    double u2 = 0, e2 = 0;
    for (int e = 1; e <= ne; ++e) {
      const Element& c = m.elements[e];
      std::array<double,3> se{StressValue(t,e,1), StressValue(t,e,2), StressValue(t,e,3)};
      std::array<std::array<double,3>,3> d;
      std::array<double,3> sum{0,0,0};
      int i = 0;
      for (int k : {c.node1, c.node2, c.node3}) { for (int j=0;j<3;++j){ d[i][j]=avg[k][j]-se[j]; sum[j]+=d[i][j];} ++i; }
      double q = energy(sum, sum);
      for (auto& dk : d) q += energy(dk, dk);
      const double err2 = area[e] / 12.0 * q * th;
      out.elementErrors[e-1] = std::sqrt(err2);
      e2 += err2;
      u2 += energy(se, se) * area[e] * th;
      out.maxMises = std::max(out.maxMises, MisesValue(t, e));
    }
    out.solutionNormSquared = u2;
    out.errorPercent = 100.0 * std::sqrt(e2 / (e2 + u2));
    return out;
  };
}
}
