#pragma once
// Principal stress directions over a plot: at sample points one grid step
// apart on the screen (so that marks never crowd, whatever the mesh), a short
// line along sigma 1 and one across it for sigma 2, in two colours, each as
// long as its magnitude against the largest in the model.
#include <cstdint>
#include <span>

#include "display/canvas.h"
#include "display/view.h"
#include "model/model.h"

namespace trivane {

// The grid step in pixels; a mark spans at most the step less a gap.
constexpr int32_t PrincipalSpacing = 28;
inline constexpr Rgb Sigma1Colour{0, 0, 0};
inline constexpr Rgb Sigma2Colour{255, 0, 255};

// sigmaX, sigmaY, tauXY[e - 1] are element e's stresses, for every element of
// the model (else Error(ComputeFirst)). Draws with the view as it stands, on
// top of what is there; a sample takes the element drawn on top at its point.
void DrawPrincipalDirections(Canvas& canvas, const Model& model, std::span<const double> sigmaX,
                             std::span<const double> sigmaY, std::span<const double> tauXY,
                             const ViewTransform& view);

}  // namespace trivane
