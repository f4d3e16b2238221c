#include "analysis/recovery/fields.h"

#include <cmath>

#include "analysis/elements/finite_element.h"
#include "model/errors.h"

namespace trivane {

namespace {

std::size_t Index(ResultField field) { return static_cast<std::size_t>(field); }

// The stress field stores sigma x ... tau max as components 1 to 6.
int32_t StoredComponent(ResultField field) { return static_cast<int32_t>(Index(field)) + 1; }

double NodeDisplacement(const Solution& tables, int32_t node) {
  return std::hypot(DisplacementU(tables, node), DisplacementV(tables, node));
}

double CentreDisplacement(const Model& model, const Solution& tables, int32_t element) {
  // The mean of the nodes' displacements.
  const std::span<const int32_t> nodes = model.elements[element].Nodes();
  double u = 0.0;
  double v = 0.0;
  for (const int32_t node : nodes) {
    u += DisplacementU(tables, node);
    v += DisplacementV(tables, node);
  }
  const auto count = static_cast<double>(nodes.size());
  return std::hypot(u / count, v / count);
}

// A stress component of an averaged state, formed as the element stresses are.
double Component(const StressState& s, ResultField field, bool withHoop) {
  if (field == ResultField::SigmaTheta) return s[3];
  if (Index(field) < 3) return s[Index(field)];
  return PrincipalStresses(s, withHoop)[Index(field) - 3];
}

void RequireField(const Solution& tables, ResultField field) {
  if (!FieldApplies(RowOf(field), tables.material.problem)) throw Error(messages::HoopNeedsAxisymmetric);
}

}  // namespace

std::span<const double> StoredElementValues(const Solution& tables, ResultField field) {
  switch (field) {
    case ResultField::Mises: return tables.mises;
    case ResultField::Error: return tables.error.elementError;
    case ResultField::DisplacementMagnitude: return {};
    case ResultField::SigmaTheta: return tables.hoop;
    default:
      return StressValues(tables, StoredComponent(field));
  }
}

std::span<const double> NodeMeanValues(const Solution& tables, ResultField field) {
  const auto& mean = tables.averaged.nodeMean;
  switch (field) {
    case ResultField::SigmaX: return mean[0];
    case ResultField::SigmaY: return mean[1];
    case ResultField::TauXY: return mean[2];
    case ResultField::Mises: return mean[NodalMises];
    case ResultField::SigmaTheta: return mean[NodalHoop];
    default: return {};
  }
}

double ElementFieldValue(const Model& model, const Solution& tables, ResultField field, int32_t element) {
  RequireField(tables, field);
  if (field == ResultField::DisplacementMagnitude) return CentreDisplacement(model, tables, element);
  return StoredElementValues(tables, field)[static_cast<std::size_t>(element - 1)];
}

std::vector<double> ElementFieldValues(const Model& model, const Solution& tables, ResultField field) {
  RequireField(tables, field);
  if (field != ResultField::DisplacementMagnitude) {
    const std::span<const double> stored = StoredElementValues(tables, field);
    return {stored.begin(), stored.end()};
  }
  std::vector<double> values(static_cast<std::size_t>(tables.elementCount));
  for (std::size_t e = 1; e <= values.size(); ++e) values[e - 1] = CentreDisplacement(model, tables, static_cast<int32_t>(e));
  return values;
}

std::vector<double> CornerFieldValues(const Model& model, const Solution& solution, ResultField field) {
  RequireField(solution, field);
  const auto m = static_cast<std::size_t>(solution.elementCount);
  const auto perElement = static_cast<std::size_t>(ElementTypeOf(model).NodeCount());
  std::vector<double> values(perElement * m);
  if (!RowOf(field).averaged) {
    const std::span<const double> own = StoredElementValues(solution, field);
    for (std::size_t k = 0; k < perElement * m; ++k) values[k] = own[k / perElement];
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
        value = Component(averaged.AtCorner(element, static_cast<int32_t>(k)), field, IsAxisymmetric(solution));
    }
  }
  return values;
}

}  // namespace trivane
