#include "app/readout.h"

#include "analysis/compute.h"
#include "analysis/recovery/fields.h"
#include "io/number_text.h"

namespace trivane {
namespace {

std::string Readout(double value) { return FormatSignificant(value, ReadoutDigits); }

std::string Value(const std::string& name, double value) { return name + " = " + Readout(value); }

}  // namespace

std::string SelectionText(int32_t count) {
  return count > 0 ? "已选 " + std::to_string(count) + " 个结点" : std::string();
}

std::string DeformedText(const DeformedScale& scale) {
  std::string text = "放大 " + Readout(scale.magnification) + " 倍，最大位移 " + Readout(scale.largestDisplacement);
  if (scale.largestNode > 0) text += "（结点 " + std::to_string(scale.largestNode) + "）";
  return text;
}

std::string ProbeText(const Model& model, const ProbeHit& hit, const Solution* results) {
  if (hit.kind == ProbeHit::Node) {
    const Node& n = model.nodes[hit.number];
    const bool ring = model.entered.problem == Axisymmetric;
    std::string text = "结点 " + std::to_string(hit.number) + "：" + Value(ring ? "r" : "x", n.x) + "，" +
                       Value(ring ? "z" : "y", n.y);
    // The model holds it so; the user put no support there.
    if (ring && n.x == 0.0) text += "，在轴上（径向自动固定）";
    // The picture leaves out a label that would overlap another: its value
    // is always here, as the label writes it.
    if (n.load != 0.0) text += "，荷载 = " + FormatGeneral(n.load) + "，方向 = " + FormatGeneral(n.loadAngle);
    if (results) {
      text += "，" + Value("u", DisplacementU(*results, hit.number)) + "，" +
              Value("v", DisplacementV(*results, hit.number));
      const NodeReaction reaction = ReactionAt(*results, hit.number);
      if (reaction.rx) text += "，" + Value("Rx", *reaction.rx);
      if (reaction.ry) text += "，" + Value("Ry", *reaction.ry);
    }
    return text;
  }
  if (hit.kind == ProbeHit::Element) {
    std::string text = "单元 " + std::to_string(hit.number);
    if (!results) return text;
    const char* separator = "：";
    for (const ResultFieldRow& row : ResultFields()) {
      if (row.place != FieldPlace::ElementPoints || !HasField(results->material.problem, row)) continue;
      text += separator + Value(std::string(row.symbol), ElementFieldValue(model, *results, row.field, hit.number));
      separator = "，";
    }
    return text;
  }
  return {};
}

std::string ErrorText(const ErrorEstimate& estimate) {
  return "误差估计 " + FormatSignificant(100.0 * estimate.relative, 3) + "%";
}

std::string MaterialText(const EnteredMaterial& material) {
  const char* const names[] = {"平面应力", "平面应变", "轴对称"};
  std::string text = names[material.problem == PlaneStrain || material.problem == Axisymmetric ? material.problem : 0];
  text += "  E = " + Readout(material.E) + " Pa  μ = " + Readout(material.mu);
  // A solid of revolution has no thickness.
  if (material.problem != Axisymmetric) text += "  t = " + Readout(material.t) + " m";
  if (material.rho != 0.0) text += "  ρ = " + Readout(material.rho) + " kg/m³";
  return text;
}

}  // namespace trivane
