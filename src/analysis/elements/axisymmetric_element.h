#pragma once
// A solid of revolution on the shape functions of a plane element type. The
// model's x is the radius r and y the axis z; each element stands for the
// ring it sweeps about the axis. The strains are those of the plane element,
// epsilon r, epsilon z and gamma rz, and the hoop strain epsilon theta = u / r,
// so B gains a fourth row N_i / r and D is the 4 x 4 of an isotropic solid.
// Volumes are rings: dV = 2 pi r dA, so stiffness, loads, masses and
// reactions are totals over the whole circumference.
//
// The element integrates with its plane type's own rule. For the three-node
// ring that is the centroid: there B's hoop row is N_i / r at the centroid's
// radius, which is never zero. This is the choice that passes the patch
// test: for a uniform stress state the nodal forces B^T sigma 2 pi r A are
// exact, because dN/dr is constant and integrates against r to r at the
// centroid times A, while the hoop term N_i / r sigma theta times r is N_i
// sigma theta, whose integral the centroid also gives exactly. Integrating
// u / r exactly instead would bring a logarithm into every element touching
// the axis and no gain in the patch test.
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
  std::span<const IntegrationPoint> IntegrationPoints() const override { return plane_.IntegrationPoints(); }
  std::span<const ReferencePoint> StressPoints() const override { return plane_.StressPoints(); }
  ElementMatrices Matrices(const ElementNodes& nodes, const Material& material) const override;
  double Area(const ElementNodes& nodes) const override { return plane_.Area(nodes); }
  std::array<double, MaxElementNodes> NodalMasses(const ElementNodes& nodes, double rho, double t) const override;
  int32_t SideCount() const override { return plane_.SideCount(); }
  std::span<const int32_t> SideNodes(int32_t side) const override { return plane_.SideNodes(side); }
  SideForces EdgeLoadForces(const EdgeLoad& load, const ElementNodes& nodes, std::span<const int32_t> side,
                            double t) const override;
  ShapeValues N(ReferencePoint at) const override { return plane_.N(at); }
  ShapeValues ShapeAt(const ElementNodes& nodes, PlanePoint p) const override { return plane_.ShapeAt(nodes, p); }
  std::span<const ReferencePoint> ErrorRule() const override { return plane_.ErrorRule(); }

 private:
  const FiniteElement& plane_;
};

// The radius at a point of an element: the shape functions applied to the
// nodes' x.
double RadiusAt(const FiniteElement& element, const ElementNodes& nodes, ReferencePoint at);

}  // namespace trivane
