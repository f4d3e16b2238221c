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

// The probe's readout: a node's number, coordinates and load (its value and
// angle, also where the picture left its label out), an element's number,
// and with results of the present model (results not null) their values: a
// node's u, v and its support forces, an element's values of every field
// kept at its points (the stresses and von Mises), by their symbols. Where
// the element's stress varies inside it (a six-node triangle) they are its
// own values at the pointer, followed by "；结点平均：" and the averaged
// values there.
std::string ProbeText(const Model& model, const ProbeHit& hit, const Solution* results);

// The material in force, as the user entered it: "平面应力  E = 2e+10 Pa
// μ = 0.167  t = 1 m", with "ρ = … kg/m³" where the density is not 0.
std::string MaterialText(const EnteredMaterial& material);

}  // namespace trivane
