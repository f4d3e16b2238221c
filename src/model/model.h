#pragma once
// The model being edited and analysed: node and element tables with 1-based
// numbering (entry 0 is never used), their counts, bounds and material.
#include <array>
#include <cstdint>

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

struct ModelBounds {
  double ymax = 0.0;
  double ymin = 0.0;
  double xmax = 0.0;
  double xmin = 0.0;
  bool operator==(const ModelBounds&) const = default;
};

struct Material {
  double mu = 0.167;  // Poisson's ratio
  double E = 2.0e10;  // modulus of elasticity, Pa
  double t = 1.0;     // thickness, m
  bool operator==(const Material&) const = default;
};

struct Model {
  std::array<Node, MaxNodes + 1> nodes{};
  std::array<Element, MaxElements + 1> elements{};
  int32_t nodeCount = 0;
  int32_t elementCount = 0;
  ModelBounds bounds{};
  Material material{};
};

// Node numbers picked by the rubber band, in increasing order, 1-based.
struct Selection {
  std::array<int32_t, MaxSelection + 1> nodes{};
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
