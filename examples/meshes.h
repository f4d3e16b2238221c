#pragma once
// Structured triangle meshes of the example problems, with their supports and
// loads. Lengths in metres, loads in newtons; every problem is restrained
// against rigid-body motion and every triangle is listed counter-clockwise.
#include <cstdint>

#include "model/model.h"

namespace trivane::examples {

// A plate of length 10 and depth 1 clamped along x = 0, carrying a downward
// end load of 1000 shared by the nodes of x = 10. `columns` x `rows` nodes;
// `order` 2 makes six-node triangles of them (columns and rows odd).
Model CantileverPlate(int32_t columns, int32_t rows, int32_t order = 1);

// The quarter of a 20 x 20 plate with a central hole of radius 2 (symmetry
// supports on the two cut edges), pulled in x by a stress of 100 on its edge.
// `around` node spacings along the hole, `outward` from the hole to the edge.
Model PlateWithHole(int32_t around, int32_t outward);

// The tapered panel (0,0), (48,44), (48,60), (0,44), clamped along x = 0, with
// an upward shear load of 1 spread over the edge x = 48. `divisions` per side.
Model CookMembrane(int32_t divisions);

// A 1 x 1 square clamped along x = 0 and pulled in x by 1e6 spread over the
// edge x = 1, `side` x `side` nodes: the large-model benchmark (315 gives
// 99,225 nodes and 197,192 elements; in six-node triangles, `order` 2,
// 49,298 elements).
Model SquarePlate(int32_t side, int32_t order = 1);

// The same mesh of six-node triangles: a node added in the middle of every
// side, shared by the elements on it, numbered after the model's nodes.
Model WithMiddleNodes(Model model);

}  // namespace trivane::examples
