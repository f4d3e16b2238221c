#pragma once
// The material and the conditions of a model as info and solve print them:
// a few readable lines, or JSON members.
#include <ostream>
#include <string>

#include "model/model.h"

namespace trivane::cli {

// The material as entered: "plane strain, E = 2E10 Pa, mu = 0.3, t = 1 m",
// with ", rho = R kg/m3" when the density is not 0 and ", alpha = A 1/K"
// when the coefficient of thermal expansion is not; an axisymmetric model's
// has no thickness.
std::string MaterialLine(const Model& model);

// Whether the model has a temperature change or a coefficient of thermal
// expansion anywhere: what makes the summaries name them.
bool HasThermalData(const Model& model);

// The material as entered, as a JSON object:
// {"problem": "plane stress", "E": …, "mu": …, "t": …, "rho": …} (an
// axisymmetric model's has no "t"), with "alpha" last for a model with
// thermal data; then, for such a model, the member
// "temperature": {"dt": …, "regions": [{"region": …, "dt": …}, …]} after the
// object.
std::string MaterialJson(const Model& model);

// One line for each group and region material, one for the edge loads by
// kind, one for gravity, one for each temperature change, one for the spin;
// nothing for what the model does not have.
void PrintConditions(const Model& model, std::ostream& out);

// The JSON members "groups", "region_materials" (each with "alpha" for a
// model with thermal data), "edge_loads" and "gravity", and "spin" where the
// model turns, without braces around them.
std::string ConditionsJson(const Model& model);

}  // namespace trivane::cli
