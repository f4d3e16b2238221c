// Compute, the result plots and the export driven through the command layer,
// and the lifecycle of the results: which commands discard them, which only
// put them out of date.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "analysis/compute.h"
#include "fakes.h"
#include "meshes.h"
#include "io/files.h"
#include "io/problem_file.h"
#include "model/errors.h"

namespace trivane::testing {
namespace {

std::string FailureOf(const std::function<void()>& command) {
  try {
    command();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// The plots and the export without results of the present model: "请先计算",
// nothing drawn, nothing asked, nothing written.
void ExpectComputeFirst(Harness& h) {
  const size_t drawn = h.canvas.Calls().size();
  const size_t asked = h.chooser.asked.size();
  const ViewTransform view = h.session.view();
  EXPECT_EQ(FailureOf([&] { h.session.DeformedPlot(); }), messages::ComputeFirst);
  EXPECT_EQ(FailureOf([&] { h.session.StressPlot(0); }), messages::ComputeFirst);
  EXPECT_EQ(FailureOf([&] { h.session.ExportResults(); }), messages::ComputeFirst);
  EXPECT_EQ(h.canvas.Calls().size(), drawn);
  EXPECT_EQ(h.chooser.asked.size(), asked);
  EXPECT_EQ(h.session.view(), view);
  EXPECT_FALSE(h.session.HasResults());
  EXPECT_FALSE(h.session.ResultsOutOfDate());
}

TEST(ResultsLifecycle, BeforeAnyComputeThePlotsAndTheExportAskForOne) {
  Harness h;
  h.Load(Cantilever());
  ExpectComputeFirst(h);
  EXPECT_TRUE(SameModel(h.session.model(), Cantilever()));
}

struct LifecycleRow {
  const char* name;
  std::function<void(Harness&)> command;
  bool keepsResults;  // otherwise they are discarded
};

class ResultsAfter : public ::testing::TestWithParam<LifecycleRow> {};

// A new model has no results; an edited one keeps them, out of date, until
// the next compute.
TEST_P(ResultsAfter, TheCommand) {
  Harness h;
  h.Load(Cantilever());
  h.session.Compute();
  EXPECT_TRUE(h.session.HasResults());
  EXPECT_FALSE(h.session.ResultsOutOfDate());
  GetParam().command(h);
  if (!GetParam().keepsResults) {
    ExpectComputeFirst(h);
    return;
  }
  EXPECT_TRUE(h.session.HasResults());
  EXPECT_TRUE(h.session.ResultsOutOfDate());
  EXPECT_NO_THROW(h.session.StressPlot(0));
  EXPECT_NO_THROW(h.session.DeformedPlot());
  // The plots show them marked out of date; the export, which would file them
  // under the edited model, refuses them before it asks for a file.
  const size_t asked = h.chooser.asked.size();
  EXPECT_EQ(FailureOf([&] { h.session.ExportResults(); }), messages::ResultsOutOfDateComputeFirst);
  EXPECT_EQ(h.chooser.asked.size(), asked);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ResultsAfter,
    ::testing::Values(
        LifecycleRow{"NewModel", [](Harness& h) { h.session.NewModel(); }, false},
        LifecycleRow{"Open", [](Harness& h) { h.Load(Cantilever()); }, false},
        LifecycleRow{"Import",
                     [](Harness& h) {
                       h.chooser.Answer(h.folder.Write("m.ase",
                                                       "\t*MESH_NUMFACES 1\r\n"
                                                       "\t*MESH_VERTEX    0\t0.0\t0.0\t0.0\r\n"
                                                       "\t*MESH_VERTEX    1\t1.0\t0.0\t0.0\r\n"
                                                       "\t*MESH_VERTEX    2\t0.0\t0.0\t1.0\r\n"
                                                       "\t*MESH_FACE    0:    A:    0 B:    1 C:    2 AB:    1\r\n"));
                       h.session.ImportMesh();
                     },
                     false},
        LifecycleRow{"OneWayRestraint", [](Harness& h) { h.SelectAll(), h.session.OneWayRestraint(); }, true},
        LifecycleRow{"TwoWayRestraint", [](Harness& h) { h.SelectAll(), h.session.TwoWayRestraint(); }, true},
        LifecycleRow{"DeleteRestraint", [](Harness& h) { h.SelectAll(), h.session.DeleteRestraint(); }, true},
        LifecycleRow{"Load", [](Harness& h) { h.SelectAll(), h.session.ApplyLoad("5", "90"); }, true},
        LifecycleRow{"Material", [](Harness& h) { h.session.ApplyMaterial(PlaneStrain, "2E10", "0.3", "1"); },
                     true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResultsLifecycle, AnEditThatChangesNothingKeepsTheResultsCurrentAndAComputeRenewsThem) {
  Harness h;
  h.Load(Cantilever());
  h.session.Compute();
  h.session.OneWayRestraint();  // nothing selected
  h.session.ApplyMaterial(PlaneStress, "2E10", "0.167", "1");  // the material in force
  EXPECT_FALSE(h.session.ResultsOutOfDate());
  h.session.ApplyMaterial(PlaneStress, "3E10", "0.167", "1");
  EXPECT_TRUE(h.session.ResultsOutOfDate());
  h.session.Compute();
  EXPECT_FALSE(h.session.ResultsOutOfDate());
}

TEST(ResultPlots, AfterComputeTheDeformedShapeLeavesTheModelAsItWas) {
  Harness h;
  h.Load(Cantilever());
  h.session.Compute();
  EXPECT_LT(DisplacementV(h.session.solution(), 3), 0.0);
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

TEST(Compute, ASingularModelKeepsThePreviousResultsAndTheirState) {
  Harness h;
  h.Load(Cantilever());
  h.session.Compute();
  const double v3 = DisplacementV(h.session.solution(), 3);
  h.SelectAll();
  h.session.DeleteRestraint();
  EXPECT_THROW(h.session.Compute(), Error);
  EXPECT_EQ(DisplacementV(h.session.solution(), 3), v3);
  EXPECT_TRUE(h.session.HasResults());
  EXPECT_TRUE(h.session.ResultsOutOfDate());
  EXPECT_NO_THROW(h.session.DeformedPlot());
}

// The recovery is a choice of the command layer: present results are
// recovered again at once, the smooth values change, the element stresses do
// not, and turning back gives the same values bit for bit.
TEST(Compute, TheRecoveryChoiceRecoversThePresentResultsAgain) {
  Harness h;
  h.Load(examples::PlateWithHole(8, 4));
  h.session.Compute();
  const std::vector<double> patch = h.session.solution().averaged.nodeMean[0];
  const double element = StressValue(h.session.solution(), 1, SigmaX);
  h.session.SetRecovery(StressRecovery::Average);
  const std::vector<double> average = h.session.solution().averaged.nodeMean[0];
  EXPECT_NE(average, patch);
  EXPECT_EQ(StressValue(h.session.solution(), 1, SigmaX), element);
  h.session.Compute();
  EXPECT_EQ(h.session.solution().averaged.nodeMean[0], average);
  h.session.SetRecovery(StressRecovery::Patch);
  EXPECT_EQ(h.session.solution().averaged.nodeMean[0], patch);
}

// The export writes the format of the extension the chooser returns; a
// cancelled dialog writes nothing.
TEST(Export, WritesTheChosenFormatAndNothingWhenCancelled) {
  Harness h;
  h.Load(Cantilever());
  h.session.Compute();
  h.chooser.Answer(std::nullopt);
  h.session.ExportResults();
  EXPECT_TRUE(std::filesystem::is_empty(h.folder.File("")) ||
              !std::filesystem::exists(h.folder.File("out.vtu")));
  h.chooser.Answer(h.folder.File("out.vtu"));
  h.session.ExportResults();
  EXPECT_EQ(ReadFileBytes(h.folder.File("out.vtu")).substr(0, 21), "<?xml version=\"1.0\"?>");
  h.chooser.Answer(h.folder.File("out.csv"));
  h.session.ExportResults();
  EXPECT_EQ(ReadFileBytes(h.folder.File("out.csv")).substr(0, 70),
            "node,x,y,u,v,Rx,Ry,sigma_x_avg,sigma_y_avg,tau_xy_avg,von_mises_avg\r\n1");
  EXPECT_TRUE(std::filesystem::exists(h.folder.File("out_elements.csv")));
}

}  // namespace
}  // namespace trivane::testing
