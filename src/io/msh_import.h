#pragma once
// Import of triangle meshes from Gmsh's mesh files (".msh"): versions 2.2, 4.0
// and 4.1, ASCII or binary in either byte order.
//
// Gmsh's own library reads these files too, but on malformed ones it returns an
// empty mesh without a word or throws without a message; this reader names
// what is wrong and where, refuses a model beyond the limits before taking its
// memory, and is fuzzed.
#include <string_view>

#include "model/model.h"

namespace trivane {

// The model after importing `bytes` over `current`: the nodes and elements
// replaced by the file's, with no restraints or loads (a mesh carries none,
// and its numbering has nothing to do with the old one's), the material kept,
// bounds recomputed.
//
// The nodes the triangles use are numbered 1, 2, 3, ... in file order,
// whatever their tags; x and y are taken, and they must all share one z
// (within 1e-9 of the mesh's extent). Nodes no triangle uses are left out.
// 3-node triangles become elements in file order, corners mapped through the
// node tags; any element type other than points, lines and 3-node triangles
// is refused, named.
//
// The physical groups become the model's groups, in the order of their
// dimension and tag, named by $PhysicalNames: physical points node groups
// (their point elements' nodes), physical curves edge groups (their 2-node
// lines, as node pairs), physical surfaces regions (their triangles). Version
// 2.2 gives an element's group as its first tag, versions 4.x give each
// entity's groups in $Entities, where an entity may be in several. Points and
// lines in no group are skipped; a group's point or line on a node left out
// is dropped from the group.
//
// Throws LineError (ASCII files: the 1-based line) or Error (binary files) for
// anything malformed, and Error for a file beyond MaxNodes or MaxElements; the
// caller keeps `current` untouched then.
Model ImportMsh(std::string_view bytes, const Model& current);

}  // namespace trivane
