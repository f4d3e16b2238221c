#pragma once
// The texts the window shows beside the picture: the deformed plot's scale,
// the selection and the probe's values. Numbers have ReadoutDigits
// significant digits.
#include <string>

#include "analysis/solution.h"
#include "app/session.h"
#include "display/deformed_plot.h"

namespace trivane {

constexpr int ReadoutDigits = 6;

inline constexpr const char* ResultsOutOfDate = "结果已过期";

// "已选 N 个结点"; empty while nothing is selected.
std::string SelectionText(int32_t count);

// A deformed plot: its magnification and the largest displacement with its
// node, "放大 1200 倍，最大位移 0.0005（结点 3）".
std::string DeformedText(const DeformedScale& scale);

// The estimated error of the last compute: "误差估计 4.67%".
std::string ErrorText(const ErrorEstimate& estimate);

// How the window names the axes and what lies along them: x and y, or in an
// axisymmetric model the radius r and the axis z.
struct AxisNames {
  const char* x;   // the coordinates
  const char* y;
  const char* u;   // the displacements
  const char* v;
  const char* rx;  // the support forces
  const char* ry;
};
AxisNames AxisNamesOf(ProblemType problem);

// The probe's readout: a node's number, coordinates and load (its value and
// angle, also where the picture left its label out), an element's number,
// and with results of the present model (results not null) their values: a
// node's u, v and its support forces, an element's values of every field
// kept at its points (the stresses and von Mises), by their symbols. Where
// the element's stress varies inside it (a six-node triangle) they are its
// own values at the pointer, followed by "；结点平均：" and the averaged
// values there. The axes are named as AxisNamesOf says, and a node on an
// axisymmetric model's axis is said to be held radially.
std::string ProbeText(const Model& model, const ProbeHit& hit, const Solution* results);

// The material in force, as the user entered it: "平面应力  E = 2e+10 Pa
// μ = 0.167  t = 1 m", with "ρ = … kg/m³" and "α = … 1/K" where the density
// and the expansion are not 0; an axisymmetric model has no t.
std::string MaterialText(const EnteredMaterial& material);

// Where a graph along a line runs, in the model's axes: "(x, y) = (0, 2) → (0, 10)".
std::string LineEndsText(ProblemType problem, LinePoint from, LinePoint to);

}  // namespace trivane
