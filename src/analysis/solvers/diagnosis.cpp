#include "analysis/solvers/diagnosis.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "analysis/solvers/assembly.h"
#include "model/errors.h"

namespace trivane {

namespace {

std::size_t Index(int32_t k) { return static_cast<std::size_t>(k); }

// The parts of the mesh, by union of the corners of every element.
class Parts {
 public:
  explicit Parts(int32_t nodes) : parent_(Index(nodes) + 1) { std::iota(parent_.begin(), parent_.end(), 0); }
  int32_t Root(int32_t node) {
    while (parent_[Index(node)] != node) node = parent_[Index(node)] = parent_[Index(parent_[Index(node)])];
    return node;
  }
  void Join(int32_t a, int32_t b) {
    a = Root(a);
    b = Root(b);
    if (a != b) parent_[Index(std::max(a, b))] = std::min(a, b);
  }

 private:
  std::vector<int32_t> parent_;
};

// A rigid motion of a part is u = a - theta y, v = b + theta x. Restraints in
// x hold a - theta y = 0 at their nodes, restraints in y b + theta x = 0. Two
// x-restraints at different heights, or two y-restraints at different x,
// leave theta = 0 and so hold everything, given one restraint each way; with
// all x-restraints on one height and all y-restraints on one vertical the
// part turns about the point where those lines meet.
struct Hold {
  bool anyX = false;
  bool anyY = false;
  double xHeight = 0.0;     // y of the first x-restraint
  double yAbscissa = 0.0;   // x of the first y-restraint
  bool turnHeld = false;
  void Add(const Node& node, Fixity f) {
    if (f.x) {
      if (anyX && node.y != xHeight) turnHeld = true;
      if (!anyX) xHeight = node.y;
      anyX = true;
    }
    if (f.y) {
      if (anyY && node.x != yAbscissa) turnHeld = true;
      if (!anyY) yAbscissa = node.x;
      anyY = true;
    }
  }
};

}  // namespace

std::string SingularCause(const Model& model) {
  const int32_t n = model.nodeCount;
  Parts parts(n);
  std::vector<bool> used(Index(n) + 1, false);
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const std::span<const int32_t> nodes = model.elements[e].Nodes();
    for (std::size_t k = 1; k < nodes.size(); ++k) parts.Join(nodes[k - 1], nodes[k]);
    for (const int32_t node : nodes) used[Index(node)] = true;
  }
  std::vector<Hold> holds(Index(n) + 1);
  for (int32_t i = 1; i <= n; ++i) holds[Index(parts.Root(i))].Add(model.nodes[i], FixityOf(model, i));
  // A part's root is its lowest node, so the parts come up in node order.
  for (int32_t i = 1; i <= n; ++i) {
    if (!used[Index(i)]) {
      const Fixity f = FixityOf(model, i);
      if (!f.x || !f.y) return messages::LoneNode(i);
      continue;
    }
    if (parts.Root(i) != i) continue;
    const Hold& h = holds[Index(i)];
    if (!h.anyX && !h.anyY) return messages::PartUnsupported(i);
    // A ring cannot move radially or turn without stretching round its
    // circumference: only a slide along the axis is free.
    if (model.entered.problem == Axisymmetric) {
      if (!h.anyY) return messages::PartFreeToSlide(i, 'y');
      continue;
    }
    if (!h.anyX) return messages::PartFreeToSlide(i, 'x');
    if (!h.anyY) return messages::PartFreeToSlide(i, 'y');
    if (!h.turnHeld) return messages::PartFreeToRotate(i);
  }
  return "";
}

}  // namespace trivane
