#include "analysis/fields.h"

#include <cmath>

namespace trivane {

namespace {

std::size_t Index(ResultField field) { return static_cast<std::size_t>(field); }

// The stress field stores sigma x ... tau max as components 1 to 6.
int32_t StoredComponent(ResultField field) { return static_cast<int32_t>(Index(field)) + 1; }

double NodeDisplacement(const AnalysisTables& tables, int32_t node) {
  return std::hypot(tables.loads(2 * node - 1), tables.loads(2 * node));
}

double CentreDisplacement(const Model& model, const AnalysisTables& tables, int32_t element) {
  const Element& el = model.elements[element];
  double u = 0.0;
  double v = 0.0;
  for (const int32_t node : {el.node1, el.node2, el.node3}) {
    u += tables.loads(2 * node - 1);
    v += tables.loads(2 * node);
  }
  return std::hypot(u / 3.0, v / 3.0);
}

// A stress component of an averaged state, formed as the element stresses are.
double Component(const StressState& s, ResultField field) {
  if (Index(field) < 3) return s[Index(field)];
  return PrincipalStresses(s)[Index(field) - 3];
}

}  // namespace

std::span<const double> StoredElementValues(const AnalysisTables& tables, ResultField field) {
  switch (field) {
    case ResultField::Mises: return tables.mises;
    case ResultField::Error: return tables.error.elementError;
    case ResultField::DisplacementMagnitude: return {};
    default:
      return tables.stresses.Component(StoredComponent(field)).first(static_cast<std::size_t>(tables.elementCount));
  }
}

std::span<const double> NodeMeanValues(const AnalysisTables& tables, ResultField field) {
  const auto& mean = tables.averaged.nodeMean;
  switch (field) {
    case ResultField::SigmaX: return mean[0];
    case ResultField::SigmaY: return mean[1];
    case ResultField::TauXY: return mean[2];
    case ResultField::Mises: return mean[3];
    default: return {};
  }
}

double ElementFieldValue(const Model& model, const AnalysisTables& tables, ResultField field, int32_t element) {
  if (field == ResultField::DisplacementMagnitude) return CentreDisplacement(model, tables, element);
  return StoredElementValues(tables, field)[static_cast<std::size_t>(element - 1)];
}

std::vector<double> ElementFieldValues(const Model& model, const AnalysisTables& tables, ResultField field) {
  if (field != ResultField::DisplacementMagnitude) {
    const std::span<const double> stored = StoredElementValues(tables, field);
    return {stored.begin(), stored.end()};
  }
  std::vector<double> values(static_cast<std::size_t>(tables.elementCount));
  for (std::size_t e = 1; e <= values.size(); ++e) values[e - 1] = CentreDisplacement(model, tables, static_cast<int32_t>(e));
  return values;
}

std::vector<double> CornerFieldValues(const Model& model, const AnalysisTables& tables, ResultField field) {
  const auto m = static_cast<std::size_t>(tables.elementCount);
  std::vector<double> values(3 * m);
  if (!RowOf(field).averaged) {
    const std::span<const double> own = StoredElementValues(tables, field);
    for (std::size_t k = 0; k < 3 * m; ++k) values[k] = own[k / 3];
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

}  // namespace trivane
