#pragma once
// The tables of the analysis: the dense linear system of the Gauss-Jordan path,
// the load vector (the displacements after a solve), the element stress
// matrices and the recovered stresses. They are held by the program state
// beside the model; every accessor uses the 1-based numbering
// of degrees of freedom (node i owns 2i - 1 for x and 2i for y), elements and
// stress components.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "analysis/error_estimate.h"
#include "analysis/nodal_stress.h"
#include "model/limits.h"
#include "model/model.h"

namespace trivane {

// MaxGaussJordanDof x MaxGaussJordanDof doubles stored row by row (8 MB), allocated once, zeroed.
class GlobalStiffness {
 public:
  static constexpr int32_t Stride = MaxGaussJordanDof;

  GlobalStiffness();

  double& operator()(int32_t row, int32_t column) { return values_[Offset(row, column)]; }
  double operator()(int32_t row, int32_t column) const { return values_[Offset(row, column)]; }

  // Column 1 of the given row; the row's columns follow contiguously.
  double* Row(int32_t row) { return values_.get() + Offset(row, 1); }
  const double* Row(int32_t row) const { return values_.get() + Offset(row, 1); }

 private:
  static std::size_t Offset(int32_t row, int32_t column) {
    return static_cast<std::size_t>(row - 1) * Stride + static_cast<std::size_t>(column - 1);
  }
  std::unique_ptr<double[]> values_;
};

// The tables below start with room for this many elements (and the dense
// system's MaxGaussJordanDof degrees of freedom) and grow with the model they
// are computed for. They never shrink, and an entry not yet written reads 0.
constexpr int32_t InitialElementCapacity = 1000;

// The right-hand side; after a solve, the displacements.
class LoadVector {
 public:
  LoadVector() : values_(MaxGaussJordanDof, 0.0) {}

  double& operator()(int32_t dof) { return values_[static_cast<std::size_t>(dof - 1)]; }
  double operator()(int32_t dof) const { return values_[static_cast<std::size_t>(dof - 1)]; }

  // Makes degrees of freedom 1..order exist.
  void Grow(int32_t order);

  // Entry [d - 1] is degree of freedom d.
  std::span<double> Values() { return values_; }
  std::span<const double> Values() const { return values_; }

 private:
  std::vector<double> values_;
};

// One 3 x 6 block per element: row 1 gives sigma x, row 2 sigma y, row 3 tau
// xy; column 2k - 1 multiplies the x and column 2k the y displacement of the
// element's k-th corner.
class ElementStressMatrix {
 public:
  static constexpr int32_t BlockSize = 18;

  ElementStressMatrix() : values_(static_cast<std::size_t>(InitialElementCapacity) * BlockSize, 0.0) {}

  double& operator()(int32_t element, int32_t row, int32_t column) { return values_[Offset(element, row, column)]; }
  double operator()(int32_t element, int32_t row, int32_t column) const {
    return values_[Offset(element, row, column)];
  }

  // Makes elements 1..count exist.
  void Grow(int32_t count);

 private:
  static std::size_t Offset(int32_t element, int32_t row, int32_t column) {
    return static_cast<std::size_t>(element - 1) * BlockSize + static_cast<std::size_t>(6 * (row - 1) + column - 1);
  }
  std::vector<double> values_;
};

// Stress components in their stored order (and the order of the plot's list).
enum StressComponent : int32_t { SigmaX = 1, SigmaY = 2, TauXY = 3, Sigma1 = 4, Sigma2 = 5, TauMax = 6 };
constexpr int32_t StressComponentCount = 6;

// Six components, each a table of one value per element.
class StressField {
 public:
  StressField();

  double& operator()(int32_t component, int32_t element) { return At(component, element); }
  double operator()(int32_t component, int32_t element) const {
    return components_[static_cast<std::size_t>(component - 1)][static_cast<std::size_t>(element - 1)];
  }

  // Makes elements 1..count exist in every component.
  void Grow(int32_t count);

  // Entry [e - 1] is element e.
  std::span<const double> Component(int32_t component) const {
    return components_[static_cast<std::size_t>(component - 1)];
  }

 private:
  double& At(int32_t component, int32_t element) {
    return components_[static_cast<std::size_t>(component - 1)][static_cast<std::size_t>(element - 1)];
  }
  std::array<std::vector<double>, StressComponentCount> components_;
};

// Support forces R = K u - F of the last completed compute. Entry [d - 1]
// belongs to degree of freedom d; restrained[d - 1] is 1 where d was fixed in
// that compute. A free degree of freedom has no reaction and holds 0.
struct Reactions {
  std::vector<double> values;
  std::vector<uint8_t> restrained;
};

// The equilibrium check: the sums of the reactions and of the applied loads,
// each direction apart. sumRx + sumFx and sumRy + sumFy are zero up to rounding.
struct Equilibrium {
  double sumRx = 0.0;
  double sumRy = 0.0;
  double sumFx = 0.0;
  double sumFy = 0.0;
};

// Everything the analysis writes, created once by the program state.
struct AnalysisTables {
  GlobalStiffness stiffness;
  LoadVector loads;
  ElementStressMatrix stressMatrix;
  StressField stresses;
  // Written together by a completed compute, for the model it computed.
  Reactions reactions;
  std::vector<double> mises;  // von Mises stress, entry [e - 1] is element e
  Equilibrium equilibrium;
  EnteredMaterial material;  // the material the results were computed with
  NodalStresses averaged;    // the stresses recovered at the nodes (patch_recovery.h)
  ErrorEstimate error;       // the recovery estimate of the discretisation error
  // The counts of the model the results belong to: the results are read
  // within them, whatever room the tables have.
  int32_t nodeCount = 0;
  int32_t elementCount = 0;
};

// The new-model command's share of the analysis tables: zeroes the leading
// 2n x 2n square of the stiffness (never beyond MaxGaussJordanDof) and the
// first 2n loads.
// The stress tables keep their values.
void ClearSystem(AnalysisTables& tables, int32_t nodeCount);

}  // namespace trivane
