#include "model/condition_edits.h"

#include <gtest/gtest.h>

#include "model/errors.h"

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

TEST(SetSupport, PairsEachKindWithTheWindowsOrientationAndChecksFirst) {
  Model m = Square();
  const int32_t nodes[] = {1, 4};
  for (const auto& [kind, orientation] : {std::pair{FixedX, 1}, {FixedY, 0}, {FixedXY, 0}, {Free, 0}}) {
    SetSupport(m, nodes, kind);
    EXPECT_EQ(m.nodes[1].restraint, kind);
    EXPECT_EQ(m.nodes[4].orientation, orientation);
  }
  const int32_t outside[] = {2, 0};
  EXPECT_EQ(ErrorOf([&] { SetSupport(m, outside, FixedXY); }), "结点 0 不存在");
  EXPECT_EQ(m.nodes[2].restraint, Free);
}

TEST(AddEdgeLoads, OnlyBoundaryEdgesAndNothingAddedOnRefusal) {
  Model m = Square();
  const Edge good[] = {{2, 1}, {3, 4}};
  AddEdgeLoads(m, good, EdgeLoadKind::Water, 2.0, 9810.0);
  ASSERT_EQ(m.conditions.edgeLoads.size(), 2u);
  EXPECT_EQ(m.conditions.edgeLoads[0], (EdgeLoad{{2, 1}, EdgeLoadKind::Water, 2.0, 9810.0}));

  const Edge inner[] = {{1, 2}, {3, 1}};
  EXPECT_EQ(ErrorOf([&] { AddEdgeLoads(m, inner, EdgeLoadKind::Pressure, 1, 0); }),
            "结点 3 和 1 之间的边不在边界上（两个单元共用它）");
  const Edge none[] = {{2, 4}};
  EXPECT_EQ(ErrorOf([&] { AddEdgeLoads(m, none, EdgeLoadKind::Pressure, 1, 0); }), "结点 2 和 4 之间没有单元边");
  EXPECT_EQ(m.conditions.edgeLoads.size(), 2u);

  // Removal finds an edge given either way round.
  const Edge remove[] = {{1, 2}, {1, 4}};
  EXPECT_EQ(RemoveEdgeLoads(m, remove), 1);
  EXPECT_EQ(m.conditions.edgeLoads, (std::vector<EdgeLoad>{{{3, 4}, EdgeLoadKind::Water, 2.0, 9810.0}}));
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
