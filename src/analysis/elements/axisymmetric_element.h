#pragma once
// A solid of revolution on the shape functions of a plane element type. The
// model's x is the radius r and y the axis z; each element stands for the
// ring it sweeps about the axis. The strains are those of the plane element,
// epsilon r, epsilon z and gamma rz, and the hoop strain epsilon theta = u / r,
// so B gains a fourth row N_i / r and D is the 4 x 4 of an isotropic solid.
// Volumes are rings, dV = 2 pi r dA, so stiffness, loads, masses and the
// reactions they give are totals over the whole circumference.
//
// Integration. A uniform stress state is reproduced exactly (the patch test)
// when the rule integrates B^T sigma 2 pi r exactly for constant sigma:
// r dN_i/dr and N_i sigma theta, degree 1 for the three-node ring and 2 for
// the six-node one, at points off the axis, where u / r is the strain itself.
// Beyond that the rule decides the accuracy of the stiffness: the three-node
// ring takes the three interior points of degree 2 (the one-point centroid
// rule would leave each element a zero-energy turn about its centroid), the
// six-node ring the six points of degree 4, exact for its r (dN/dr)^2, a cubic
// on a straight-sided element. The hoop term N_i N_j / r is rational; no
// polynomial rule integrates it exactly, and none needs to for the patch test.
// Masses and the spin's forces take the degree-4 rule: exact for N r and
// N r^2 on straight-sided elements of either order.
#include "analysis/elements/finite_element.h"

namespace trivane {

class AxisymmetricElement final : public FiniteElement {
 public:
  explicit AxisymmetricElement(const FiniteElement& plane) : plane_(plane) {}

  int32_t NodeCount() const override { return plane_.NodeCount(); }
  int32_t CornerCount() const override { return plane_.CornerCount(); }
  int32_t ComponentCount() const override { return MaxComponents; }
  ConstitutiveMatrix D(const Material& material) const override;
  StrainMatrix B(const ElementNodes& nodes, ReferencePoint at) const override;
  std::span<const IntegrationPoint> IntegrationPoints() const override;
  std::span<const ReferencePoint> StressPoints() const override { return plane_.StressPoints(); }
  ElementMatrices Matrices(const ElementNodes& nodes, const Material& material) const override;
  bool Folded(const ElementNodes& nodes) const override { return plane_.Folded(nodes); }
  double Area(const ElementNodes& nodes) const override { return plane_.Area(nodes); }
  double AreaScale(const ElementNodes& nodes, ReferencePoint at) const override { return plane_.AreaScale(nodes, at); }
  std::array<double, MaxElementNodes> NodalMasses(const ElementNodes& nodes, double rho, double t) const override;
  int32_t SideCount() const override { return plane_.SideCount(); }
  std::span<const int32_t> SideNodes(int32_t side) const override { return plane_.SideNodes(side); }
  SideForces EdgeLoadForces(const EdgeLoad& load, const ElementNodes& nodes, std::span<const int32_t> side,
                            double t) const override;
  // f = integral of B^T D eps0 2 pi r dA with the hoop row, by the stiffness's rule.
  ElementForces InitialStrainForces(const ElementNodes& nodes, const Material& material,
                                    const InitialStrain& eps0) const override;
  ShapeValues N(ReferencePoint at) const override { return plane_.N(at); }
  ShapeValues ShapeAt(const ElementNodes& nodes, PlanePoint p) const override { return plane_.ShapeAt(nodes, p); }
  ReferencePoint ReferenceAt(const ElementNodes& nodes, PlanePoint p) const override {
    return plane_.ReferenceAt(nodes, p);
  }
  ErrorRulePoints ErrorRule(const ElementNodes& nodes) const override { return plane_.ErrorRule(nodes); }

 private:
  const FiniteElement& plane_;
};

// The radius at a point of an element: the shape functions applied to the
// nodes' x.
double RadiusAt(const FiniteElement& element, const ElementNodes& nodes, ReferencePoint at);

// The integral over the ring of N_k r^power for each node k, dV = 2 pi r dA:
// power 0 gives the volume each node carries (the masses per unit density),
// power 1 the forces of a body force proportional to the radius, as a spin's
// rho omega^2 r. By the degree-4 rule. Throws Error("Floating point overflow")
// on overflow.
std::array<double, MaxElementNodes> RingIntegrals(const FiniteElement& element, const ElementNodes& nodes, int power);

}  // namespace trivane
