#include "cli/model_summary.h"

#include <algorithm>
#include <utility>

#include "cli/cli_common.h"
#include "io/number_text.h"

namespace trivane::cli {

namespace {

const char* KindName(GroupKind kind) {
  switch (kind) {
    case GroupKind::Nodes:
      return "nodes";
    case GroupKind::Edges:
      return "edges";
    case GroupKind::Region:
      return "region";
  }
  return "";
}

size_t SizeOf(const Group& group) {
  switch (group.kind) {
    case GroupKind::Nodes:
      return group.nodes.size();
    case GroupKind::Edges:
      return group.edges.size();
    case GroupKind::Region:
      return group.elements.size();
  }
  return 0;
}

// What a group's size counts, for the readable summary.
const char* SizeUnit(GroupKind kind) {
  switch (kind) {
    case GroupKind::Nodes:
      return " nodes";
    case GroupKind::Edges:
      return " edges";
    case GroupKind::Region:
      return " elements";
  }
  return "";
}

std::string EdgeLoadJson(const EdgeLoad& load) {
  std::string text = "{\"edge\": [" + FormatInteger(load.edge.node1) + ", " + FormatInteger(load.edge.node2) + "], ";
  switch (load.kind) {
    case EdgeLoadKind::Pressure:
      return text + "\"pressure\": " + JsonReal(load.a) + "}";
    case EdgeLoadKind::Water:
      return text + "\"water\": {\"level\": " + JsonReal(load.a) + ", \"gamma\": " + JsonReal(load.b) + "}}";
    case EdgeLoadKind::Traction:
      return text + "\"traction\": [" + JsonReal(load.a) + ", " + JsonReal(load.b) + "]}";
  }
  return text + "}";
}

}  // namespace

std::string MaterialLine(const Model& model) {
  const EnteredMaterial& m = model.entered;
  std::string line = std::string(ProblemTypeName(m.problem)) + ", E = " + FormatGeneral(m.E) +
                     " Pa, mu = " + FormatGeneral(m.mu);
  if (m.problem != Axisymmetric) line += ", t = " + FormatGeneral(m.t) + " m";
  if (m.rho != 0.0) line += ", rho = " + FormatGeneral(m.rho) + " kg/m3";
  if (m.alpha != 0.0) line += ", alpha = " + FormatGeneral(m.alpha) + " 1/K";
  return line;
}

bool HasThermalData(const Model& model) {
  const Conditions& c = model.conditions;
  return model.entered.alpha != 0.0 || c.temperature.dt != 0.0 || !c.temperature.regions.empty() ||
         std::any_of(c.regionMaterials.begin(), c.regionMaterials.end(),
                     [](const RegionMaterial& r) { return r.alpha != 0.0; });
}

// A model without thermal data keeps the JSON it always had.
std::string MaterialJson(const Model& model) {
  const EnteredMaterial& m = model.entered;
  const std::string t = m.problem == Axisymmetric ? "" : ", \"t\": " + JsonReal(m.t);
  std::string text = "{\"problem\": " + JsonString(ProblemTypeName(m.problem)) + ", \"E\": " + JsonReal(m.E) +
                     ", \"mu\": " + JsonReal(m.mu) + t + ", \"rho\": " + JsonReal(m.rho);
  if (!HasThermalData(model)) return text + "}";
  const Temperature& temperature = model.conditions.temperature;
  text += ", \"alpha\": " + JsonReal(m.alpha) + "}, \"temperature\": {\"dt\": " + JsonReal(temperature.dt) +
          ", \"regions\": [";
  for (size_t k = 0; k < temperature.regions.size(); ++k)
    text += (k > 0 ? ", " : "") + std::string("{\"region\": ") + JsonString(temperature.regions[k].region) +
            ", \"dt\": " + JsonReal(temperature.regions[k].dt) + "}";
  return text + "]}";
}

void PrintConditions(const Model& model, std::ostream& out) {
  const Conditions& c = model.conditions;
  for (const Group& g : c.groups)
    out << "group " << GroupLabel(g) << " (" << KindName(g.kind) << " " << FormatInteger(g.number)
        << "): " << SizeOf(g) << SizeUnit(g.kind) << "\n";
  for (const RegionMaterial& r : c.regionMaterials) {
    out << "region " << r.region << ": E = " << FormatGeneral(r.E) << " Pa, mu = " << FormatGeneral(r.mu)
        << ", rho = " << FormatGeneral(r.rho) << " kg/m3";
    if (r.alpha != 0.0) out << ", alpha = " << FormatGeneral(r.alpha) << " 1/K";
    out << "\n";
  }
  size_t count[3] = {0, 0, 0};
  for (const EdgeLoad& load : c.edgeLoads) ++count[static_cast<int>(load.kind)];
  if (!c.edgeLoads.empty()) {
    out << "edge loads:";
    const char* separator = " ";
    for (const auto& [k, name] : {std::pair{0, " pressure"}, {1, " water"}, {2, " traction"}}) {
      if (count[k] == 0) continue;
      out << separator << count[k] << name;
      separator = ", ";
    }
    out << "\n";
  }
  if (!(c.gravity == Gravity{}))
    out << "gravity: (" << FormatGeneral(c.gravity.gx) << ", " << FormatGeneral(c.gravity.gy) << ") m/s2\n";
  if (c.temperature.dt != 0.0) out << "temperature change: " << FormatGeneral(c.temperature.dt) << " K\n";
  for (const RegionTemperature& r : c.temperature.regions)
    out << "temperature change of region " << r.region << ": " << FormatGeneral(r.dt) << " K\n";
  if (c.spin != 0.0) out << "spin: " << FormatGeneral(c.spin) << " rad/s\n";
}

std::string ConditionsJson(const Model& model) {
  const Conditions& c = model.conditions;
  std::string text = "\"groups\": [";
  for (size_t k = 0; k < c.groups.size(); ++k) {
    const Group& g = c.groups[k];
    text += (k > 0 ? ", " : "") + std::string("{\"label\": ") + JsonString(GroupLabel(g)) +
            ", \"name\": " + JsonString(g.name) + ", \"number\": " + FormatInteger(g.number) +
            ", \"kind\": " + JsonString(KindName(g.kind)) + ", \"size\": " + FormatInteger(static_cast<long long>(SizeOf(g))) + "}";
  }
  text += "], \"region_materials\": [";
  const bool thermal = HasThermalData(model);
  for (size_t k = 0; k < c.regionMaterials.size(); ++k) {
    const RegionMaterial& r = c.regionMaterials[k];
    text += (k > 0 ? ", " : "") + std::string("{\"region\": ") + JsonString(r.region) + ", \"E\": " + JsonReal(r.E) +
            ", \"mu\": " + JsonReal(r.mu) + ", \"rho\": " + JsonReal(r.rho) +
            (thermal ? ", \"alpha\": " + JsonReal(r.alpha) : std::string()) + "}";
  }
  text += "], \"edge_loads\": [";
  for (size_t k = 0; k < c.edgeLoads.size(); ++k) text += (k > 0 ? ", " : "") + EdgeLoadJson(c.edgeLoads[k]);
  text += "], \"gravity\": [" + JsonReal(c.gravity.gx) + ", " + JsonReal(c.gravity.gy) + "]";
  if (c.spin != 0.0) text += ", \"spin\": " + JsonReal(c.spin);
  return text;
}

}  // namespace trivane::cli
