#pragma once
// The six-node isoparametric triangle: quadratic displacements, so the strains
// and stresses vary linearly over a straight-sided element. Its nodes are the
// corners, then the nodes on sides 1-2, 2-3 and 3-1; the same quadratic shape
// functions map the reference triangle onto the element, so a side whose
// middle node is off the chord is a parabola through its three nodes.
//
// Ke = integral of B^T D B t dA. On a straight-sided element the Jacobian is
// constant and B linear, so B^T D B is quadratic and the three-point rule of
// degree 2 integrates it exactly. A curved element's B is rational; it takes
// the six-point rule of degree 4, which is exact for the Jacobian-weighted
// polynomial part and leaves an error far below that of the discretisation.
// Stresses are recovered at the corners from the strain there.
#include "analysis/elements/finite_element.h"

namespace trivane {

class QuadraticTriangle final : public FiniteElement {
 public:
  int32_t NodeCount() const override { return 6; }
  int32_t CornerCount() const override { return 3; }
  int32_t ComponentCount() const override { return PlaneComponents; }
  ConstitutiveMatrix D(const Material& material) const override;
  StrainMatrix B(const ElementNodes& nodes, ReferencePoint at) const override;
  std::span<const IntegrationPoint> IntegrationPoints() const override;
  std::span<const ReferencePoint> StressPoints() const override;
  ElementMatrices Matrices(const ElementNodes& nodes, const Material& material) const override;
  bool Folded(const ElementNodes& nodes) const override;
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

  // Whether every side's middle node lies on the middle of its chord, to a
  // rounding of the coordinates: then the element is an affine image of the
  // reference triangle.
  static bool StraightSided(const ElementNodes& nodes);
};

}  // namespace trivane
