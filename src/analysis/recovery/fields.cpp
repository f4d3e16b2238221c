#include "analysis/recovery/fields.h"

#include <cmath>

#include "analysis/elements/finite_element.h"
#include "analysis/elements/material.h"
#include "analysis/recovery/results.h"
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

std::span<const double> StoredPointValues(const Solution& tables, ResultField field) {
  if (tables.stressPoints <= 1 || RowOf(field).place != FieldPlace::ElementPoints) return {};
  if (field == ResultField::Mises) return tables.pointMises;
  if (field == ResultField::SigmaTheta) return tables.pointHoop;
  return tables.pointStresses[static_cast<std::size_t>(StoredComponent(field) - 1)];
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

namespace {

// The averaged value of a field at node k of an element.
double AveragedNodeValue(const Model& model, const Solution& solution, ResultField field, int32_t element, int32_t k) {
  if (field == ResultField::DisplacementMagnitude)
    return NodeDisplacement(solution, model.elements[element].node[static_cast<std::size_t>(k)]);
  if (field == ResultField::Mises) return solution.averaged.MisesAtCorner(element, k);
  return Component(solution.averaged.AtCorner(element, k), field, IsAxisymmetric(solution));
}

}  // namespace

double ElementFieldValueAt(const Model& model, const Solution& solution, ResultField field, int32_t element,
                           ReferencePoint at) {
  RequireField(solution, field);
  const auto points = static_cast<std::size_t>(solution.stressPoints);
  if (field == ResultField::DisplacementMagnitude) {
    const ShapeValues n = ElementTypeOf(model).N(at);
    double u = 0.0, v = 0.0;
    const std::span<const int32_t> nodes = model.elements[element].Nodes();
    for (std::size_t k = 0; k < nodes.size(); ++k) {
      u += n[k] * DisplacementU(solution, nodes[k]);
      v += n[k] * DisplacementV(solution, nodes[k]);
    }
    return std::hypot(u, v);
  }
  if (field == ResultField::Error || points == 1) return ElementFieldValue(model, solution, field, element);
  // The corners' stresses, linear in the element's own coordinates.
  const double corner[3] = {1.0 - at.xi - at.eta, at.xi, at.eta};
  StressState s{};
  const bool ring = IsAxisymmetric(solution);
  for (std::size_t p = 0; p < points; ++p) {
    const std::size_t k = points * static_cast<std::size_t>(element - 1) + p;
    for (std::size_t c = 0; c < 3; ++c) s[c] += corner[p] * solution.pointStresses[c][k];
    if (ring) s[3] += corner[p] * solution.pointHoop[k];
  }
  if (field != ResultField::Mises) return Component(s, field, ring);
  if (ring) return RingVonMises(s[0], s[1], s[2], s[3]);
  const std::array<double, 3> principal = PrincipalStresses(s);
  return VonMises(s[0], s[1], principal[0], principal[1], solution.material.problem,
                  ElementMaterialsOf(model).Of(element));
}

double AveragedFieldValueAt(const Model& model, const Solution& solution, ResultField field, int32_t element,
                            ReferencePoint at) {
  RequireField(solution, field);
  const ShapeValues n = ElementTypeOf(model).N(at);
  double value = 0.0;
  for (int32_t k = 0; k < model.elements[element].count; ++k)
    value += n[static_cast<std::size_t>(k)] * AveragedNodeValue(model, solution, field, element, k);
  return value;
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
  for (std::size_t e = 1; e <= m; ++e)
    for (std::size_t k = 0; k < perElement; ++k)
      values[perElement * (e - 1) + k] =
          AveragedNodeValue(model, solution, field, static_cast<int32_t>(e), static_cast<int32_t>(k));
  return values;
}

}  // namespace trivane
