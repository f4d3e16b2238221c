// Restraint, load and material commands on the selected nodes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "fakes.h"
#include "model/errors.h"
#include "support/tolerance.h"

namespace trivane::testing {
namespace {

using Pair = std::pair<int32_t, int32_t>;

Pair SupportOf(const Session& s, int32_t node) {
  return {s.model().nodes[node].restraint, s.model().nodes[node].orientation};
}

// A harness holding the cantilever with nodes 2 and 3 (the free right edge) selected.
struct RightEdge : Harness {
  RightEdge() {
    Load(Cantilever());
    const Pixel p2 = ToPixel(session.view(), 2.0, 0.0);
    const Pixel p3 = ToPixel(session.view(), 2.0, 1.0);
    Drag(p3.x - 5, p3.y - 5, p2.x + 5, p2.y + 5);
  }
};

struct ToggleRow {
  const char* name;
  void (Session::*command)();
  std::vector<Pair> supports;  // (restraint, orientation) after each press from start-up
};

class RestraintToggle : public ::testing::TestWithParam<ToggleRow> {};

// A one-direction link holds the node along its own axis: the vertical link
// (orientations 0 and 2) fixes y, the horizontal one (1 and 3) fixes x.
TEST_P(RestraintToggle, CyclesThroughItsSupportsOnEverySelectedNode) {
  RightEdge h;
  ASSERT_EQ(h.session.selection().count, 2);
  for (const Pair& pair : GetParam().supports) {
    (h.session.*GetParam().command)();
    EXPECT_EQ(SupportOf(h.session, 2), pair);
    EXPECT_EQ(SupportOf(h.session, 3), pair);
  }
  EXPECT_EQ(SupportOf(h.session, 1), (Pair{FixedXY, 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RestraintToggle,
    ::testing::Values(ToggleRow{"OneWay", &Session::OneWayRestraint, {{1, 2}, {2, 3}, {1, 0}, {2, 1}, {1, 2}}},
                      ToggleRow{"TwoWay", &Session::TwoWayRestraint, {{3, 2}, {3, 3}, {3, 0}, {3, 1}, {3, 2}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Restraints, TogglesAdvanceWithNothingSelectedAndSurviveANewModel) {
  Harness h;
  h.session.OneWayRestraint();
  h.session.TwoWayRestraint();
  h.session.TwoWayRestraint();
  h.session.NewModel();
  EXPECT_EQ(h.session.oneWayToggle(), 2);
  EXPECT_EQ(h.session.twoWayToggle(), 3);
}

// A kept selection is always shown.
TEST(Restraints, EveryConditionCommandRedrawsTheSelectionsMarkers) {
  RightEdge h;
  auto lastIsMarker = [&] {
    const DrawCall& last = h.canvas.Calls().back();
    return last.kind == Primitive::Ellipse && last.attributes.brushColour == Rgb{255, 255, 0};
  };
  h.session.TwoWayRestraint();
  EXPECT_TRUE(lastIsMarker());
  h.canvas.Clear();
  h.session.DeleteRestraint();
  EXPECT_TRUE(lastIsMarker());
  EXPECT_EQ(SupportOf(h.session, 3), (Pair{Free, 0}));
  EXPECT_EQ(h.session.model().nodes[3].load, 1000.0);
  h.canvas.Clear();
  h.session.ApplyLoad("5", "90");
  EXPECT_TRUE(lastIsMarker());
  EXPECT_EQ(h.session.selection().count, 2);
}

TEST(ApplyLoad, WritesMagnitudeAndDirectionIntoEverySelectedNode) {
  RightEdge h;
  h.session.ApplyLoad("1", "0");
  for (int32_t k : {2, 3}) {
    EXPECT_EQ(h.session.model().nodes[k].load, 1.0);
    EXPECT_EQ(h.session.model().nodes[k].loadAngle, 0.0);
  }
  h.session.ApplyLoad("-2.5e3", "  45");
  EXPECT_EQ(h.session.model().nodes[2].load, -2500.0);
  EXPECT_EQ(h.session.model().nodes[2].loadAngle, 45.0);
  EXPECT_EQ(h.session.model().nodes[1].load, 0.0);
}

struct BadLoad {
  const char* load;
  const char* angle;
  const char* offending;
};

class ApplyLoadRefuses : public ::testing::TestWithParam<BadLoad> {};

TEST_P(ApplyLoadRefuses, ABadTextChangesNoNodeAndDrawsNothing) {
  RightEdge h;
  const Model before = h.session.model();
  const size_t drawn = h.canvas.Calls().size();
  try {
    h.session.ApplyLoad(GetParam().load, GetParam().angle);
    FAIL() << "expected an error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), messages::NotAReal(GetParam().offending));
  }
  EXPECT_TRUE(SameModel(h.session.model(), before));
  EXPECT_EQ(h.canvas.Calls().size(), drawn);
}

INSTANTIATE_TEST_SUITE_P(Texts, ApplyLoadRefuses,
                         ::testing::Values(BadLoad{"abc", "0", "abc"}, BadLoad{"1", "north", "north"},
                                           BadLoad{"", "0", ""}, BadLoad{"1,5", "x", "1,5"},
                                           BadLoad{"7", "", ""}));

TEST(ApplyLoad, WithNothingSelectedTheTextsAreNotRead) {
  Harness h;
  h.Load(Cantilever());
  EXPECT_NO_THROW(h.session.ApplyLoad("abc", "def"));
  EXPECT_TRUE(SameModel(h.session.model(), Cantilever()));
}

struct MaterialRow {
  const char* name;
  int problemType;
  const char *e, *mu, *t;
  Material expected;
};

class ApplyMaterial : public ::testing::TestWithParam<MaterialRow> {};

TEST_P(ApplyMaterial, ConvertsTheDialogsTexts) {
  const MaterialRow& row = GetParam();
  Harness h;
  h.session.ApplyMaterial(row.problemType, row.e, row.mu, row.t);
  const Material& m = h.session.model().material;
  EXPECT_TRUE(Close(m.E, row.expected.E, 1e-4)) << m.E;
  EXPECT_TRUE(Close(m.mu, row.expected.mu, 1e-4)) << m.mu;
  EXPECT_EQ(m.t, row.expected.t);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ApplyMaterial,
    ::testing::Values(MaterialRow{"UntouchedPlaneStress", 0, "2E10", "0.167", "1", {0.167, 2e10, 1.0}},
                      MaterialRow{"PlaneStressAsTyped", 0, "7e10", "0.5", "2", {0.5, 7e10, 2.0}},
                      MaterialRow{"PlaneStrain", 1, "2E10", "0.167", "0.3", {0.20048, 2.0573e10, 0.3}},
                      MaterialRow{"PlaneStrainNegativeMu", 1, "1E6", "-0.5", "1", {-1.0 / 3.0, 4e6 / 3.0, 1.0}},
                      MaterialRow{"NearTheLimits", 0, "1E-300", "-0.999", "1E-9", {-0.999, 1e-300, 1e-9}},
                      MaterialRow{"NoItemSelected", -1, "5", "0.1", "9", {0.167, 2e10, 1.0}}),
    [](const auto& info) { return std::string(info.param.name); });

// Without a density text the density stays.
TEST(ApplyMaterial, PlaneStrainTwiceGivesTheSameAsOnceAndTheDensityStays) {
  Harness h;
  h.session.ApplyMaterial(PlaneStrain, "2E10", "0.167", "1", "2400");
  const Material once = h.session.model().material;
  h.session.ApplyMaterial(PlaneStrain, "2E10", "0.167", "1");
  EXPECT_EQ(h.session.model().material, once);
  EXPECT_EQ(h.session.model().entered.rho, 2400.0);
}

struct MaterialFault {
  int problemType;
  const char *e, *mu, *t;
  std::string message;
};

class ApplyMaterialRefuses : public ::testing::TestWithParam<MaterialFault> {};

TEST_P(ApplyMaterialRefuses, AndTheMaterialStaysAsItWas) {
  const MaterialFault& row = GetParam();
  Harness h;
  h.session.ApplyMaterial(PlaneStress, "3E10", "0.2", "2");
  const Material before = h.session.model().material;
  try {
    h.session.ApplyMaterial(row.problemType, row.e, row.mu, row.t);
    FAIL() << "expected an error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), row.message);
  }
  EXPECT_EQ(h.session.model().material, before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ApplyMaterialRefuses,
    ::testing::Values(MaterialFault{0, "2E10", "0.167", "1m", messages::NotAReal("1m")},
                      MaterialFault{0, "2E10", "x", "1", messages::NotAReal("x")},
                      MaterialFault{1, "E", "0.167", "1", messages::NotAReal("E")},
                      MaterialFault{1, "1.7E308", "0.49", "1", messages::Overflow},
                      // Values no material has, at and beyond each limit.
                      MaterialFault{0, "0", "0.167", "1", messages::ModulusNotPositive},
                      MaterialFault{1, "-2E10", "0.167", "1", messages::ModulusNotPositive},
                      MaterialFault{0, "2E10", "0.167", "0", messages::ThicknessNotPositive},
                      MaterialFault{1, "2E10", "0.167", "-1", messages::ThicknessNotPositive},
                      MaterialFault{0, "2E10", "-1", "1", messages::PoissonRatioTooSmall},
                      MaterialFault{1, "2E10", "-1.5", "1", messages::PoissonRatioTooSmall},
                      MaterialFault{1, "2E10", "0.5", "1", messages::PoissonRatioTooLargePlaneStrain},
                      MaterialFault{1, "2E10", "1", "1", messages::PoissonRatioTooLargePlaneStrain},
                      MaterialFault{0, "2E10", "0.5000001", "1", messages::PoissonRatioTooLargePlaneStress},
                      // The first refused field in the dialog's order is named.
                      MaterialFault{0, "0", "0.7", "0", messages::ModulusNotPositive}));

// The text of the error `command` throws; empty when it succeeds.
std::string Refusal(const std::function<void()>& command) {
  try {
    command();
  } catch (const Error& e) {
    return e.what();
  }
  return {};
}

// A spin belongs to a solid of revolution: refused in a plane model, with the
// gravity typed beside it, undone with the gravity, and a spinning model
// stays axisymmetric. A region
// takes a temperature of its own only when the selection covers it whole; a
// blank text gives it the model's again.
TEST(BodyLoadsAndTemperature, KeepTheirRules) {
  Harness h;
  h.LoadWithConditions(GroupedCantilever());
  const Model plane = h.session.model();
  EXPECT_EQ(Refusal([&] { h.session.ApplyGravity("0", "-9.81", "100"); }), messages::SpinNeedsAxisymmetric);
  EXPECT_TRUE(SameModel(h.session.model(), plane));

  h.session.ApplyMaterial(Axisymmetric, "2E11", "0.3", "", "7800");
  h.session.ApplyGravity("0", "-9.81", "100");
  h.session.Undo();
  EXPECT_EQ(h.session.model().conditions.spin, 0.0);
  h.session.Redo();
  EXPECT_EQ(h.session.model().conditions.spin, 100.0);
  EXPECT_EQ(h.session.model().entered.t, 1.0);
  const Model spinning = h.session.model();
  EXPECT_EQ(Refusal([&] { h.session.ApplyMaterial(PlaneStrain, "2E11", "0.3", "1"); }),
            messages::SpinningModelStaysAxisymmetric);
  EXPECT_TRUE(SameModel(h.session.model(), spinning));
  h.session.ApplyGravity("0", "-9.81");  // no spin text: the spin stays
  EXPECT_EQ(h.session.model().conditions.spin, 100.0);
  h.session.ApplyGravity("0", "-9.81", "0");
  EXPECT_EQ(Refusal([&] { h.session.ApplyMaterial(PlaneStrain, "2E11", "0.3", "1"); }), "");

  const Pixel p3 = ToPixel(h.session.view(), 2.0, 1.0);
  h.Drag(p3.x - 5, p3.y - 5, p3.x + 5, p3.y + 5);
  EXPECT_EQ(Refusal([&] { h.session.ApplyTemperature(TemperatureTarget::SelectedRegions, "10"); }),
            messages::NoRegionSelected);
  h.SelectAll();
  h.session.ApplyTemperature(TemperatureTarget::SelectedRegions, "12");
  h.session.ApplyTemperature(TemperatureTarget::SelectedRegions, "10");
  h.session.ApplyTemperature(TemperatureTarget::Model, "-5");
  EXPECT_EQ(h.session.model().conditions.temperature, (Temperature{-5.0, {{"plate", 10.0}}}));
  h.session.ApplyTemperature(TemperatureTarget::SelectedRegions, " ");
  EXPECT_EQ(h.session.model().conditions.temperature, (Temperature{-5.0, {}}));
  EXPECT_EQ(Refusal([&] { h.session.ApplyTemperature(TemperatureTarget::Model, ""); }), messages::NotAReal(""));
}

}  // namespace
}  // namespace trivane::testing
