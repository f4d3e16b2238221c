#pragma once
// The one seam every element type implements. An element type knows its
// nodes, its strain-displacement matrix B at a point and the material matrix
// D, its integration points, the stiffness Ke = integral of B^T D B t dA and
// the stress matrices D B at the points where stresses are recovered, how a
// load on one of its sides, its own weight and a temperature strain become
// forces on its nodes, and its shape functions, for sampling a field inside
// it and for drawing it.
//
// The assembly, the loads, the stress recovery, the reactions, the averaging,
// the error estimate, the samples along a line, the probe and the drawing
// reach an element only through this interface, so a new element type (a
// six-node triangle with curved sides, an axisymmetric ring with its hoop
// strain) is a new implementation of it.
#include <array>
#include <cstdint>
#include <span>

#include "model/conditions.h"
#include "model/model.h"

namespace trivane {

// Room in the fixed-size arrays below: a six-node triangle's nodes.
inline constexpr int32_t MaxElementNodes = 6;
inline constexpr int32_t MaxElementDofs = 2 * MaxElementNodes;
// Stresses are recovered at most at this many points of an element.
inline constexpr int32_t MaxStressPoints = 3;
// The error estimate's rule has at most this many points.
inline constexpr int32_t MaxErrorPoints = 6;
// sigma x, sigma y, tau xy; the strains epsilon x, epsilon y, gamma xy.
inline constexpr int32_t PlaneComponents = 3;
// A solid of revolution adds a fourth: the hoop stress sigma theta and strain
// epsilon theta. A plane element leaves the fourth row and column zero.
inline constexpr int32_t MaxComponents = 4;

struct PlanePoint {
  double x = 0.0;
  double y = 0.0;
};

// A point in the element's own coordinates. For a triangle these are the
// area coordinates of its second and third corners, L2 = xi and L3 = eta.
struct ReferencePoint {
  double xi = 0.0;
  double eta = 0.0;
  bool operator==(const ReferencePoint&) const = default;
};

// A point of an integration rule; the weight is its share of the element's area.
struct IntegrationPoint {
  ReferencePoint at;
  double weight = 0.0;
};

// The rule of the error estimate on one element: each point with the share
// of the element's area it stands for; the shares sum to 1.
struct ErrorRulePoints {
  std::array<IntegrationPoint, MaxErrorPoints> point{};
  int32_t count = 0;
  std::span<const IntegrationPoint> Points() const { return std::span(point).first(static_cast<std::size_t>(count)); }
};

// One element's nodes as the model lists them: the corners first, then (for
// a higher order) the nodes on the sides.
struct ElementNodes {
  std::array<int32_t, MaxElementNodes> number{};
  std::array<PlanePoint, MaxElementNodes> at{};
  int32_t count = 0;
};

// D: (sigma x, sigma y, tau xy[, sigma theta]) = D (epsilon x, epsilon y,
// gamma xy[, epsilon theta]).
using ConstitutiveMatrix = std::array<std::array<double, MaxComponents>, MaxComponents>;

// B at a point: the strains from the nodal displacements, column 2k for the x
// and 2k + 1 for the y displacement of node k.
using StrainMatrix = std::array<std::array<double, MaxElementDofs>, MaxComponents>;

// The value of each node's shape function at a point, node k at [k].
using ShapeValues = std::array<double, MaxElementNodes>;

// One element's matrices with the element's own material. Local index 2k is
// the x and 2k + 1 the y degree of freedom of node k; dof[] holds their
// global numbers (node n owns 2n - 1 and 2n).
struct ElementMatrices {
  std::array<int32_t, MaxElementDofs> dof;
  int32_t dofCount = 0;
  double stiffness[MaxElementDofs][MaxElementDofs];
  // D B at each stress point: stresses from the element's displacements.
  double stress[MaxStressPoints][MaxComponents][MaxElementDofs];
};

// The forces a load on one side puts on that side's nodes, in the order the
// side was given.
struct Force {
  double x = 0.0;
  double y = 0.0;
};
using SideForces = std::array<Force, MaxElementNodes>;

// A strain the element takes without stress, the strain of a temperature
// change: epsilon x, epsilon y, gamma xy and the hoop strain of a solid of
// revolution. An element with three strain components ignores the fourth.
using InitialStrain = std::array<double, MaxComponents>;
// Stresses in the same order: sigma x, sigma y, tau xy[, sigma theta].
using StressVector = std::array<double, MaxComponents>;

// Forces on an element's degrees of freedom, local index 2k for x and 2k + 1
// for y of node k.
using ElementForces = std::array<double, MaxElementDofs>;

class FiniteElement {
 public:
  virtual ~FiniteElement() = default;

  // Nodes per element, and how many of them (the first) are corners.
  virtual int32_t NodeCount() const = 0;
  virtual int32_t CornerCount() const = 0;
  // The strain and stress components: PlaneComponents, or MaxComponents for
  // a solid of revolution, whose fourth is the hoop component.
  virtual int32_t ComponentCount() const = 0;

