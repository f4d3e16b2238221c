#include "app/readout.h"

#include "analysis/compute.h"
#include "analysis/recovery/fields.h"
#include "io/number_text.h"
#include "model/errors.h"

namespace trivane {
namespace {

std::string Readout(double value) { return FormatSignificant(value, ReadoutDigits); }

std::string Value(const std::string& name, double value) { return name + " = " + Readout(value); }

std::string Point(double x, double y) {
  std::string text = "(";
  return text.append(Readout(x)).append(", ").append(Readout(y)).append(")");
}

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
    const AxisNames axes = AxisNamesOf(model.entered.problem);
    std::string text = "结点 " + std::to_string(hit.number) + "：" + Value(axes.x, n.x) + "，" + Value(axes.y, n.y);
    // The analysis holds it so without a support of the user's, which the
    // picture does not show.
    if (model.entered.problem == Axisymmetric && n.x == 0.0) text += "，" + std::string(messages::AxisNodeHeldRadially);
    // The picture leaves out a label that would overlap another: its value
    // is always here, as the label writes it.
    if (n.load != 0.0) text += "，荷载 = " + FormatGeneral(n.load) + "，方向 = " + FormatGeneral(n.loadAngle);
    if (results) {
      text += "，" + Value(axes.u, DisplacementU(*results, hit.number)) + "，" +
              Value(axes.v, DisplacementV(*results, hit.number));
      const NodeReaction reaction = ReactionAt(*results, hit.number);
      if (reaction.rx) text += "，" + Value(axes.rx, *reaction.rx);
      if (reaction.ry) text += "，" + Value(axes.ry, *reaction.ry);
    }
    return text;
  }
  if (hit.kind == ProbeHit::Element) {
    std::string text = "单元 " + std::to_string(hit.number);
    if (!results) return text;
    // An element whose stress varies inside it (a six-node triangle) reads
    // its own field at the pointer, then the averaged field there.
    const bool varies = results->stressPoints > 1;
    const auto fields = [&](const char* separator, auto value) {
      for (const ResultFieldRow& row : ResultFields()) {
        if (row.place != FieldPlace::ElementPoints || !FieldApplies(row, results->material.problem)) continue;
        const std::string symbol(NamedRow(row.field, results->material.problem).symbol);
        text += separator + Value(symbol, value(row.field));
        separator = "，";
      }
    };
    if (!varies) {
      fields("：", [&](ResultField field) { return ElementFieldValue(model, *results, field, hit.number); });
      return text;
    }
    fields("：", [&](ResultField field) { return ElementFieldValueAt(model, *results, field, hit.number, hit.at); });
    text += "；结点平均";
    fields("：", [&](ResultField field) { return AveragedFieldValueAt(model, *results, field, hit.number, hit.at); });
    return text;
  }
  return {};
}

std::string ErrorText(const ErrorEstimate& estimate) {
  return "误差估计 " + FormatSignificant(100.0 * estimate.relative, 3) + "%";
}

AxisNames AxisNamesOf(ProblemType problem) {
  if (problem == Axisymmetric) return {"r", "z", "ur", "uz", "Rr", "Rz"};
  return {"x", "y", "u", "v", "Rx", "Ry"};
}

std::string MaterialText(const EnteredMaterial& material) {
  static constexpr const char* ProblemNames[] = {"平面应力", "平面应变", "轴对称"};
  std::string text = ProblemNames[material.problem];
  text += "  E = " + Readout(material.E) + " Pa  μ = " + Readout(material.mu);
  // A solid of revolution has no thickness.
  if (material.problem != Axisymmetric) text += "  t = " + Readout(material.t) + " m";
  if (material.rho != 0.0) text += "  ρ = " + Readout(material.rho) + " kg/m³";
  if (material.alpha != 0.0) text += "  α = " + Readout(material.alpha) + " 1/K";
  return text;
}

std::string LineEndsText(ProblemType problem, LinePoint from, LinePoint to) {
  const AxisNames axes = AxisNamesOf(problem);
  std::string text = "(";
  text.append(axes.x).append(", ").append(axes.y).append(") = ");
  return text.append(Point(from.x, from.y)).append(" → ").append(Point(to.x, to.y));
}

}  // namespace trivane
