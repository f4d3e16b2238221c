#pragma once
// The physical groups of a Gmsh mesh as its sections give them: their names
// ($PhysicalNames), the physical tags of each geometric entity ($Entities,
// versions 4.0 and 4.1), and the points, lines and triangles in each group.
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "io/msh_cursor.h"
#include "model/conditions.h"

namespace trivane {

// A physical tag as a file writes it, as a group number: 0 (version 2.2's
// "in no group") gives 0; a tag beyond 32 bits is refused. The sign, which
// Gmsh may use for orientation, is dropped.
int32_t PhysicalTag(const MshCursor& cursor, int64_t value);

class MshGroups {
 public:
  // $PhysicalNames: a count, then "dimension tag "name"" per line; text in
  // binary files too. Names of volumes (dimension 3) are not kept.
  void ReadNames(MshCursor& cursor);
  // $Entities: points, curves, surfaces and volumes, each with its physical
  // tags; a version 4.0 point has a bounding box where 4.1 has a position.
  void ReadEntities(MshCursor& cursor, bool version40);
  // The groups of an entity (dimension 0, 1 or 2); none for an entity that
  // $Entities does not list.
  std::span<const int32_t> OfEntity(int dimension, int64_t entity) const;

  // A group's items: node positions in the file (1-based, in $Nodes order)
  // and triangle numbers. Refused beyond MaxGroupItems in all.
  void AddNode(int32_t group, int32_t position, const MshCursor& cursor);
  void AddEdge(int32_t group, int32_t position1, int32_t position2, const MshCursor& cursor);
  void AddTriangle(int32_t group, int32_t element, const MshCursor& cursor);

  // Every group in the order of (dimension, tag), its node positions mapped
  // to node numbers through `number` (0 for a node left out of the model).
  std::vector<Group> Build(const std::vector<int32_t>& number) const;

 private:
  struct Items {
    std::string name;
    std::vector<int32_t> nodes;
    std::vector<Edge> edges;
    std::vector<int32_t> elements;
  };
  Items& At(int dimension, int32_t group, const MshCursor& cursor);

  std::map<std::pair<int, int32_t>, Items> groups_;
  std::map<std::pair<int, int64_t>, std::vector<int32_t>> entities_;
  int64_t items_ = 0;
};

}  // namespace trivane
