#include "analysis/recovery/fields.h"

#include <array>
#include <cmath>

#include "analysis/elements/finite_element.h"
#include "model/errors.h"

namespace trivane {

namespace {

struct FieldNames {
  std::string_view key;
  std::string_view name;
  std::string_view unit;  // ||e|| is the square root of an energy
};
constexpr std::array<FieldNames, ResultFieldCount> Names{{{"sx", "σx", " (Pa)"},
                                                         {"sy", "σy", " (Pa)"},
                                                         {"txy", "τxy", " (Pa)"},
                                                         {"s1", "σ1", " (Pa)"},
                                                         {"s2", "σ2", " (Pa)"},
                                                         {"tmax", "τmax", " (Pa)"},
                                                         {"mises", "von Mises", " (Pa)"},
                                                         {"umag", "|u|", " (m)"},
                                                         {"error", "误差", " ‖e‖ (√J)"},
                                                         {"stheta", "σθ", " (Pa)"}}};

std::size_t Index(ResultField field) { return static_cast<std::size_t>(field); }

double NodeDisplacement(const Solution& solution, int32_t node) {
  return std::hypot(DisplacementU(solution, node), DisplacementV(solution, node));
}

// A stress component of an averaged state, formed as the element stresses are.
double Component(const StressState& s, ResultField field, bool hoop) {
  if (field == ResultField::SigmaTheta) return s[3];
  if (Index(field) < 3) return s[Index(field)];
  return PrincipalStresses(s, hoop)[Index(field) - 3];
}

}  // namespace

std::vector<double> ElementFieldValues(const Model& model, const Solution& solution, ResultField field) {
  if (!HasField(solution, field)) throw Error(messages::HoopNeedsAxisymmetric);
  const auto m = static_cast<std::size_t>(solution.elementCount);
  std::vector<double> values(m);
  switch (field) {
    case ResultField::Mises:
      for (std::size_t e = 1; e <= m; ++e) values[e - 1] = MisesValue(solution, static_cast<int32_t>(e));
      return values;
    case ResultField::Error: return solution.error.elementError;
    case ResultField::SigmaTheta:
      for (std::size_t e = 1; e <= m; ++e) values[e - 1] = HoopValue(solution, static_cast<int32_t>(e));
      return values;
    case ResultField::DisplacementMagnitude:
      // The mean of the nodes' displacements.
      for (std::size_t e = 1; e <= m; ++e) {
        const std::span<const int32_t> nodes = model.elements[static_cast<std::ptrdiff_t>(e)].Nodes();
        double u = 0.0;
        double v = 0.0;
        for (const int32_t node : nodes) {
          u += DisplacementU(solution, node);
          v += DisplacementV(solution, node);
        }
        const auto count = static_cast<double>(nodes.size());
        values[e - 1] = std::hypot(u / count, v / count);
      }
      return values;
    default:
      for (std::size_t e = 1; e <= m; ++e)
        values[e - 1] = StressValue(solution, static_cast<int32_t>(e), static_cast<int32_t>(Index(field)) + 1);
      return values;
  }
}

std::vector<double> CornerFieldValues(const Model& model, const Solution& solution, ResultField field) {
  if (!HasField(solution, field)) throw Error(messages::HoopNeedsAxisymmetric);
  const auto m = static_cast<std::size_t>(solution.elementCount);
  const auto perElement = static_cast<std::size_t>(ElementTypeOf(model).NodeCount());
  std::vector<double> values(perElement * m);
  if (field == ResultField::Error) {
    for (std::size_t k = 0; k < perElement * m; ++k) values[k] = solution.error.elementError[k / perElement];
    return values;
  }
  const NodalStresses& averaged = solution.averaged;
  for (std::size_t e = 1; e <= m; ++e) {
    const std::span<const int32_t> nodes = model.elements[static_cast<std::ptrdiff_t>(e)].Nodes();
    for (std::size_t k = 0; k < perElement; ++k) {
      const auto element = static_cast<int32_t>(e);
      double& value = values[perElement * (e - 1) + k];
      if (field == ResultField::DisplacementMagnitude)
        value = NodeDisplacement(solution, nodes[k]);
      else if (field == ResultField::Mises)
        value = averaged.MisesAtCorner(element, static_cast<int32_t>(k));
      else
        value = Component(averaged.AtCorner(element, static_cast<int32_t>(k)), field, HasHoop(solution));
    }
  }
  return values;
}

bool HasField(const Solution& solution, ResultField field) {
  return field != ResultField::SigmaTheta || HasHoop(solution);
}

std::string_view ResultFieldKey(ResultField field) { return Names[Index(field)].key; }

std::optional<ResultField> ResultFieldOfKey(std::string_view key) {
  for (std::size_t k = 0; k < Names.size(); ++k)
    if (Names[k].key == key) return static_cast<ResultField>(k);
  return std::nullopt;
}

std::string ResultFieldTitle(ResultField field) {
  return std::string(Names[Index(field)].name).append(Names[Index(field)].unit);
}

std::string ResultFieldName(ResultField field) { return std::string(Names[Index(field)].name); }

}  // namespace trivane
