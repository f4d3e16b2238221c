#include "analysis/loads/loads.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/checked.h"
#include "analysis/elements/axisymmetric_element.h"
#include "analysis/elements/finite_element.h"
#include "model/errors.h"
#include "model/mesh_edges.h"
#include "model/point_load.h"

namespace trivane {

using checked::Add;
using checked::Mul;

namespace {

// Where a node stands in the element's list of nodes.
int32_t LocalNode(const ElementNodes& nodes, int32_t node) {
  int32_t k = 0;
  while (nodes.number[static_cast<std::size_t>(k)] != node) ++k;
  return k;
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
  const FiniteElement& element = ElementTypeOf(model);
  const double t = model.material.t;
  for (const EdgeLoad& load : model.conditions.edgeLoads) {
    const Edge& edge = load.edge;
    const auto isNode = [&](int32_t node) { return node >= 1 && node <= model.nodeCount; };
    const int32_t count = isNode(edge.node1) && isNode(edge.node2) ? sides.ElementCount(edge) : 0;
    if (count == 0) throw Error(messages::EdgeNotInMesh(edge.node1, edge.node2));
    if (count > 1) throw Error(messages::EdgeNotOnBoundary(edge.node1, edge.node2));
    const ElementNodes nodes = NodesOf(model, sides.FirstElement(edge));
    // The side's ends as the load names them, then any nodes between them.
    std::array<int32_t, MaxElementNodes> side{LocalNode(nodes, edge.node1), LocalNode(nodes, edge.node2)};
    std::size_t sideCount = 2;
    for (int32_t s = 0; s < element.SideCount(); ++s) {
      const std::span<const int32_t> listed = element.SideNodes(s);
      if ((listed[0] == side[0] && listed[1] == side[1]) || (listed[0] == side[1] && listed[1] == side[0])) {
        for (std::size_t k = 2; k < listed.size(); ++k) side[sideCount++] = listed[k];
        break;
      }
    }
    const SideForces f = element.EdgeLoadForces(load, nodes, std::span(side).first(sideCount), t);
    for (std::size_t k = 0; k < sideCount; ++k)
      AddForce(forces, nodes.number[static_cast<std::size_t>(side[k])], f[k]);
  }
}

// Element e's nodes, for a body force on it: every node must exist.
ElementNodes LoadedNodes(const Model& model, int32_t e) {
  for (const int32_t node : model.elements[e].Nodes())
    if (node < 1 || node > model.nodeCount) throw Error(messages::ElementNodeMissing(e, node));
  return NodesOf(model, e);
}

// Each element's density, entry [e - 1]: its region material's, else the model's.
std::vector<double> Densities(const Model& model) {
  const std::vector<int32_t> index = ElementMaterialIndex(model);
  const auto& regions = model.conditions.regionMaterials;
  std::vector<double> density(index.size());
  for (std::size_t e = 0; e < index.size(); ++e)
    density[e] = index[e] == 0 ? model.entered.rho : regions[static_cast<std::size_t>(index[e] - 1)].rho;
  return density;
}

void AddSelfWeight(const Model& model, std::vector<double>& forces) {
  const Gravity g = model.conditions.gravity;
  if (g.gx == 0.0 && g.gy == 0.0) return;
  const std::vector<double> density = Densities(model);
  const FiniteElement& element = ElementTypeOf(model);
  const double t = model.material.t;
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const double rho = density[static_cast<std::size_t>(e - 1)];
    if (rho == 0.0) continue;
    const ElementNodes nodes = LoadedNodes(model, e);
    const std::array<double, MaxElementNodes> mass = element.NodalMasses(nodes, rho, t);
    for (int32_t k = 0; k < nodes.count; ++k) {
      const double m = mass[static_cast<std::size_t>(k)];
      AddForce(forces, nodes.number[static_cast<std::size_t>(k)], {Mul(m, g.gx), Mul(m, g.gy)});
    }
  }
}

bool HasTemperatureChange(const Model& model) {
  const Temperature& temperature = model.conditions.temperature;
  return temperature.dt != 0.0 || !temperature.regions.empty();
}

void AddThermalForces(const Model& model, std::vector<double>& forces) {
  if (!HasTemperatureChange(model)) return;
  const ElementMaterials materials = ElementMaterialsOf(model);
  const FiniteElement& element = ElementTypeOf(model);
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const AnalysisMaterial& material = materials.Of(e);
    const InitialStrain eps0 = InitialStrainOf(material, model.entered.problem);
    if (eps0 == InitialStrain{}) continue;
    const ElementNodes nodes = LoadedNodes(model, e);
    const ElementForces f = element.InitialStrainForces(nodes, material.constants, eps0);
    for (int32_t k = 0; k < nodes.count; ++k)
      AddForce(forces, nodes.number[static_cast<std::size_t>(k)],
               {f[static_cast<std::size_t>(2 * k)], f[static_cast<std::size_t>(2 * k + 1)]});
  }
}

// The centrifugal force rho omega^2 r per unit volume of a part turning about
// its axis, on each node the integral of it times the node's shape function
// over the element's ring.
void AddSpin(const Model& model, std::vector<double>& forces) {
  const double omega = model.conditions.spin;
  if (omega == 0.0 || model.entered.problem != Axisymmetric) return;
  const std::vector<double> density = Densities(model);
  const FiniteElement& element = ElementTypeOf(model);
  for (int32_t e = 1; e <= model.elementCount; ++e) {
    const double rho = density[static_cast<std::size_t>(e - 1)];
    if (rho == 0.0) continue;
    const ElementNodes nodes = LoadedNodes(model, e);
    const std::array<double, MaxElementNodes> moments = RingIntegrals(element, nodes, 1);
    for (int32_t j = 0; j < nodes.count; ++j)
      AddForce(forces, nodes.number[static_cast<std::size_t>(j)],
               {Mul(Mul(Mul(rho, omega), omega), moments[static_cast<std::size_t>(j)]), 0.0});
  }
}

}  // namespace

std::optional<StressVector> ElementInitialStress(const Model& model,
                                                                        const ElementMaterials& materials,
                                                                        int32_t element) {
  const AnalysisMaterial& material = materials.Of(element);
  const InitialStrain eps0 = InitialStrainOf(material, model.entered.problem);
  if (eps0 == InitialStrain{}) return std::nullopt;
  const StressVector s0 = InitialStress(ElementTypeOf(model), material.constants, eps0);
  for (const double v : s0) checked::Finite(v);
  return s0;
}

std::vector<StressVector> InitialStresses(const Model& model, const ElementMaterials& materials) {
  std::vector<StressVector> stresses;
  if (!HasTemperatureChange(model)) return stresses;
  stresses.resize(static_cast<std::size_t>(std::max(model.elementCount, 0)));
  bool any = false;
  for (int32_t e = 1; e <= model.elementCount; ++e)
    if (const auto s0 = ElementInitialStress(model, materials, e)) {
      stresses[static_cast<std::size_t>(e - 1)] = *s0;
      any = true;
    }
  if (!any) stresses.clear();
  return stresses;
}

Force NodeForce(const Node& node) {
  const LoadParts parts = PointLoadParts(node.load, node.loadAngle);
  return {parts.x, parts.y};
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
  AddThermalForces(model, forces);
  AddSpin(model, forces);
  return forces;
}

}  // namespace trivane
