#pragma once
// The values of the result fields (model/result_fields.h) from the tables of
// the last compute: each field's element values and its averaged values at
// the element corners.
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "analysis/solution.h"
#include "model/model.h"
#include "model/result_fields.h"

namespace trivane {

// The functions below throw Error(HoopNeedsAxisymmetric) for a field the
// solution's problem type does not have (FieldApplies).

// Element e's value. |u| is taken at the element's centre.
double ElementFieldValue(const Model& model, const Solution& tables, ResultField field, int32_t element);

// Element e's own value at a point of it given in its own coordinates: that
// of an element with several stress points (a six-node triangle) varies, as
// its corner stresses interpolated linearly, the principal stresses and von
// Mises formed from them; |u| interpolated by the shape functions. Any other
// is its element value.
double ElementFieldValueAt(const Model& model, const Solution& tables, ResultField field, int32_t element,
                           ReferencePoint at);

// The averaged field at a point of element e, its values at the element's
// nodes (CornerFieldValues) interpolated by its shape functions, as a smooth
// plot paints it. The field must have values at the nodes.
double AveragedFieldValueAt(const Model& model, const Solution& tables, ResultField field, int32_t element,
                            ReferencePoint at);

// Element e's value at [e - 1].
std::vector<double> ElementFieldValues(const Model& model, const Solution& tables, ResultField field);

// The value at node k of element e at [n (e - 1) + k], n nodes per element: the averaged stress of
// the element's side at that node, |u| of the node. A field with no values at
// the nodes carries its element's value at every corner.
std::vector<double> CornerFieldValues(const Model& model, const Solution& tables, ResultField field);

// The element values as the compute stored them, entry [e - 1] for element e;
// empty for a field kept at the nodes.
std::span<const double> StoredElementValues(const Solution& tables, ResultField field);

// The values of a field kept at the stress points (FieldPlace::ElementPoints)
// where an element has more than one: point p of element e at
// [P (e - 1) + p], P = tables.stressPoints. Empty for the other fields and
// where each element has one point, whose values are the element values.
std::span<const double> StoredPointValues(const Solution& tables, ResultField field);

// The averaged values at the nodes, node i at [i - 1], of the fields the files
// give an averaged column (averagedExportName); empty for the others.
std::span<const double> NodeMeanValues(const Solution& tables, ResultField field);

}  // namespace trivane
