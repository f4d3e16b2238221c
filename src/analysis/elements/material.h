#pragma once
// Material constants as the element formulas take them, for the model and for
// each region with a material or a temperature change of its own.
#include <cstdint>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "model/material_rules.h"
#include "model/model.h"

namespace trivane {

// One material side as the analysis reads it: a material and the temperature
// change it stands at.
struct AnalysisMaterial {
  Material constants;     // what the element formulas take
  double enteredMu = 0.0; // Poisson's ratio as entered: the out-of-plane stress of plane strain
  double rho = 0.0;       // density, for self-weight
  double enteredE = 0.0;  // E as entered: the out-of-plane stress of a held temperature strain
  double alpha = 0.0;     // coefficient of thermal expansion, 1/K
  double dt = 0.0;        // temperature change, K; 0 where alpha is 0
};

// The material side of every element. Stresses jump where the material or
// the temperature strain changes, so the averaging and the patch recovery
// keep the sides apart.
struct ElementMaterials {
  // [0] the model's, [k] region material k (ElementMaterialIndex) at the
  // model's temperature change, then each pair of a material and a region's
  // own temperature change that some element uses.
  std::vector<AnalysisMaterial> materials;
  std::vector<int32_t> index;  // entry [e - 1]: element e's side
  const AnalysisMaterial& Of(int32_t element) const {
    return materials[static_cast<std::size_t>(index[static_cast<std::size_t>(element - 1)])];
  }
};

// The model's material as it stands, and for each region material some
// element uses, its E and mu converted by the model's problem type as
// ElementMaterial converts the model's, with the model's thickness; each
// with its temperature change. Throws Error as ElementMaterial for a region's
// values.
ElementMaterials ElementMaterialsOf(const Model& model);

// The strain alpha dT of a temperature change in every direct direction, as
// the element formulas take it. In plane strain the strain out of the plane
// is held: with the converted constants the in-plane strain that gives the
// same stresses is (1 + mu) alpha dT, mu as entered. All zero without one.
InitialStrain InitialStrainOf(const AnalysisMaterial& material, ProblemType problem);

// The stress out of the plane: 0 in plane stress; in plane strain, the strain
// held at zero, sigma z = mu (sigma x + sigma y) - E alpha dT with E and mu
// as entered.
double OutOfPlaneStress(const AnalysisMaterial& material, ProblemType problem, double sx, double sy);

}  // namespace trivane
