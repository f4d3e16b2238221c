#pragma once
// The sizes a new mesh should have, over the last mesh, and their value at
// any point: what a mesher asks while it places nodes.
#include <cstdint>
#include <vector>

#include "model/model.h"

namespace trivane {

// Over each triangle of `mesh`, linear between the sizes at its corners
// (nodeSizes[i - 1] for node i).
struct SizeField {
  const Model& mesh;
  std::vector<double> nodeSizes;
};

// The field's value at a point, found through a grid of buckets over the
// mesh. Inside a triangle, the linear value; outside every triangle (where a
// curved boundary bulges past the straight sides of the last mesh), the value
// at the nearest point of the nearest triangle. A mesher that took no value
// there would fall back to the size of the whole model and put a single
// element along a convex arc. Holds its own copy of the field: the mesh may
// go while the lookup is still asked.
class SizeFieldLookup {
 public:
  explicit SizeFieldLookup(const SizeField& field);
  double At(double x, double y) const;

 private:
  struct Corner {
    double x, y, size;
  };
  struct Nearest {
    double distanceSquared;
    double value;
  };
  Nearest Nearer(Nearest best, std::size_t triangle, double x, double y) const;
  int32_t CellX(double x) const;
  int32_t CellY(double y) const;

  std::vector<Corner> corners_;  // three per triangle
  double x0_ = 0.0, y0_ = 0.0, cell_ = 1.0;
  int32_t columns_ = 1, rows_ = 1;
  std::vector<int32_t> cellStart_;  // triangles of cell c: cellTriangles_[cellStart_[c] .. cellStart_[c + 1])
  std::vector<int32_t> cellTriangles_;
};

}  // namespace trivane
