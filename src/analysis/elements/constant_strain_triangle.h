#pragma once
// The three-node constant-strain triangle: linear displacements, so B, the
// strains and the stresses are constant over the element. Its stiffness is
// Ke = B^T D B t A and its stress matrix D B, formed in closed form in an
// order of operations every result of the program is tied to.
#include "analysis/elements/finite_element.h"

namespace trivane {

class ConstantStrainTriangle final : public FiniteElement {
 public:
  int32_t NodeCount() const override { return 3; }
  int32_t CornerCount() const override { return 3; }
  int32_t ComponentCount() const override { return PlaneComponents; }
  ConstitutiveMatrix D(const Material& material) const override;
  StrainMatrix B(const ElementNodes& nodes, ReferencePoint at) const override;
  std::span<const IntegrationPoint> IntegrationPoints() const override;
  std::span<const ReferencePoint> StressPoints() const override;
  ElementMatrices Matrices(const ElementNodes& nodes, const Material& material) const override;
  // Its Jacobian is constant: it never folds (a triangle without area is a
  // division by zero).
  bool Folded(const ElementNodes&) const override { return false; }
  double Area(const ElementNodes& nodes) const override;
  double AreaScale(const ElementNodes& nodes, ReferencePoint at) const override;
  std::array<double, MaxElementNodes> NodalMasses(const ElementNodes& nodes, double rho, double t) const override;
  int32_t SideCount() const override { return 3; }
  std::span<const int32_t> SideNodes(int32_t side) const override;
  SideForces EdgeLoadForces(const EdgeLoad& load, const ElementNodes& nodes, std::span<const int32_t> side,
                            double t) const override;
  ElementForces InitialStrainForces(const ElementNodes& nodes, const Material& material,
                                    const InitialStrain& eps0) const override;
  ShapeValues N(ReferencePoint at) const override;
  ShapeValues ShapeAt(const ElementNodes& nodes, PlanePoint p) const override;
  ReferencePoint ReferenceAt(const ElementNodes& nodes, PlanePoint p) const override;
  ErrorRulePoints ErrorRule(const ElementNodes& nodes) const override;
};

}  // namespace trivane
