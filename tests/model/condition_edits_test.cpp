#include "model/condition_edits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <vector>

#include "model/errors.h"
#include "model/point_load.h"

namespace trivane {
namespace {

// The unit square as two triangles 1-2-3 and 1-3-4: the diagonal 1-3 is inside.
// Groups: edge group 1 "bottom" (1-2), region 1 "plate", node group 1 (node 3).
Model Square() {
  Model m;
  m.nodeCount = 4;
  m.nodes[1] = {0, 0};
  m.nodes[2] = {1, 0};
  m.nodes[3] = {1, 1};
  m.nodes[4] = {0, 1};
  m.elementCount = 2;
  m.elements[1] = {1, 2, 3};
  m.elements[2] = {1, 3, 4};
  m.conditions.groups = {Group{GroupKind::Edges, 1, "bottom", {}, {{1, 2}}, {}},
                         Group{GroupKind::Region, 1, "plate", {}, {}, {1, 2}},
                         Group{GroupKind::Nodes, 1, "", {3}, {}, {}}};
  return m;
}

std::string ErrorOf(const auto& edit) {
  try {
    edit();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// Each row adds (fx, fy) to the load a node holds; the sum comes back as
// magnitude and angle.
struct ForceRow {
  double load, angle, fx, fy;
  double sumLoad, sumAngle;
};

TEST(AddNodeForce, StoresTheSumAsMagnitudeAndAngle) {
  const ForceRow rows[] = {
      {0, 0, 0, -1000, 1000, -90},        // onto a node without load
      {0, 0, -5, 0, 5, 180},
      {0, 0, 3, 4, 5, 53.13010235415598},
      {1000, 270, 0, 1000, 0, 0},         // cancelled exactly: no load left
      {1000, 180, 1000, 0, 0, 0},
      {1000, 90, 1000, 0, 1414.2135623730951, 45},
      {2, -90, 0, -3, 5, -90},
      {2, -180, 0, 2, 2.8284271247461903, 135},
      {1, 450, 1, 0, 1.4142135623730951, 45},
      {10, 30, 0, 0, 10, 30.000000000000004},
  };
  for (const ForceRow& r : rows) {
    Model m = Square();
    m.nodes[2].load = r.load;
    m.nodes[2].loadAngle = r.angle;
    AddNodeForce(m, 2, r.fx, r.fy);
    EXPECT_DOUBLE_EQ(m.nodes[2].load, r.sumLoad) << r.load << "@" << r.angle << " + " << r.fx << "," << r.fy;
    EXPECT_DOUBLE_EQ(m.nodes[2].loadAngle, r.sumAngle) << r.load << "@" << r.angle << " + " << r.fx << "," << r.fy;
  }
  Model m = Square();
  EXPECT_EQ(ErrorOf([&] { AddNodeForce(m, 5, 1, 0); }), "结点 5 不存在");
}

// Each row puts a support on nodes 1 and 4 that hold `had`: the directions add,
// a node that gains one gets the symbol of its new kind, one that gains
// nothing keeps its own; a digit outside the kinds counts as free.
TEST(AddSupport, AddsTheDirectionsToWhatTheNodeHas) {
  struct Row {
    int32_t had, orientation;
    RestraintKind added;
    int32_t now, nowOrientation;
  };
  const Row rows[] = {
      {Free, 0, FixedX, FixedX, 1},    {Free, 0, FixedY, FixedY, 0},   {FixedX, 1, FixedY, FixedXY, 0},
      {FixedY, 2, FixedX, FixedXY, 0}, {FixedY, 2, FixedY, FixedY, 2}, {FixedXY, 3, FixedX, FixedXY, 3},
      {7, 3, FixedY, FixedY, 0},
  };
  for (const Row& r : rows) {
    Model m = Square();
    for (const int32_t k : {1, 4}) m.nodes[k] = {0, 0, r.had, r.orientation};
    const int32_t nodes[] = {1, 4};
    AddSupport(m, nodes, r.added);
    for (const int32_t k : {1, 4}) {
      EXPECT_EQ(m.nodes[k].restraint, r.now) << r.had << " + " << r.added;
      EXPECT_EQ(m.nodes[k].orientation, r.nowOrientation) << r.had << " + " << r.added;
    }
  }
  Model m = Square();
  const int32_t outside[] = {2, 0};
  EXPECT_EQ(ErrorOf([&] { AddSupport(m, outside, FixedXY); }), "结点 0 不存在");
  EXPECT_EQ(m.nodes[2].restraint, Free);
}

// The square's boundary carries a pressure on 1-2, water on 2-3 and a traction
// on 3-4. A new load of each kind on 2-1 (its ends turned round), 2-3 and
// 4-1 replaces only the load of its own kind, in its place in the list, and
// is added where the edge had none of its kind.
TEST(SetEdgeLoads, ReplacesTheLoadOfItsKindAndAddsBesideTheOthers) {
  using enum EdgeLoadKind;
  const EdgeLoad had[] = {{{1, 2}, Pressure, 1, 0}, {{2, 3}, Water, 2, 9810}, {{3, 4}, Traction, 3, 4}};
  const Edge edges[] = {{2, 1}, {2, 3}, {4, 1}};
  struct Row {
    EdgeLoadKind kind;
    int32_t replaced;
    std::vector<EdgeLoad> after;
  };
  const Row rows[] = {
      {Pressure, 1,
       {{{2, 1}, Pressure, 5, 6}, had[1], had[2], {{2, 3}, Pressure, 5, 6}, {{4, 1}, Pressure, 5, 6}}},
      {Water, 1, {had[0], {{2, 3}, Water, 5, 6}, had[2], {{2, 1}, Water, 5, 6}, {{4, 1}, Water, 5, 6}}},
      {Traction, 0,
       {had[0], had[1], had[2], {{2, 1}, Traction, 5, 6}, {{2, 3}, Traction, 5, 6}, {{4, 1}, Traction, 5, 6}}},
  };
  for (const Row& r : rows) {
    Model m = Square();
    m.conditions.edgeLoads.assign(std::begin(had), std::end(had));
    EXPECT_EQ(EdgesLoadedWith(m, edges, r.kind), r.replaced);
    SetEdgeLoads(m, edges, r.kind, 5, 6);
    EXPECT_EQ(m.conditions.edgeLoads, r.after) << static_cast<int>(r.kind);
    // Loading the same edges again replaces all three and adds nothing.
    EXPECT_EQ(EdgesLoadedWith(m, edges, r.kind), 3);
    SetEdgeLoads(m, edges, r.kind, 5, 6);
    EXPECT_EQ(m.conditions.edgeLoads, r.after);
  }
}

TEST(SetEdgeLoads, RefusesInnerEdgesAndWeightlessWaterChangingNothing) {
  Model m = Square();
  const Edge good[] = {{2, 1}, {3, 4}};
  SetEdgeLoads(m, good, EdgeLoadKind::Water, 2.0, 9810.0);
  const std::vector<EdgeLoad> before = m.conditions.edgeLoads;

  const Edge inner[] = {{1, 2}, {3, 1}};
  EXPECT_EQ(ErrorOf([&] { SetEdgeLoads(m, inner, EdgeLoadKind::Pressure, 1, 0); }),
            "结点 3 与 1 之间的边是两个单元共用的内部边，不能加边荷载");
  const Edge none[] = {{2, 4}};
  EXPECT_EQ(ErrorOf([&] { SetEdgeLoads(m, none, EdgeLoadKind::Pressure, 1, 0); }), "结点 2 与 4 之间没有单元的边");
  for (const double gamma : {0.0, -0.0, -9810.0, std::nan("")})
    EXPECT_EQ(ErrorOf([&] { SetEdgeLoads(m, good, EdgeLoadKind::Water, 3.0, gamma); }), "水的重度必须大于零") << gamma;
  EXPECT_EQ(m.conditions.edgeLoads, before);

  // Removal finds an edge given either way round.
  const Edge remove[] = {{1, 2}, {1, 4}};
  EXPECT_EQ(RemoveEdgeLoads(m, remove), 1);
  EXPECT_EQ(m.conditions.edgeLoads, (std::vector<EdgeLoad>{{{3, 4}, EdgeLoadKind::Water, 2.0, 9810.0}}));
}

// Water reaches an edge only above its lower end.
TEST(WaterLeavesDry, WhenTheLevelIsAtOrBelowTheLowestEndOfEveryEdge) {
  const Model m = Square();
  const Edge top[] = {{3, 4}};
  const Edge right[] = {{2, 3}, {3, 4}};
  EXPECT_TRUE(WaterLeavesDry(m, top, 1.0));
  EXPECT_FALSE(WaterLeavesDry(m, top, 1.0 + 1e-15));
  EXPECT_TRUE(WaterLeavesDry(m, right, -1.0));
  EXPECT_TRUE(WaterLeavesDry(m, right, 0.0));
  EXPECT_FALSE(WaterLeavesDry(m, right, 0.5));
}

// On the axes the parts are exact, for every angle a whole number of turns
// away; the part across the axis is a zero of the sign sin(±0) gives, so a
// load at 0 or -0 degrees is what the sine and cosine make, bit for bit.
TEST(PointLoadParts, ExactOnTheAxesAndTheSineAndCosineElsewhere) {
  struct Row {
    double angle, x, y;
  };
  const Row axes[] = {{0, 5, 0},     {90, 0, 5},    {180, -5, 0},  {270, 0, -5}, {-90, 0, -5},
                      {-180, -5, 0}, {-270, 0, 5},  {360, 5, 0},   {450, 0, 5},  {-630, 0, 5},
                      {720, 5, 0},   {1e6 * 360 + 90, 0, 5}};
  for (const Row& r : axes) {
    const LoadParts p = PointLoadParts(5, r.angle);
    EXPECT_EQ(p.x, r.x) << r.angle;
    EXPECT_EQ(p.y, r.y) << r.angle;
  }
  for (const double load : {5.0, -5.0}) {
    for (const double angle : {0.0, -0.0}) {
      const LoadParts p = PointLoadParts(load, angle);
      EXPECT_EQ(std::signbit(p.y), std::signbit(load * std::sin(angle))) << load << "@" << angle;
    }
  }
  const LoadParts p = PointLoadParts(10, 30);
  EXPECT_EQ(p.x, 10 * std::cos(30 * 0.017453292519943295));
  EXPECT_EQ(p.y, 10 * std::sin(30 * 0.017453292519943295));
}

TEST(BoundaryEdgesBetween, LeavesOutInnerEdgesAndEdgesWithOneEndOutside) {
  const Model m = Square();
  const int32_t nodes[] = {1, 2, 3};
  EXPECT_EQ(BoundaryEdgesBetween(m, nodes), (std::vector<Edge>{{1, 2}, {2, 3}}));
}

TEST(SetRegionMaterial, NamedByLabelOrNumberCheckedAndReplaced) {
  Model m = Square();
  SetRegionMaterial(m, {"1", 3e10, 0.5, 2400});  // mu = 0.5 is elastic in plane stress
  SetRegionMaterial(m, {"plate", 2e10, 0.25, 0});
  EXPECT_EQ(m.conditions.regionMaterials, (std::vector<RegionMaterial>{{"plate", 2e10, 0.25, 0}}));

  m.entered.problem = PlaneStrain;
  const std::pair<RegionMaterial, std::string> refused[] = {
      {{"bottom", 1, 0.2, 0}, "没有名为 'bottom' 的区域"},
      {{"2", 1, 0.2, 0}, "没有名为 '2' 的区域"},
      {{"plate", 0, 0.2, 0}, messages::ModulusNotPositive},
      {{"plate", 1, -1, 0}, messages::PoissonRatioTooSmall},
      {{"plate", 1, 0.5, 0}, messages::PoissonRatioTooLargePlaneStrain},
      {{"plate", 1, 0.2, -1e-300}, messages::DensityNegative},
  };
  for (const auto& [material, text] : refused)
    EXPECT_EQ(ErrorOf([&] { SetRegionMaterial(m, material); }), text) << material.region;
  EXPECT_EQ(m.conditions.regionMaterials.size(), 1u);
  SetDensity(m, 2400);
  EXPECT_EQ(ErrorOf([&] { SetDensity(m, -1); }), messages::DensityNegative);
  EXPECT_EQ(m.entered.rho, 2400);
}

// Gmsh numbers curves and surfaces apart: "1" is the edge group or the region
// by the kind asked for.
TEST(FindGroupOfKind, SameNumberInEachKind) {
  const Model m = Square();
  EXPECT_EQ(FindGroupOfKind(m, "1", GroupKind::Edges)->name, "bottom");
  EXPECT_EQ(FindGroupOfKind(m, "1", GroupKind::Region)->name, "plate");
  EXPECT_EQ(FindGroupOfKind(m, "1", GroupKind::Nodes)->nodes, std::vector<int32_t>{3});
  EXPECT_EQ(FindGroupOfKind(m, "plate", GroupKind::Edges), nullptr);
  EXPECT_EQ(FindGroupOfKind(m, "1x", GroupKind::Nodes), nullptr);
}

}  // namespace
}  // namespace trivane
