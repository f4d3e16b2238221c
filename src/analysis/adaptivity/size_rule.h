#pragma once
// The element sizes of the next mesh of an adaptive loop: from each element's
// estimated error, sizes that spread the error evenly over the elements of a
// mesh that meets the target.
#include <cstdint>
#include <span>
#include <vector>

#include "model/model.h"

namespace trivane {

// How far one step may change a size. The estimate of a coarse mesh says
// where the error lives better than how much of it there is, and near a
// re-entrant corner the error falls more slowly than the rule assumes, so a
// size is never taken more than four times finer in one step: the element
// count grows at most sixteenfold per step, and the next round learns again
// from a better mesh. Coarsening is held to half that: the error of an
// element that is already fine enough is the least reliable part of the
// estimate, and giving its resolution away fast makes sizes swing from round
// to round.
inline constexpr double MaxRefinementPerStep = 4.0;
inline constexpr double MaxCoarseningPerStep = 2.0;

// An element's size h: the side of the equilateral triangle of its area,
// sqrt(4 A / sqrt(3)). This is what a mesher reads a size as (the length of an
// edge of a well-shaped triangle), so that a mesh that follows a size h' puts
// about (h / h')^2 triangles where the element was, and it does not grow
// with the long side of a sliver.
double ElementSize(const Model& model, int32_t element);

// The new size of elements 1..elementCount (entry [e - 1]). With m elements,
// the error norms ||e||_e (elementErrors[e - 1]), ||e||^2 their sum of squares
// and ||u||^2 = u^T K u (solutionNormSquared), a mesh meets the target
// relative error `target` (a fraction: 0.05 for 5 %) when every element has
// the permissible error
//     e_bar = target * sqrt((||u||^2 + ||e||^2) / m).
// An element whose error is xi = ||e||_e / e_bar times that takes the size
// h' = h / xi^(1/p), with p = 1, the rate at which the error of a
// constant-strain triangle falls with its size; h' is then held within
// [h / MaxRefinementPerStep, h * MaxCoarseningPerStep]. An element with no
// error takes the coarsest size allowed.
std::vector<double> NewElementSizes(const Model& model, std::span<const double> elementErrors,
                                    double solutionNormSquared, double target);

// The size at each node of nodes 1..nodeCount (entry [i - 1]): the smallest new
// size of the elements around it, so that an element that must be refined is
// refined up to its corners; a node no element uses takes 0.
std::vector<double> NodeSizes(const Model& model, std::span<const double> elementSizes);

// About how many triangles a mesh that follows the node sizes, linearly over
// each element, will have: the integral of 1 / (sqrt(3) h^2 / 4) over the
// model, each element's part taken at the mean of 1 / h^2 at its corners.
double PredictedElementCount(const Model& model, std::span<const double> nodeSizes);

}  // namespace trivane
