#pragma once
// The element sizes of the next mesh of an adaptive loop: from each element's
// estimated error, the sizes that spread the error evenly over the elements of
// a mesh that meets the target, and one common factor that holds such a mesh
// to a node count.
#include <cstdint>
#include <span>
#include <vector>

#include "model/model.h"

namespace trivane {

// The rate p at which the error norm of an element falls with its size h
// (||e|| ~ h^p on a smooth solution): 1 for the constant-strain triangle,
// whose strain is constant, 2 for the six-node triangle, whose strain is
// linear: its element order.
inline double ConvergenceRate(const Model& model) { return model.elementOrder == 2 ? 2.0 : 1.0; }

// The one bound on an ideal size, where the estimate is least reliable: a tiny
// error. An element with almost no error (an unloaded corner, a region of
// uniform stress, where the recovered and the element stresses agree up to
// rounding) would ask for a size beyond the model itself, and the estimate
// that asked is no better than its rounding. So no ideal size exceeds this
// many times the median ideal size. It bounds sizes against sizes of the same
// rule, never against the old mesh, so the grading the rule asks for stays.
inline constexpr double MaxSizeOverMedian = 8.0;

// An element's size h: the side of the equilateral triangle of its area,
// sqrt(4 A / sqrt(3)). This is what a mesher reads a size as (the length of an
// edge of a well-shaped triangle), so that a mesh that follows a size h' puts
// about (h / h')^2 triangles where the element was, and it does not grow
// with the long side of a sliver.
double ElementSize(const Model& model, int32_t element);

// The ideal size of elements 1..elementCount (entry [e - 1]). With m elements,
// the error norms ||e||_e (elementErrors[e - 1]), ||e||^2 their sum of squares
// and ||u||^2 = u^T K u (solutionNormSquared), a mesh meets the target
// relative error `target` (a fraction: 0.05 for 5 %) when every element has
// the permissible error
//     e_bar = target * sqrt((||u||^2 + ||e||^2) / m).
// An element whose error is xi = ||e||_e / e_bar times that takes the size
// h' = h / xi^(1/p), p the element's convergence `rate`; no size exceeds
// MaxSizeOverMedian times the median. Nothing else bounds a size: a coarse
// first mesh asks for large ratios between sizes, and keeps them.
std::vector<double> IdealElementSizes(const Model& model, std::span<const double> elementErrors,
                                      double solutionNormSquared, double target, double rate);

// The size at each node of nodes 1..nodeCount (entry [i - 1]): the smallest new
// size of the elements around it, so that an element that must be refined is
// refined up to its corners; a node no element uses takes 0.
std::vector<double> NodeSizes(const Model& model, std::span<const double> elementSizes);

// About how many triangles a mesh that follows the node sizes, linearly over
// each element's corners, will have: the integral of 1 / (sqrt(3) h^2 / 4)
// over the model, each element's part taken at the mean of 1 / h^2 at its
// corners.
double PredictedElementCount(const Model& model, std::span<const double> nodeSizes);

// The nodes of a triangulation of about that many triangles of `order`: by
// Euler's formula less the boundary, half as many corners as triangles, and
// three sides to a triangle, each shared by two, so a six-node mesh has
// 1/2 + 3/2 = 2 nodes per triangle.
inline double PredictedNodeCount(double elements, int32_t order) {
  return order == 2 ? 2.0 * elements : elements / 2.0;
}

// The factor s >= 1 that, multiplying every node size, brings the predicted
// node count of a mesh that follows them to at most `nodes`; 1 when they are
// already within it. A common factor keeps every ratio between sizes: the
// mesh stays graded as the rule asked, only coarser.
double ScaleToNodeCount(const Model& model, std::span<const double> nodeSizes, double nodes);

}  // namespace trivane
