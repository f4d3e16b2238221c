#pragma once
// Import of triangle meshes from ASCII scene export files (".ase"). The file is
// scanned line by line; only face-count, vertex and face lines are used, found
// by their keywords anywhere in a line.
#include <string_view>

#include "model/model.h"

namespace trivane {

// The model after importing `bytes` over `current`: x and y of nodes 1..n (n
// vertex lines) and the corners of elements 1..f (f face lines) overwritten,
// everything else of `current` kept (restraints and loads of those nodes too),
// bounds recomputed. Each "MESH_NUMVERTEX" line starts a new mesh whose face
// corners count from its own first vertex; the element count is the sum of the
// face counts.
// Throws Error(NoMesh) when the file has no vertex line or no face line, Error
// when it holds more vertices or faces than the tables, and
// LineError for a text that is not a number or a face corner that is not a
// vertex of its mesh; the caller keeps `current` untouched then.
Model ImportAse(std::string_view bytes, const Model& current);

}  // namespace trivane
