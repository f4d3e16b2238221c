#pragma once
// What a real plane problem puts on its mesh beyond point loads: named groups
// of nodes, edges and elements (a Gmsh mesh's physical groups), materials of
// their own for regions, distributed loads on boundary edges, and gravity.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trivane {

// An element side, by its two corner nodes; the order carries no meaning.
struct Edge {
  int32_t node1 = 0;
  int32_t node2 = 0;
  bool operator==(const Edge&) const = default;
};

// A Gmsh physical point becomes a node group, a physical curve an edge group
// (its line elements), a physical surface a region (its triangles).
enum class GroupKind { Nodes, Edges, Region };

struct Group {
  GroupKind kind = GroupKind::Nodes;
  int32_t number = 0;  // the physical tag
  std::string name;    // the physical name; empty when it has none
  std::vector<int32_t> nodes;     // node groups: node numbers, ascending
  std::vector<Edge> edges;        // edge groups: in file order
  std::vector<int32_t> elements;  // regions: element numbers, ascending
  bool operator==(const Group&) const = default;
};

// A region's own material; the problem type and the thickness stay the
// model's. Elements outside every region with one use the model's material.
struct RegionMaterial {
  std::string region;  // the region's name as GroupLabel gives it
  double E = 2.0e10;
  double mu = 0.167;
  double rho = 0.0;
  double alpha = 0.0;  // coefficient of thermal expansion, 1/K
  bool operator==(const RegionMaterial&) const = default;
};

// A load spread over a boundary edge, per unit area of the edge's face:
//   Pressure  p = a, normal to the edge, positive pushing into the body;
//   Water     hydrostatic p = b (gamma) * (a (level) - y) below the level, 0 above;
//   Traction  (tx, ty) = (a, b).
enum class EdgeLoadKind { Pressure, Water, Traction };

struct EdgeLoad {
  Edge edge;
  EdgeLoadKind kind = EdgeLoadKind::Pressure;
  double a = 0.0;
  double b = 0.0;
  bool operator==(const EdgeLoad&) const = default;
};

// Acceleration acting on every element's mass (rho t A).
struct Gravity {
  double gx = 0.0;
  double gy = 0.0;
  bool operator==(const Gravity&) const = default;
};

// A region's own temperature change; elements outside every region with one
// take the model's.
struct RegionTemperature {
  std::string region;  // the region's name as GroupLabel gives it
  double dt = 0.0;     // K
  bool operator==(const RegionTemperature&) const = default;
};

// A uniform temperature change from the stress-free state: it strains the
// material by alpha dT in every direct direction.
struct Temperature {
  double dt = 0.0;  // the model's, K
  std::vector<RegionTemperature> regions;
  bool operator==(const Temperature&) const = default;
};

// The conditions of a model beside its node table.
struct Conditions {
  std::vector<Group> groups;
  std::vector<RegionMaterial> regionMaterials;
  std::vector<EdgeLoad> edgeLoads;
  Gravity gravity;
  Temperature temperature;
  // The angular velocity, rad/s, of an axisymmetric part turning about its
  // axis: a body force rho omega^2 r on every element's mass.
  double spin = 0.0;
  bool operator==(const Conditions&) const = default;
};

// How a group is shown and looked up: its name, or its number when it has none.
std::string GroupLabel(const Group& group);

}  // namespace trivane
