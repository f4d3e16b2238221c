#include "analysis/system.h"

#include <algorithm>
#include <cmath>

#include "analysis/element.h"

namespace trivane {

namespace {

constexpr double RadiansPerDegree = 0.017453292519943295;

void ClearLeadingSquare(GlobalStiffness& stiffness, int32_t order) {
  for (int32_t r = 1; r <= order; ++r) std::fill_n(stiffness.Row(r), order, 0.0);
}

double LargestDiagonal(const GlobalStiffness& stiffness, int32_t order) {
  double largest = 0.0;
  for (int32_t d = 1; d <= order; ++d) largest = std::max(largest, std::fabs(stiffness(d, d)));
  return largest;
}

void Restrain(GlobalStiffness& stiffness, LoadVector& loads, int32_t order, int32_t dof) {
  for (int32_t j = 1; j <= order; ++j) {
    stiffness(dof, j) = 0.0;
    stiffness(j, dof) = 0.0;
  }
  stiffness(dof, dof) = 1.0;
  loads(dof) = 0.0;
}

}  // namespace

Fixity FixityOf(const Node& node) {
  return {node.restraint == FixedX || node.restraint == FixedXY, node.restraint == FixedY || node.restraint == FixedXY};
}

Force NodeForce(const Node& node) {
  const double angle = node.loadAngle * RadiansPerDegree;
  const double cosine = std::cos(angle);
  const double sine = std::sin(angle);
  return {node.load * cosine, node.load * sine};
}

void FillLoads(const Model& model, LoadVector& loads) {
  for (int32_t i = 1; i <= model.nodeCount; ++i) {
    const Force f = NodeForce(model.nodes[static_cast<std::size_t>(i)]);
    loads(2 * i - 1) = f.x;
    loads(2 * i) = f.y;
  }
}

PivotGuard BuildSystem(const Model& model, AnalysisTables& tables) {
  const int32_t order = 2 * model.nodeCount;
  FillLoads(model, tables.loads);
  ClearLeadingSquare(tables.stiffness, order);
  for (int32_t e = 1; e <= model.elementCount; ++e) AssembleElement(model, e, tables.stiffness, tables.stressMatrix);

  PivotGuard guard;
  guard.minimumPivot = RelativePivotFloor * LargestDiagonal(tables.stiffness, order);
  // Clearing a row or column never touches another fixed degree of freedom's
  // diagonal, so restraining the y before the x of a fully fixed node gives the
  // same tables as the other way round.
  for (int32_t i = 1; i <= model.nodeCount; ++i) {
    const auto [fixX, fixY] = FixityOf(model.nodes[static_cast<std::size_t>(i)]);
    if (fixY) Restrain(tables.stiffness, tables.loads, order, 2 * i);
    if (fixX) Restrain(tables.stiffness, tables.loads, order, 2 * i - 1);
    guard.restrained[static_cast<std::size_t>(2 * i - 1)] = fixX;
    guard.restrained[static_cast<std::size_t>(2 * i)] = fixY;
  }
  return guard;
}

}  // namespace trivane
