#pragma once
// The result fields a plot, a graph along a line or a table shows: the six
// stresses, von Mises, the displacement's magnitude and the estimated error,
// each as element values and as averaged values at the element corners.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/solution.h"
#include "model/model.h"

namespace trivane {

// In the order of the plot's list: the six stresses first, as the stress
// components number them less one; the hoop stress of a solid of revolution last.
enum class ResultField : int32_t {
  SigmaX, SigmaY, TauXY, Sigma1, Sigma2, TauMax, Mises, DisplacementMagnitude, Error, SigmaTheta
};
constexpr int32_t ResultFieldCount = 10;

// Whether a solution has the field: sigma theta belongs to axisymmetric models.
bool HasField(const Solution& solution, ResultField field);

// Element e's value at [e - 1]. |u| is that of the mean of its nodes' displacements.
std::vector<double> ElementFieldValues(const Model& model, const Solution& solution, ResultField field);

// The value at node k of element e at [n (e - 1) + k], n the nodes per element: the averaged stress of
// the element's side at that node, |u| of the node. The error has no nodal
// form, so every corner carries its element's value.
std::vector<double> CornerFieldValues(const Model& model, const Solution& solution, ResultField field);

// The field's name on the command line ("sx" ... "tmax", "mises", "umag",
// "error", "stheta"), and the field a name gives.
std::string_view ResultFieldKey(ResultField field);
std::optional<ResultField> ResultFieldOfKey(std::string_view key);
// As a legend or graph titles it, with its unit: "σx (Pa)", "|u| (m)"; and
// without: "σx", "von Mises", "|u|", "误差".
std::string ResultFieldTitle(ResultField field);
std::string ResultFieldName(ResultField field);

}  // namespace trivane
