// What the recovered stresses (patch recovery, beside the area-weighted means)
// and the error estimate add to a compute, and what
// the smooth plot costs beside the element plot, on the 99,225-node square
// plate (197,192 elements). Each figure is the best of seven runs in one
// process; the ratios are the results.
#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <vector>

#include "analysis/compute.h"
#include "analysis/recovery/error_estimate.h"
#include "analysis/recovery/fields.h"
#include "analysis/elements/material.h"
#include "analysis/recovery/nodal_stress.h"
#include "analysis/recovery/patch_recovery.h"
#include "best_seconds.h"
#include "display/smooth_plot.h"
#include "display/stress_plot.h"
#include "display_qt/qt_canvas.h"
#include "meshes.h"

using namespace trivane;

int main(int argc, char** argv) {
  const Model plate = examples::SquarePlate(315);
  auto tables = std::make_unique<Solution>();

  // The recovery as the compute runs it: sides, averages, estimate.
  const double compute = BestSeconds([&] { *tables = Compute(plate); });
  const std::vector<StressState> stresses = ElementStressStates(*tables);
  const auto recoveryOf = [&](StressRecovery way) {
    return BestSeconds([&] {
      const ElementMaterials sides = ElementMaterialsOf(plate);
      const NodalStresses recovered = RecoverNodalStresses(plate, sides, stresses, way);
      const ErrorEstimate estimate = EstimateError(plate, sides, stresses, recovered);
      if (estimate.relative < 0) std::puts("");
    });
  };
  const double patch = recoveryOf(StressRecovery::Patch);
  const double average = recoveryOf(StressRecovery::Average);
  std::printf("compute (with the recovery)  %8.1f ms\n", compute * 1e3);
  std::printf("patch recovery and estimate  %8.1f ms  = %.1f %% of the compute\n", patch * 1e3,
              100.0 * patch / compute);
  std::printf("averaging and estimate       %8.1f ms  = %.1f %% of the compute\n", average * 1e3,
              100.0 * average / compute);

  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QtCanvas canvas(1024, 640);
  ViewTransform view;
  const Palette palette;
  const std::vector<double> elementValues = ElementFieldValues(plate, *tables, ResultField::SigmaX);
  const std::vector<double> cornerValues = CornerFieldValues(plate, *tables, ResultField::SigmaX);
  const double element = BestSeconds([&] {
    DrawStressPlot(canvas, plate, elementValues, palette, view);
    canvas.Image();
  });
  const double smooth = BestSeconds([&] {
    DrawSmoothPlot(canvas, plate, cornerValues, palette, view);
    canvas.Image();
  });
  const double smoothWithValues = BestSeconds([&] {
    DrawSmoothPlot(canvas, plate, CornerFieldValues(plate, *tables, ResultField::SigmaX), palette, view);
    canvas.Image();
  });
  std::printf("element plot redraw          %8.1f ms\n", element * 1e3);
  std::printf("smooth plot redraw           %8.1f ms  = %.2f x the element plot\n", smooth * 1e3, smooth / element);
  std::printf("  with its corner values     %8.1f ms  = %.2f x the element plot\n", smoothWithValues * 1e3,
              smoothWithValues / element);
  return 0;
}
