#pragma once
// The model being edited and analysed: node and element tables with 1-based
// numbering (entry 0 is never used), their counts, bounds and material.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "model/conditions.h"
#include "model/limits.h"

namespace trivane {

// Restraint kinds as the analysis reads them; any other value means free.
enum RestraintKind : int32_t { Free = 0, FixedY = 1, FixedX = 2, FixedXY = 3 };

struct Node {
  double x = 0.0;
  double y = 0.0;
  int32_t restraint = 0;
  int32_t orientation = 0;  // which way the support symbol is drawn, 0..3
  double load = 0.0;        // exactly 0.0 means no load
  double loadAngle = 0.0;   // degrees from +x towards +y
  bool operator==(const Node&) const = default;
};

// A triangle's nodes in stored order: its corners N1, N2, N3, then for a
// six-node triangle the nodes on its sides 1-2, 2-3 and 3-1. The analysis
// takes them in this order through Nodes().
struct Element {
  std::array<int32_t, 6> node{};
  int32_t count = 3;
  std::span<const int32_t> Nodes() const { return std::span(node).first(static_cast<std::size_t>(count)); }
  std::span<const int32_t> Corners() const { return std::span(node).first<3>(); }
  bool operator==(const Element&) const = default;
};

// A table numbered 1..Capacity that reads as if every entry existed with its
// default value, while it holds only the entries written so far: writing entry
// k stores entries 1..k, so its memory follows the largest model it held. It
// never shrinks, so entries beyond a model's counts keep what they held (a mesh
// import carries restraints and loads over by node number). Writing outside
// 0..Capacity is a fault of the program and throws std::out_of_range.
template <typename T, int32_t Capacity>
class Table {
 public:
  T& operator[](std::ptrdiff_t k) {
    if (k < 0 || k > Capacity) throw std::out_of_range("table entry out of range");
    if (static_cast<std::size_t>(k) >= entries_.size()) entries_.resize(static_cast<std::size_t>(k) + 1);
    return entries_[static_cast<std::size_t>(k)];
  }
  const T& operator[](std::ptrdiff_t k) const {
    static const T unwritten{};
    return k >= 0 && static_cast<std::size_t>(k) < entries_.size() ? entries_[static_cast<std::size_t>(k)]
                                                                   : unwritten;
  }
  // Entries stored, entry 0 included.
  std::size_t Stored() const { return entries_.size(); }

 private:
  std::vector<T> entries_;
};

struct ModelBounds {
  double ymax = 0.0;
  double ymin = 0.0;
  double xmax = 0.0;
  double xmin = 0.0;
  bool operator==(const ModelBounds&) const = default;
};

// The constants the element formulas take: in plane strain already converted
// (see model/material_rules.h).
struct Material {
  double mu = 0.167;  // Poisson's ratio
  double E = 2.0e10;  // modulus of elasticity, Pa
  double t = 1.0;     // thickness, m
  bool operator==(const Material&) const = default;
};

// The problem type, numbered as the model-properties dialog lists it; any
// other index (text typed that matches no item) changes nothing there.
// In an axisymmetric model x is the radius r >= 0 and y the axis z: the
// model is the half section of a solid of revolution at one angle.
enum ProblemType : int { PlaneStress = 0, PlaneStrain = 1, Axisymmetric = 2 };
// As exports and reports name it: "plane stress", "plane strain", "axisymmetric".
std::string_view ProblemTypeName(ProblemType problem);

// The material as the user entered it, before the plane-strain conversion.
// The element formulas never read it; the results do: the out-of-plane stress
// of plane strain needs the entered Poisson's ratio, and the exported files
// name what the user typed.
struct EnteredMaterial {
  ProblemType problem = PlaneStress;
  double E = 2.0e10;
  double mu = 0.167;
  double t = 1.0;
  double rho = 0.0;    // density, for self-weight and spin
  double alpha = 0.0;  // coefficient of thermal expansion, 1/K
  bool operator==(const EnteredMaterial&) const = default;
};

struct Model {
  Table<Node, MaxNodes> nodes;
  Table<Element, MaxElements> elements;
  int32_t nodeCount = 0;
  int32_t elementCount = 0;
  ModelBounds bounds{};
  Material material{};
  EnteredMaterial entered{};  // what material was formed from
  // 1: three-node triangles; 2: six-node triangles, every element with count 6.
  int32_t elementOrder = 1;
  Conditions conditions{};    // groups, region materials, edge loads, gravity
};

// Node numbers picked by the rubber band, in increasing order, 1-based.
struct Selection {
  Table<int32_t, MaxNodes> nodes;
  int32_t count = 0;
};

// Recomputes the bounds from nodes 1..nodeCount, starting from node 1's
// coordinates even for an empty model.
void UpdateBounds(Model& model);

// The model part of the new-model command: clears the corners of elements
// 1..m and every field of nodes 1..n (m, n the counts on entry), then sets both
// counts to 0, the element order to 1 and drops the conditions (groups,
// region materials, edge loads, gravity). Bounds, material and entries beyond the old counts stay.
void ClearModelTables(Model& model);

// The part of a model that a user sees: counts, element order, nodes and
// elements within the counts, bounds, material and conditions. Entries beyond the counts are not
// compared.
bool SameModel(const Model& a, const Model& b);

// The group a user names: the first whose label (GroupLabel) is `name`, else
// the first whose number `name` reads as. Null when there is none.
const Group* FindGroup(const Model& model, std::string_view name);

// Every node of a group once, ascending: a node group's nodes, an edge group's
// ends (and in a six-node model the node on each side), a region's element nodes.
std::vector<int32_t> GroupNodes(const Model& model, const Group& group);

// For elements 1..elementCount (entry [e - 1]): 1 + the index into
// conditions.regionMaterials of the material element e uses, or 0 for the
// model's own. An element in several regions with materials takes the first
// region (in group order) that has one.
std::vector<int32_t> ElementMaterialIndex(const Model& model);

// For elements 1..elementCount (entry [e - 1]): the temperature change of
// element e, its region's (conditions.temperature.regions) or else the
// model's. An element in several regions with one takes the first region
// (in group order) that has one, as for materials.
std::vector<double> ElementTemperatureChanges(const Model& model);

}  // namespace trivane
