#include "analysis/recovery/fields.h"

#include <array>
#include <cmath>

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
                                                         {"error", "误差", " ‖e‖ (√J)"}}};

std::size_t Index(ResultField field) { return static_cast<std::size_t>(field); }

double NodeDisplacement(const AnalysisTables& tables, int32_t node) {
  return std::hypot(tables.loads(2 * node - 1), tables.loads(2 * node));
}

// A stress component of an averaged state, formed as the element stresses are.
double Component(const StressState& s, ResultField field) {
  if (Index(field) < 3) return s[Index(field)];
  return PrincipalStresses(s)[Index(field) - 3];
}

}  // namespace

std::vector<double> ElementFieldValues(const Model& model, const AnalysisTables& tables, ResultField field) {
  const auto m = static_cast<std::size_t>(tables.elementCount);
  switch (field) {
    case ResultField::Mises: return {tables.mises.begin(), tables.mises.begin() + static_cast<std::ptrdiff_t>(m)};
    case ResultField::Error: return tables.error.elementError;
    case ResultField::DisplacementMagnitude: {
      std::vector<double> values(m);
      for (std::size_t e = 1; e <= m; ++e) {
        const Element& el = model.elements[static_cast<std::ptrdiff_t>(e)];
        double u = 0.0;
        double v = 0.0;
        for (const int32_t node : {el.node1, el.node2, el.node3}) {
          u += tables.loads(2 * node - 1);
          v += tables.loads(2 * node);
        }
        values[e - 1] = std::hypot(u / 3.0, v / 3.0);
      }
      return values;
    }
    default: {
      const auto component = tables.stresses.Component(static_cast<int32_t>(Index(field)) + 1);
      return {component.begin(), component.begin() + static_cast<std::ptrdiff_t>(m)};
    }
  }
}

std::vector<double> CornerFieldValues(const Model& model, const AnalysisTables& tables, ResultField field) {
  const auto m = static_cast<std::size_t>(tables.elementCount);
  std::vector<double> values(3 * m);
  if (field == ResultField::Error) {
    for (std::size_t k = 0; k < 3 * m; ++k) values[k] = tables.error.elementError[k / 3];
    return values;
  }
  const NodalStresses& averaged = tables.averaged;
  for (std::size_t e = 1; e <= m; ++e) {
    const Element& el = model.elements[static_cast<std::ptrdiff_t>(e)];
    const int32_t corners[3] = {el.node1, el.node2, el.node3};
    for (int32_t k = 0; k < 3; ++k) {
      const auto element = static_cast<int32_t>(e);
      double& value = values[3 * (e - 1) + static_cast<std::size_t>(k)];
      if (field == ResultField::DisplacementMagnitude)
        value = NodeDisplacement(tables, corners[k]);
      else if (field == ResultField::Mises)
        value = averaged.MisesAtCorner(element, k);
      else
        value = Component(averaged.AtCorner(element, k), field);
    }
  }
  return values;
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
