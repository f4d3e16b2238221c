#pragma once
// The workspace of the Gauss-Jordan path: the dense restrained stiffness and
// the right-hand side, allocated by that path for one solve. Accessors use
// the 1-based numbering of degrees of freedom (node i owns 2i - 1 for x and
// 2i for y).
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "model/limits.h"

namespace trivane {

// order x order doubles stored row by row, zeroed.
class GlobalStiffness {
 public:
  explicit GlobalStiffness(int32_t order = MaxGaussJordanDof);

  double& operator()(int32_t row, int32_t column) { return values_[Offset(row, column)]; }
  double operator()(int32_t row, int32_t column) const { return values_[Offset(row, column)]; }

  // Column 1 of the given row; the row's columns follow contiguously.
  double* Row(int32_t row) { return values_.get() + Offset(row, 1); }
  const double* Row(int32_t row) const { return values_.get() + Offset(row, 1); }

 private:
  std::size_t Offset(int32_t row, int32_t column) const {
    return static_cast<std::size_t>(row - 1) * stride_ + static_cast<std::size_t>(column - 1);
  }
  std::size_t stride_;
  std::unique_ptr<double[]> values_;
};

// The right-hand side; after a solve, the displacements.
class LoadVector {
 public:
  explicit LoadVector(int32_t order = MaxGaussJordanDof) : values_(static_cast<std::size_t>(order), 0.0) {}

  double& operator()(int32_t dof) { return values_[static_cast<std::size_t>(dof - 1)]; }
  double operator()(int32_t dof) const { return values_[static_cast<std::size_t>(dof - 1)]; }

  // Entry [d - 1] is degree of freedom d.
  std::span<double> Values() { return values_; }
  std::span<const double> Values() const { return values_; }

 private:
  std::vector<double> values_;
};

}  // namespace trivane
