// Compute and the two result plots driven through the command layer.
#include <gtest/gtest.h>

#include <functional>

#include "analysis/compute.h"
#include "fakes.h"
#include "model/errors.h"

namespace trivane::testing {
namespace {

void ExpectDivisionByZero(const std::function<void()>& command) {
  try {
    command();
    FAIL() << "expected an error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), messages::DivisionByZero);
  }
}

TEST(ResultPlots, BeforeAnyComputeTheDeformedShapeReportsDivisionByZeroAndDrawsNothing) {
  Harness h;
  h.Load(Cantilever());
  const size_t drawn = h.canvas.Calls().size();
  const ViewTransform view = h.session.view();
  ExpectDivisionByZero([&] { h.session.DeformedPlot(); });
  EXPECT_EQ(h.canvas.Calls().size(), drawn);
  EXPECT_EQ(h.session.view(), view);
  EXPECT_TRUE(SameModel(h.session.model(), Cantilever()));
}

TEST(ResultPlots, AfterComputeTheDeformedShapeLeavesTheModelAsItWas) {
  Harness h;
  h.Load(Cantilever());
  h.session.Compute();
  EXPECT_LT(DisplacementV(h.session.tables(), 3), 0.0);
  h.canvas.Clear();
  h.session.DeformedPlot();
  EXPECT_TRUE(SameModel(h.session.model(), Cantilever()));
  const auto& calls = h.canvas.Calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front().kind, Primitive::Rectangle);
  EXPECT_EQ(h.status.nodeCount, 4);
}

TEST(ResultPlots, TheStressPlotFillsEveryElementWithAPaletteColour) {
  Harness h;
  h.Load(Cantilever());
  h.session.Compute();
  for (int component = 0; component < StressComponentCount; ++component) {
    h.canvas.Clear();
    h.session.StressPlot(component);
    int triangles = 0;
    for (const DrawCall& call : h.canvas.Calls()) triangles += call.kind == Primitive::Polygon;
    EXPECT_EQ(triangles, 2) << component;
  }
}

TEST(Compute, ASingularModelKeepsThePreviousResults) {
  Harness h;
  h.Load(Cantilever());
  h.session.Compute();
  const double v3 = DisplacementV(h.session.tables(), 3);
  h.SelectAll();
  h.session.DeleteRestraint();
  EXPECT_THROW(h.session.Compute(), Error);
  EXPECT_EQ(DisplacementV(h.session.tables(), 3), v3);
  EXPECT_NO_THROW(h.session.DeformedPlot());
}

}  // namespace
}  // namespace trivane::testing