  // D of the material as the element formulas take it (plane strain arrives
  // converted, see analysis/elements/material.h).
  virtual ConstitutiveMatrix D(const Material& material) const = 0;
  // B at a point of the element.
  virtual StrainMatrix B(const ElementNodes& nodes, ReferencePoint at) const = 0;
  // The rule the stiffness is integrated with.
  virtual std::span<const IntegrationPoint> IntegrationPoints() const = 0;
  // Where the element's stresses are recovered: one value per point.
  virtual std::span<const ReferencePoint> StressPoints() const = 0;

  // Ke and D B at the stress points. Throws Error with the floating-point
  // fault's text at the first operation that faults.
  virtual ElementMatrices Matrices(const ElementNodes& nodes, const Material& material) const = 0;

  // Whether the element's map from the reference triangle folds over (its
  // Jacobian takes both signs, as when a mid-side node is moved across the
  // element): no stiffness of such an element means anything.
  virtual bool Folded(const ElementNodes& nodes) const = 0;

  // The element's area, whatever the order of its nodes.
  virtual double Area(const ElementNodes& nodes) const = 0;
  // The element's area per unit area of the reference triangle at a point
  // (|det J| of the map): the integral of f over the element is the sum over
  // a rule of f AreaScale w / 2, the reference triangle's area being 1/2.
  virtual double AreaScale(const ElementNodes& nodes, ReferencePoint at) const = 0;
  // The mass a density rho and thickness t give each node, for self-weight
  // (of a solid of revolution: its whole ring, and t is not read).
  // Throws Error("Floating point overflow") on overflow.
  virtual std::array<double, MaxElementNodes> NodalMasses(const ElementNodes& nodes, double rho, double t) const = 0;

  // The element's sides: the local nodes of side s, its two ends first.
  virtual int32_t SideCount() const = 0;
  virtual std::span<const int32_t> SideNodes(int32_t side) const = 0;
  // The consistent nodal forces of an edge load on one side, times the
  // thickness t (of a solid of revolution: over the whole surface the side
  // sweeps, and t is not read): the exact integral of the load times each side node's shape
  // function. `side` lists the side's local nodes as the load names its ends.
  // Throws Error("Floating point overflow") when a force overflows.
  virtual SideForces EdgeLoadForces(const EdgeLoad& load, const ElementNodes& nodes, std::span<const int32_t> side,
                                    double t) const = 0;
  // The nodal forces that hold an initial strain eps0 uniform over the
  // element: f = integral of B^T D eps0 t dA, integrated as exactly as Ke.
  // Throws Error("Floating point overflow") when a force overflows.
  virtual ElementForces InitialStrainForces(const ElementNodes& nodes, const Material& material,
                                            const InitialStrain& eps0) const = 0;

  // The shape functions N at a point of the element.
  virtual ShapeValues N(ReferencePoint at) const = 0;
  // The weights of the nodes' values at a point given in the model's
  // coordinates (the shape functions there, by the inverse map); they sum to
  // 1, and are all within [0, 1] where the point lies inside.
  virtual ShapeValues ShapeAt(const ElementNodes& nodes, PlanePoint p) const = 0;
  // The inverse map: the point of the element's own coordinates that lands
  // on p. p lies in the element where the point lies in the reference
  // triangle (InReferenceTriangle).
  virtual ReferencePoint ReferenceAt(const ElementNodes& nodes, PlanePoint p) const = 0;
  // The rule of the error estimate: it integrates the square of the
  // difference between a field interpolated from the nodes and the element's
  // own stresses, exactly where the element is an affine image of the
  // reference triangle.
  virtual ErrorRulePoints ErrorRule(const ElementNodes& nodes) const = 0;
};

// Plane stress: D = E / (1 - mu^2) [1 mu 0; mu 1 0; 0 0 (1 - mu) / 2]; plane
// strain arrives with E and mu converted, so the same form serves both.
ConstitutiveMatrix PlaneD(const Material& material);

// D eps0: the stress an initial strain would leave if nothing let the
// element strain with it; stresses are D (B u - eps0) = D B u - D eps0.
StressVector InitialStress(const FiniteElement& element, const Material& material,
                                                  const InitialStrain& eps0);

// The element type of a model's elements.
const FiniteElement& ElementTypeOf(const Model& model);

// Element e's nodes and their positions; every node must be a node of the model.
ElementNodes NodesOf(const Model& model, int32_t element);

// The corners of an element of the model: the outline a straight-sided
// drawing, the probe and the line sampler take.
std::span<const int32_t> CornersOf(const Model& model, const Element& element);

// Whether a point of an element's own coordinates lies in the reference
// triangle, its sides widened by `slack`.
bool InReferenceTriangle(ReferencePoint at, double slack);

// The value at a point of a field given at the element's nodes.
double Interpolate(const ShapeValues& n, std::span<const double> nodeValues);

}  // namespace trivane
