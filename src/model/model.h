#pragma once
// The model being edited and analysed: node and element tables with 1-based
// numbering (entry 0 is never used), their counts, bounds and material.
#include <cstddef>
#include <cstdint>
#include <vector>

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

struct Element {
  int32_t node1 = 0;
  int32_t node2 = 0;
  int32_t node3 = 0;
  bool operator==(const Element&) const = default;
};

// A table numbered from 1 that reads as if every entry existed with its
// default value, while it holds only the entries written so far: writing entry
// k stores entries 1..k, so its memory follows the largest model it held. It
// never shrinks, so entries beyond a model's counts keep what they held (a mesh
// import carries restraints and loads over by node number).
template <typename T>
class Table {
 public:
  T& operator[](std::ptrdiff_t k) {
    if (static_cast<std::size_t>(k) >= entries_.size()) entries_.resize(static_cast<std::size_t>(k) + 1);
    return entries_[static_cast<std::size_t>(k)];
  }
  const T& operator[](std::ptrdiff_t k) const {
    static const T unwritten{};
    return static_cast<std::size_t>(k) < entries_.size() ? entries_[static_cast<std::size_t>(k)] : unwritten;
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
// (see analysis/material.h).
struct Material {
  double mu = 0.167;  // Poisson's ratio
  double E = 2.0e10;  // modulus of elasticity, Pa
  double t = 1.0;     // thickness, m
  bool operator==(const Material&) const = default;
};

// The problem type, numbered as the model-properties dialog lists it; any
// other index (text typed that matches no item) changes nothing there.
enum ProblemType : int { PlaneStress = 0, PlaneStrain = 1 };

// The material as the user entered it, before the plane-strain conversion.
// The element formulas never read it; the results do: the out-of-plane stress
// of plane strain needs the entered Poisson's ratio, and the exported files
// name what the user typed.
struct EnteredMaterial {
  ProblemType problem = PlaneStress;
  double E = 2.0e10;
  double mu = 0.167;
  double t = 1.0;
  bool operator==(const EnteredMaterial&) const = default;
};

struct Model {
  Table<Node> nodes;        // 1..MaxNodes
  Table<Element> elements;  // 1..MaxElements
  int32_t nodeCount = 0;
  int32_t elementCount = 0;
  ModelBounds bounds{};
  Material material{};
  EnteredMaterial entered{};  // what material was formed from
};

// Node numbers picked by the rubber band, in increasing order, 1-based.
struct Selection {
  Table<int32_t> nodes;
  int32_t count = 0;
};

// Recomputes the bounds from nodes 1..nodeCount, starting from node 1's
// coordinates even for an empty model.
void UpdateBounds(Model& model);

// The model part of the new-model command: clears the corners of elements
// 1..m and every field of nodes 1..n (m, n the counts on entry), then sets both
// counts to 0. Bounds, material and entries beyond the old counts stay.
void ClearModelTables(Model& model);

// The part of a model that a user sees: counts, nodes and elements within the
// counts, bounds and material. Entries beyond the counts are not compared.
bool SameModel(const Model& a, const Model& b);

}  // namespace trivane
