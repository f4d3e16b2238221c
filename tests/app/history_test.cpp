// Undo and redo: every kind of edit through the session, the history's own
// bookkeeping, and what one step costs.
#include <gtest/gtest.h>

#include <functional>

#include "app/history.h"
#include "fakes.h"
#include "model/errors.h"
#include "support/tolerance.h"

namespace trivane::testing {
namespace {

const std::string Triangle =
    "*MESH_NUMFACES 1\r\n"
    "*MESH_VERTEX    0\t0.0\t0.0\t0.0\r\n"
    "*MESH_VERTEX    1\t1.0\t0.0\t0.0\r\n"
    "*MESH_VERTEX    2\t0.0\t0.0\t1.0\r\n"
    "*MESH_FACE    0:    A:    0 B:    1 C:    2\r\n";

struct EditRow {
  const char* name;
  std::function<void(Harness&)> edit;
  bool replacesModel;
  bool modifies = true;  // a new model has nothing to save
};

void PrintTo(const EditRow& row, std::ostream* os) { *os << row.name; }

class UndoRedo : public ::testing::TestWithParam<EditRow> {};

// The grouped cantilever, computed, with its right edge (nodes 2 and 3)
// selected: each edit, undone, gives back the model as saved, with the
// results out of date (or gone with a replaced model); redone, the edit again.
TEST_P(UndoRedo, GivesBackTheModelOnEachSideOfTheEdit) {
  const EditRow& row = GetParam();
  Harness h;
  h.LoadWithConditions(GroupedCantilever());
  h.session.Compute();
  const Pixel p2 = ToPixel(h.session.view(), 2.0, 0.0), p3 = ToPixel(h.session.view(), 2.0, 1.0);
  h.Drag(p3.x - 5, p3.y - 5, p2.x + 5, p2.y + 5);
  const Model before = h.session.model();
  ASSERT_FALSE(h.session.modified());

  row.edit(h);
  const Model after = h.session.model();
  ASSERT_FALSE(SameModel(before, after));
  EXPECT_EQ(h.session.modified(), row.modifies);
  EXPECT_TRUE(h.session.history().CanUndo());

  h.session.Undo();
  EXPECT_TRUE(SameModel(h.session.model(), before));
  EXPECT_FALSE(h.session.modified());
  EXPECT_EQ(h.session.HasResults(), !row.replacesModel);
  EXPECT_EQ(h.session.ResultsOutOfDate(), !row.replacesModel);
  EXPECT_FALSE(h.session.history().CanUndo());

  h.session.Redo();
  EXPECT_TRUE(SameModel(h.session.model(), after));
  EXPECT_EQ(h.session.modified(), row.modifies);
  EXPECT_FALSE(h.session.history().CanRedo());
}

INSTANTIATE_TEST_SUITE_P(
    Edits, UndoRedo,
    ::testing::Values(
        EditRow{"OneWayRestraint", [](Harness& h) { h.session.OneWayRestraint(); }, false},
        EditRow{"TwoWayRestraint", [](Harness& h) { h.session.TwoWayRestraint(); }, false},
        EditRow{"DeleteRestraint", [](Harness& h) { h.Drag(0, 0, 800, 600); h.session.DeleteRestraint(); }, false},
        EditRow{"PointLoad", [](Harness& h) { h.session.ApplyLoad("5", "90"); }, false},
        EditRow{"Pressure", [](Harness& h) { h.session.ApplyEdgeLoad(EdgeLoadKind::Pressure, "100", ""); }, false},
        EditRow{"Traction", [](Harness& h) { h.session.ApplyEdgeLoad(EdgeLoadKind::Traction, "1", "-2"); }, false},
        EditRow{"Water", [](Harness& h) { h.session.ApplyEdgeLoad(EdgeLoadKind::Water, "1", "9810"); }, false},
        EditRow{"ReplacedPressure",
                [](Harness& h) {
                  h.Drag(0, 0, 800, 600);
                  h.session.ApplyEdgeLoad(EdgeLoadKind::Pressure, "80", "");
                },
                false},
        EditRow{"RemoveEdgeLoads", [](Harness& h) { h.Drag(0, 0, 800, 600); h.session.RemoveEdgeLoads(); }, false},
        EditRow{"Gravity", [](Harness& h) { h.session.ApplyGravity("0", "-9.81"); }, false},
        EditRow{"Material", [](Harness& h) { h.session.ApplyMaterial(PlaneStrain, "3E10", "0.2", "0.5", "2400"); },
                false},
        EditRow{"RegionMaterial",
                [](Harness& h) {
                  h.session.ApplyMaterial(PlaneStress, "2E10", "0.167", "1", "0", std::nullopt, {{"plate", "3E10", "", "2600", ""}});
                },
                false},
        // An axisymmetric model has no thickness: its text is not read.
        EditRow{"AxisymmetricWithExpansion",
                [](Harness& h) { h.session.ApplyMaterial(Axisymmetric, "2E11", "0.3", "t?", "7800", "1.2e-5"); },
                false},
        EditRow{"RegionExpansion",
                [](Harness& h) {
                  h.session.ApplyMaterial(PlaneStress, "2E10", "0.167", "1", "0", "0", {{"plate", "", "", "", "1e-5"}});
                },
                false},
        EditRow{"Temperature", [](Harness& h) { h.session.ApplyTemperature(TemperatureTarget::Model, "20"); }, false},
        EditRow{"RegionTemperature",
                [](Harness& h) {
                  h.Drag(0, 0, 800, 600);
                  h.session.ApplyTemperature(TemperatureTarget::SelectedRegions, "-15");
                },
                false},
        EditRow{"ImportAse",
                [](Harness& h) {
                  h.chooser.Answer(h.folder.Write("tri.ase", Triangle));
                  h.session.ImportMesh();
                },
                true},
        EditRow{"ImportMsh",
                [](Harness& h) {
                  h.chooser.Answer(DataPath("gmsh/square-41-param.msh"));
                  h.session.ImportMesh();
                },
                true},
        EditRow{"NewModel", [](Harness& h) { h.session.NewModel(); }, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

// Every edit keeps to the parts its step holds (a debugging build checks each
// one); a change anywhere else is caught.
TEST(EditScope, AChangeOutsideTheDeclaredPartsIsCaught) {
  const Model before = GroupedCantilever();
  const int32_t node2[] = {2};
  struct Row {
    const char* name;
    EditScope scope;
    std::function<void(Model&)> edit;
    bool within;
  };
  const Row rows[] = {
      {"DeclaredNode", EditScope::Nodes(node2), [](Model& m) { m.nodes[2].restraint = FixedXY; }, true},
      {"OtherNode", EditScope::Nodes(node2), [](Model& m) { m.nodes[3].load = 5; }, false},
      {"EdgeLoads", EditScope::EdgeLoads(), [](Model& m) { m.conditions.edgeLoads.clear(); }, true},
      {"GravityBesideEdgeLoads", EditScope::EdgeLoads(), [](Model& m) { m.conditions.gravity.gy = -9.81; }, false},
      {"Material", EditScope::Materials(), [](Model& m) { m.entered.rho = 2400; }, true},
      {"GroupsBesideMaterial", EditScope::Materials(), [](Model& m) { m.conditions.groups.clear(); }, false},
      {"Spin", EditScope::BodyLoads(), [](Model& m) { m.conditions.spin = 30; }, true},
      {"Temperature", EditScope::Temperatures(), [](Model& m) { m.conditions.temperature.regions.push_back({"plate", 9}); }, true},
      {"SpinBesideTemperature", EditScope::Temperatures(), [](Model& m) { m.conditions.spin = 30; }, false},
      {"Whole", EditScope::WholeModel(), [](Model& m) { m.nodeCount = 1; }, true},
  };
  for (const Row& row : rows) {
    Model after = before;
    row.edit(after);
    EXPECT_EQ(ChangedOnlyWithin(before, after, row.scope), row.within) << row.name;
  }
}

TEST(UndoRedo, ANewEditDropsTheUndoneStepsAndAnEditThatChangesNothingIsNoStep) {
  Harness h;
  h.Load(Cantilever());
  h.SelectAll();
  h.session.TwoWayRestraint();
  h.session.ApplyLoad("5", "0");
  h.session.Undo();
  ASSERT_TRUE(h.session.history().CanRedo());
  h.session.DeleteRestraint();
  EXPECT_FALSE(h.session.history().CanRedo());
  EXPECT_EQ(h.session.history().StepCount(), 2u);

  h.session.DeleteRestraint();  // already free: nothing to undo
  h.session.ApplyGravity("0", "0");
  EXPECT_EQ(h.session.history().StepCount(), 2u);
  h.session.Undo();
  h.session.Undo();
  EXPECT_TRUE(SameModel(h.session.model(), Cantilever()));
  EXPECT_FALSE(h.session.modified());
}

// Results computed for an imported mesh do not belong to the model its undo
// brings back, nor does the selection made on it.
TEST(UndoRedo, UndoingAnImportDropsTheResultsAndSelectionOfTheMesh) {
  Harness h;
  h.Load(Cantilever());
  h.chooser.Answer(DataPath("gmsh/square-41-param.msh"));
  h.session.ImportMesh();
  h.SelectAll();
  h.session.TwoWayRestraint();
  h.session.Compute();
  h.session.Undo();
  ASSERT_TRUE(h.session.HasResults());
  h.session.Undo();
  EXPECT_TRUE(SameModel(h.session.model(), Cantilever()));
  EXPECT_FALSE(h.session.HasResults());
  EXPECT_EQ(h.session.selection().count, 0);
}

// A refused edit is undone before the error reaches the user, and leaves no step.
TEST(UndoRedo, ARefusedEditChangesNothing) {
  Harness h;
  h.LoadWithConditions(GroupedCantilever());
  const Model before = h.session.model();
  EXPECT_THROW(h.session.ApplyMaterial(PlaneStress, "3E10", "0.3", "1", "0", std::nullopt, {{"plate", "5E9", "0.6", "0", ""}}), Error);
  EXPECT_THROW(h.session.ApplyMaterial(PlaneStress, "3E10", "0.3", "1", "-1"), Error);
  h.SelectAll();
  EXPECT_THROW(h.session.ApplyEdgeLoad(EdgeLoadKind::Water, "1", "-9810"), Error);
  EXPECT_TRUE(SameModel(h.session.model(), before));
  EXPECT_FALSE(h.session.history().CanUndo());
}

TEST(UndoRedo, OpeningStartsANewHistoryAndSavingMovesTheUnmodifiedState) {
  Harness h;
  h.Load(Cantilever());
  h.SelectAll();
  h.session.TwoWayRestraint();
  const std::string saved = h.folder.File("saved.trv");
  h.chooser.Answer(saved);
  h.session.SaveProblem();
  EXPECT_FALSE(h.session.modified());
  EXPECT_EQ(h.session.fileName(), saved);
  h.session.Undo();
  EXPECT_TRUE(h.session.modified());  // the file holds the restraints
  h.session.Redo();
  EXPECT_FALSE(h.session.modified());

  h.Load(Cantilever());
  EXPECT_FALSE(h.session.history().CanUndo());
  EXPECT_FALSE(h.session.history().CanRedo());
}

// Undoing a new model brings back the old one with its file, modified as it was.
TEST(UndoRedo, UndoingANewModelBringsBackItsFile) {
  Harness h;
  h.Load(Cantilever());
  const std::string file = h.session.fileName();
  h.SelectAll();
  h.session.TwoWayRestraint();
  const Model edited = h.session.model();
  h.session.NewModel();
  EXPECT_FALSE(h.session.modified());
  EXPECT_EQ(h.session.fileName(), "");
  h.session.Undo();
  EXPECT_TRUE(SameModel(h.session.model(), edited));
  EXPECT_EQ(h.session.fileName(), file);
  EXPECT_TRUE(h.session.modified());
  h.session.Undo();
  EXPECT_FALSE(h.session.modified());
}

// A condition on 10,000 nodes keeps those nodes, whatever the model's size;
// only a replaced model is kept whole.
TEST(History, AStepKeepsWhatItChangedNotTheModel) {
  const auto stepBytes = [](int32_t modelNodes, int32_t changed) {
    Model model;
    model.nodeCount = modelNodes;
    for (int32_t k = 1; k <= modelNodes; ++k) model.nodes[k] = {double(k), 0.0};
    std::vector<int32_t> nodes;
    for (int32_t k = 1; k <= changed + 10; ++k) nodes.push_back(k);
    Step step = Capture(model, EditScope::Nodes(nodes));
    for (int32_t k = 1; k <= changed; ++k) model.nodes[k].restraint = FixedXY;
    EXPECT_TRUE(KeepChanged(step, model));
    return StepBytes(step);
  };
  const std::size_t large = stepBytes(99'999, 10'000);
  EXPECT_EQ(large, stepBytes(20'000, 10'000));
  EXPECT_EQ(large, sizeof(Step) + 10'000 * sizeof(NodeRecord));

  Model model;
  model.nodeCount = 99'999;
  model.nodes[99'999] = {1.0, 1.0};
  Step whole = Capture(model, EditScope::WholeModel());
  EXPECT_GT(StepBytes(whole), 99'999 * sizeof(Node));
}

// At least MinSteps steps stay whatever they cost; beyond that, the budget.
TEST(History, KeepsAtLeastAHundredStepsAndMoreWithinItsBudget) {
  for (const std::size_t budget : {std::size_t{1}, History::DefaultBudget}) {
    History history(budget);
    Model model;
    model.nodeCount = 1;
    const int32_t node[] = {1};
    for (int i = 1; i <= 150; ++i) {
      Step step = Capture(model, EditScope::Nodes(node));
      model.nodes[1].load = i;
      ASSERT_TRUE(KeepChanged(step, model));
      history.Record(std::move(step));
    }
    const std::size_t kept = budget == 1 ? History::MinSteps : 150;
    EXPECT_EQ(history.StepCount(), kept);
    for (std::size_t i = 0; i < kept; ++i) EXPECT_TRUE(history.Undo(model));
    EXPECT_FALSE(history.Undo(model));
    EXPECT_EQ(model.nodes[1].load, 150.0 - double(kept));
  }
}

}  // namespace
}  // namespace trivane::testing
