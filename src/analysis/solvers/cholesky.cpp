#include "analysis/solvers/cholesky.h"

#include <cholmod.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "model/errors.h"

namespace trivane {

namespace {

// One CHOLMOD workspace; everything it allocated is freed with it.
class Workspace {
 public:
  Workspace() {
    cholmod_start(&common_);
    common_.supernodal = CHOLMOD_SUPERNODAL;
    // Minimum degree alone: on plane meshes trying nested dissection as well
    // costs more in the analysis than it saves in the factorisation.
    common_.nmethods = 1;
    common_.method[0].ordering = CHOLMOD_AMD;
    // Failures are reported through our own texts, not printed.
    common_.print = 0;
    common_.error_handler = nullptr;
  }
  ~Workspace() {
    if (factor_) cholmod_free_factor(&factor_, &common_);
    if (matrix_) cholmod_free_sparse(&matrix_, &common_);
    if (solution_) cholmod_free_dense(&solution_, &common_);
    if (rhs_) cholmod_free_dense(&rhs_, &common_);
    cholmod_finish(&common_);
  }
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  cholmod_common common_{};
  cholmod_sparse* matrix_ = nullptr;
  cholmod_factor* factor_ = nullptr;
  cholmod_dense* rhs_ = nullptr;
  cholmod_dense* solution_ = nullptr;
};

[[noreturn]] void OutOfMemory() { throw std::bad_alloc(); }

cholmod_sparse* UpperTriangle(const SparseSystem& system, cholmod_common& common) {
  const std::size_t n = static_cast<std::size_t>(system.order);
  cholmod_sparse* a = cholmod_allocate_sparse(n, n, system.values.size(), /*sorted=*/1, /*packed=*/1,
                                              /*stype=*/1, CHOLMOD_REAL, &common);
  if (!a) OutOfMemory();
  std::copy(system.columnStart.begin(), system.columnStart.end(), static_cast<int32_t*>(a->p));
  std::copy(system.rows.begin(), system.rows.end(), static_cast<int32_t*>(a->i));
  std::copy(system.values.begin(), system.values.end(), static_cast<double*>(a->x));
  return a;
}

// The pivots are the squares of L's diagonal, found in each supernode's dense
// block of columns. A zero pivot never gets here: the factorisation reports it
// as not positive definite.
bool PivotBelow(const cholmod_factor& factor, double minimumPivot) {
  const auto* super = static_cast<const int*>(factor.super);
  const auto* rowStart = static_cast<const int*>(factor.pi);
  const auto* valueStart = static_cast<const int*>(factor.px);
  const auto* x = static_cast<const double*>(factor.x);
  for (std::size_t s = 0; s < factor.nsuper; ++s) {
    const int columns = super[s + 1] - super[s];
    const int rows = rowStart[s + 1] - rowStart[s];
    for (int k = 0; k < columns; ++k) {
      const double diagonal = x[valueStart[s] + k * rows + k];
      if (!(diagonal * diagonal >= minimumPivot)) return true;
    }
  }
  return false;
}

}  // namespace

std::vector<double> SolveCholesky(const SparseSystem& system) {
  if (system.order == 0) return {};
  Workspace w;
  w.matrix_ = UpperTriangle(system, w.common_);
  w.factor_ = cholmod_analyze(w.matrix_, &w.common_);
  if (!w.factor_) OutOfMemory();
  cholmod_factorize(w.matrix_, w.factor_, &w.common_);
  if (w.common_.status == CHOLMOD_NOT_POSDEF) throw Error(messages::SingularMatrix);
  if (w.common_.status == CHOLMOD_OUT_OF_MEMORY) OutOfMemory();
  if (PivotBelow(*w.factor_, system.minimumPivot)) throw Error(messages::SingularMatrix);

  w.rhs_ = cholmod_allocate_dense(static_cast<std::size_t>(system.order), 1, static_cast<std::size_t>(system.order),
                                  CHOLMOD_REAL, &w.common_);
  if (!w.rhs_) OutOfMemory();
  std::copy(system.rhs.begin(), system.rhs.end(), static_cast<double*>(w.rhs_->x));
  w.solution_ = cholmod_solve(CHOLMOD_A, w.factor_, w.rhs_, &w.common_);
  if (!w.solution_) OutOfMemory();
  const auto* u = static_cast<const double*>(w.solution_->x);
  std::vector<double> displacements(u, u + system.order);
  for (const double v : displacements)
    if (!std::isfinite(v)) throw Error(messages::Overflow);
  return displacements;
}

}  // namespace trivane
