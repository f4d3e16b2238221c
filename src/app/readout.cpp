#include "app/readout.h"

#include <cmath>

#include "analysis/compute.h"
#include "io/number_text.h"

namespace trivane {
namespace {

std::string Value(const char* name, double value) { return std::string(name) + " = " + FormatReadout(value); }

}  // namespace

std::string SelectionText(int32_t count) {
  return count > 0 ? "已选 " + std::to_string(count) + " 个结点" : std::string();
}

std::string DeformedText(const Model& model, const AnalysisTables& results, double magnification) {
  double largest = 0.0;
  int32_t node = 0;
  for (int32_t k = 1; k <= model.nodeCount; ++k) {
    const double length = std::hypot(DisplacementU(results, k), DisplacementV(results, k));
    if (length > largest) {
      largest = length;
      node = k;
    }
  }
  std::string text = "放大 " + FormatReadout(magnification) + " 倍，最大位移 " + FormatReadout(largest);
  if (node > 0) text += "（结点 " + std::to_string(node) + "）";
  return text;
}

std::string ProbeText(const Model& model, const ProbeHit& hit, const AnalysisTables* results) {
  if (hit.kind == ProbeHit::Node) {
    const Node& n = model.nodes[hit.number];
    std::string text = "结点 " + std::to_string(hit.number) + "：" + Value("x", n.x) + "，" + Value("y", n.y);
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
    if (results) {
      for (int32_t k = 1; k <= StressComponentCount; ++k)
        text += (k == 1 ? "：" : "，") + Value(StressComponentNames[k - 1], StressValue(*results, hit.number, k));
      text += "，" + Value("σmises", MisesValue(*results, hit.number));
    }
    return text;
  }
  return {};
}

}  // namespace trivane
