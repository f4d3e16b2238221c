#include "analysis/recovery/patch_fit.h"

#include <cmath>

#include "analysis/elements/finite_element.h"

namespace trivane {

namespace {

// The points of the six-node triangle's stiffness rule.
const ReferencePoint GaussPoints[] = {{1.0 / 6.0, 1.0 / 6.0}, {2.0 / 3.0, 1.0 / 6.0}, {1.0 / 6.0, 2.0 / 3.0}};

std::array<double, 6> Basis(double x, double y) { return {1.0, x, y, x * x, x * y, y * y}; }

// The plane through the samples. Taken about their centroid, the constant and
// the slopes decouple, and the slopes solve a 2 x 2 system whose matrix is the
// spread of the samples.
std::optional<PatchFit> FitPlane(const PatchSamples& samples, std::span<const int32_t> patch) {
  PatchFit fit;
  const double n = static_cast<double>(patch.size() * static_cast<std::size_t>(samples.perElement));
  for (const int32_t e : patch)
    for (const PatchSample& p : samples.Of(e)) {
      fit.cx += p.x / n;
      fit.cy += p.y / n;
      for (std::size_t c = 0; c < StressStateSize; ++c) fit.mean[c] += p.value[c] / n;
    }
  double sxx = 0.0, sxy = 0.0, syy = 0.0;
  StressState bx{}, by{};
  for (const int32_t e : patch)
    for (const PatchSample& p : samples.Of(e)) {
      const double dx = p.x - fit.cx, dy = p.y - fit.cy;
      sxx += dx * dx;
      sxy += dx * dy;
      syy += dy * dy;
      for (std::size_t c = 0; c < StressStateSize; ++c) {
        const double dv = p.value[c] - fit.mean[c];
        bx[c] += dx * dv;
        by[c] += dy * dv;
      }
    }
  const double det = sxx * syy - sxy * sxy;
  const double trace = sxx + syy;
  // det / trace^2 is about the smaller eigenvalue over the larger.
  if (!(trace > 0.0) || !(det > 1e-12 * trace * trace)) return std::nullopt;
  for (std::size_t c = 0; c < StressStateSize; ++c) {
    fit.gx[c] = (syy * bx[c] - sxy * by[c]) / det;
    fit.gy[c] = (sxx * by[c] - sxy * bx[c]) / det;
  }
  fit.scale = std::sqrt(trace / n);
  return fit;
}

// The quadratic through the samples by the normal equations, in coordinates
// about the plane's centre scaled by the samples' spread, where they are well
// conditioned; Cholesky, as their matrix is symmetric and positive where the
// samples carry a quadratic. A pivot that falls below 1e-10 of its diagonal
// says they do not (too few samples, or all on one conic), and the plane stays.
void FitQuadratic(const PatchSamples& samples, std::span<const int32_t> patch, PatchFit& fit) {
  double m[6][6] = {};
  double b[StressStateSize][6] = {};
  for (const int32_t e : patch)
    for (const PatchSample& p : samples.Of(e)) {
      const std::array<double, 6> phi = Basis((p.x - fit.cx) / fit.scale, (p.y - fit.cy) / fit.scale);
      for (std::size_t i = 0; i < 6; ++i) {
        for (std::size_t j = 0; j < 6; ++j) m[i][j] += phi[i] * phi[j];
        for (std::size_t c = 0; c < StressStateSize; ++c) b[c][i] += phi[i] * p.value[c];
      }
    }
  double l[6][6] = {};
  for (std::size_t j = 0; j < 6; ++j) {
    double d = m[j][j];
    for (std::size_t k = 0; k < j; ++k) d -= l[j][k] * l[j][k];
    if (!(d > 1e-10 * m[j][j])) return;
    l[j][j] = std::sqrt(d);
    for (std::size_t i = j + 1; i < 6; ++i) {
      double s = m[i][j];
      for (std::size_t k = 0; k < j; ++k) s -= l[i][k] * l[j][k];
      l[i][j] = s / l[j][j];
    }
  }
  for (std::size_t c = 0; c < StressStateSize; ++c) {
    std::array<double, 6>& a = fit.terms[c];
    for (std::size_t i = 0; i < 6; ++i) {
      double s = b[c][i];
      for (std::size_t k = 0; k < i; ++k) s -= l[i][k] * a[k];
      a[i] = s / l[i][i];
    }
    for (std::size_t i = 6; i-- > 0;) {
      double s = a[i];
      for (std::size_t k = i + 1; k < 6; ++k) s -= l[k][i] * a[k];
      a[i] = s / l[i][i];
    }
  }
  fit.quadratic = true;
}

}  // namespace

StressState PatchFit::At(double x, double y) const {
  StressState s;
  if (!quadratic) {
    for (std::size_t c = 0; c < StressStateSize; ++c) s[c] = mean[c] + gx[c] * (x - cx) + gy[c] * (y - cy);
    return s;
  }
  const std::array<double, 6> phi = Basis((x - cx) / scale, (y - cy) / scale);
  for (std::size_t c = 0; c < StressStateSize; ++c) {
    s[c] = 0.0;
    for (std::size_t i = 0; i < 6; ++i) s[c] += terms[c][i] * phi[i];
  }
  return s;
}

PatchSamples SamplesOf(const Model& model, const std::vector<StressState>& elementStresses,
                       std::span<const StressState> atNodes) {
  const FiniteElement& element = ElementTypeOf(model);
  const auto m = static_cast<std::size_t>(std::max(model.elementCount, 0));
  PatchSamples s;
  if (atNodes.empty()) {
    // The centroid of the corners.
    const int32_t corners = element.CornerCount();
    s.samples.resize(m);
    for (std::size_t e = 0; e < m; ++e) {
      const ElementNodes nodes = NodesOf(model, static_cast<int32_t>(e + 1));
      PatchSample& p = s.samples[e];
      for (int32_t k = 0; k < corners; ++k) {
        p.x += nodes.at[static_cast<std::size_t>(k)].x;
        p.y += nodes.at[static_cast<std::size_t>(k)].y;
      }
      p.x /= corners;
      p.y /= corners;
      p.value = elementStresses[e];
    }
    return s;
  }
  s.perElement = static_cast<int32_t>(std::size(GaussPoints));
  s.samples.reserve(std::size(GaussPoints) * m);
  const auto count = static_cast<std::size_t>(element.NodeCount());
  for (std::size_t e = 0; e < m; ++e) {
    const ElementNodes nodes = NodesOf(model, static_cast<int32_t>(e + 1));
    for (const ReferencePoint& at : GaussPoints) {
      const ShapeValues n = element.N(at);
      PatchSample p;
      for (std::size_t k = 0; k < count; ++k) {
        p.x += n[k] * nodes.at[k].x;
        p.y += n[k] * nodes.at[k].y;
        for (std::size_t c = 0; c < StressStateSize; ++c) p.value[c] += n[k] * atNodes[count * e + k][c];
      }
      s.samples.push_back(p);
    }
  }
  return s;
}

std::optional<PatchFit> FitPatch(const PatchSamples& samples, std::span<const int32_t> patch) {
  std::optional<PatchFit> fit = FitPlane(samples, patch);
  if (fit && samples.perElement > 1) FitQuadratic(samples, patch, *fit);
  return fit;
}

}  // namespace trivane
