#include "analysis/loads.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/checked.h"
#include "model/errors.h"
#include "model/mesh_edges.h"
#include "model/point_load.h"

namespace trivane {

using checked::Add;
using checked::Div;
using checked::Mul;
using checked::Sub;

namespace {

// The integrals of an intensity q times the shape functions N1 = 1 - xi and
// N2 = xi of the edge's two ends, over its parameter xi in [0, 1].
struct Weights {
  double first;
  double second;
};

// q = peak (1 - xi / s) on [0, s], nothing beyond, with xi = 0 at the loaded end.
Weights LoadedPart(double peak, double s) {
  const double nearEnd = Sub(Div(Mul(peak, s), 2.0), Div(Mul(Mul(peak, s), s), 6.0));
  const double farEnd = Div(Mul(Mul(peak, s), s), 6.0);
  return {nearEnd, farEnd};
}

// q running linearly from q1 at the first end to q2 at the second, taken as
// nothing where it falls below zero (water above its level): where it crosses
// zero the edge is split there and only the loaded part is integrated, so the
// result is exact on an edge the water line crosses.
Weights LinearWeights(double q1, double q2) {
  if (q1 >= 0.0 && q2 >= 0.0) return {Add(Div(q1, 3.0), Div(q2, 6.0)), Add(Div(q1, 6.0), Div(q2, 3.0))};
  if (q1 <= 0.0 && q2 <= 0.0) return {0.0, 0.0};
  if (q1 > 0.0) return LoadedPart(q1, Div(q1, Sub(q1, q2)));
  const Weights w = LoadedPart(q2, Div(q2, Sub(q2, q1)));
  return {w.second, w.first};
}

void AddForce(std::vector<double>& forces, int32_t node, Force f) {
  double& x = forces[static_cast<std::size_t>(2 * node - 2)];
  double& y = forces[static_cast<std::size_t>(2 * node - 1)];
  // Adding +0.0 would turn a -0.0 point-load component into +0.0.
  if (f.x != 0.0) x = Add(x, f.x);
  if (f.y != 0.0) y = Add(y, f.y);
}

void AddEdgeLoads(const Model& model, std::vector<double>& forces) {
  const MeshEdges sides(model);
  const double t = model.material.t;
  for (const EdgeLoad& load : model.conditions.edgeLoads) {
    const Edge& edge = load.edge;
    const auto isNode = [&](int32_t node) { return node >= 1 && node <= model.nodeCount; };
    const int32_t count = isNode(edge.node1) && isNode(edge.node2) ? sides.ElementCount(edge) : 0;
    if (count == 0) throw Error(messages::EdgeNotInMesh(edge.node1, edge.node2));
    if (count > 1) throw Error(messages::EdgeNotOnBoundary(edge.node1, edge.node2));
    const Element& beside = model.elements[sides.FirstElement(edge)];
    int32_t opposite = beside.node1;
    for (const int32_t corner : {beside.node2, beside.node3})
      if (opposite == edge.node1 || opposite == edge.node2) opposite = corner;
    const EdgeForces f =
        EdgeLoadForces(load, model.nodes[edge.node1], model.nodes[edge.node2], model.nodes[opposite], t);
    AddForce(forces, edge.node1, f.first);
    AddForce(forces, edge.node2, f.second);
  }
}

void AddSelfWeight(const Model& model, std::vector<double>& forces) {
  const Gravity g = model.conditions.gravity;
  if (g.gx == 0.0 && g.gy == 0.0) return;
  const std::vector<int32_t> index = ElementMaterialIndex(model);
  const auto& regions = model.conditions.regionMaterials;
  const double t = model.material.t;
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const int32_t k = index[static_cast<std::size_t>(e - 1)];
    const double rho = k == 0 ? model.entered.rho : regions[static_cast<std::size_t>(k - 1)].rho;
    if (rho == 0.0) continue;
    const Element& el = model.elements[e];
    for (const int32_t corner : {el.node1, el.node2, el.node3})
      if (corner < 1 || corner > model.nodeCount) throw Error(messages::ElementNodeMissing(e, corner));
    const Node& a = model.nodes[el.node1];
    const Node& b = model.nodes[el.node2];
    const Node& c = model.nodes[el.node3];
    const double twiceArea = std::fabs(Sub(Mul(Sub(b.x, a.x), Sub(c.y, a.y)), Mul(Sub(c.x, a.x), Sub(b.y, a.y))));
    // rho A t / 3, the mass each corner carries.
    const double third = Div(Mul(Mul(Mul(rho, twiceArea), 0.5), t), 3.0);
    const Force f{Mul(third, g.gx), Mul(third, g.gy)};
    for (const int32_t corner : {el.node1, el.node2, el.node3}) AddForce(forces, corner, f);
  }
}

}  // namespace

Force NodeForce(const Node& node) {
  const LoadParts parts = PointLoadParts(node.load, node.loadAngle);
  return {parts.x, parts.y};
}

EdgeForces EdgeLoadForces(const EdgeLoad& load, const Node& first, const Node& second, const Node& opposite,
                          double t) {
  const double dx = Sub(second.x, first.x);
  const double dy = Sub(second.y, first.y);
  if (load.kind == EdgeLoadKind::Traction) {
    // (tx, ty) L t / 2 on each end.
    const double share = Div(Mul(std::hypot(dx, dy), t), 2.0);
    const Force f{Mul(load.a, share), Mul(load.b, share)};
    return {f, f};
  }
  // The normal scaled by the edge's length, (dy, -dx), turned outward: the
  // opposite corner lies on its inner side.
  const double side = Sub(Mul(dx, Sub(opposite.y, first.y)), Mul(dy, Sub(opposite.x, first.x)));
  const double sense = side < 0.0 ? -1.0 : 1.0;
  const double nx = Mul(sense, dy);
  const double ny = Mul(sense, -dx);
  const Weights w = load.kind == EdgeLoadKind::Pressure
                        ? Weights{Div(load.a, 2.0), Div(load.a, 2.0)}
                        : LinearWeights(Mul(load.b, Sub(load.a, first.y)), Mul(load.b, Sub(load.a, second.y)));
  // A pressure pushes against the outward normal.
  const auto push = [&](double weight) { return Force{Mul(Mul(-weight, t), nx), Mul(Mul(-weight, t), ny)}; };
  return {push(w.first), push(w.second)};
}

std::vector<double> NodalForces(const Model& model) {
  std::vector<double> forces(static_cast<std::size_t>(2 * std::max(model.nodeCount, 0)), 0.0);
  for (int32_t i = 1; i <= model.nodeCount; ++i) {
    const Force f = NodeForce(model.nodes[i]);
    forces[static_cast<std::size_t>(2 * i - 2)] = f.x;
    forces[static_cast<std::size_t>(2 * i - 1)] = f.y;
  }
  if (!model.conditions.edgeLoads.empty()) AddEdgeLoads(model, forces);
  AddSelfWeight(model, forces);
  return forces;
}

}  // namespace trivane
