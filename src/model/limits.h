#pragma once
// The largest model the program holds, and the largest one the dense solver
// takes. The node and element tables grow with the model up to these.
#include <cstdint>

namespace trivane {

// Node numbers fill the five columns of a problem file's element line and of a
// mesh face's corner slices, so 99,999 is the largest one a file can name.
constexpr int32_t MaxNodes = 99999;
// No triangulation of MaxNodes points has more triangles than 2n - 1.
constexpr int32_t MaxElements = 2 * MaxNodes;

// Items of all groups of a mesh together: room for every triangle and every
// boundary line in several groups, and a bound on what a hostile file that
// puts each element in thousands of groups could make the import store.
constexpr int32_t MaxGroupItems = 8 * MaxElements;

// Gauss-Jordan elimination on the dense stiffness serves models up to this many
// nodes; larger ones go to the sparse Cholesky factorisation.
constexpr int32_t MaxGaussJordanNodes = 500;
// Order of the dense stiffness: two degrees of freedom per node.
constexpr int32_t MaxGaussJordanDof = 2 * MaxGaussJordanNodes;

}  // namespace trivane
