// The section after a problem file's element lines: the material, groups,
// region materials, edge loads and gravity, written as text and read back.
#include "io/problem_section.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "io/problem_file.h"
#include "model/errors.h"

namespace trivane {
namespace {

// A strip of 5 x 1 squares, two triangles each: node 2i+1 at (i, 0), node
// 2i+2 at (i, 1); elements 1..10.
Model Strip() {
  Model m;
  m.nodeCount = 12;
  for (int32_t i = 0; i < 6; ++i) {
    m.nodes[2 * i + 1] = Node{i * 1.0, 0.0, 0, 0, 0.0, 0.0};
    m.nodes[2 * i + 2] = Node{i * 1.0, 1.0, 0, 0, 0.0, 0.0};
  }
  m.elementCount = 10;
  for (int32_t i = 0; i < 5; ++i) {
    m.elements[2 * i + 1] = Element{2 * i + 1, 2 * i + 3, 2 * i + 4};
    m.elements[2 * i + 2] = Element{2 * i + 1, 2 * i + 4, 2 * i + 2};
  }
  m.nodes[1].restraint = FixedXY;
  m.nodes[12].load = 25.0;
  UpdateBounds(m);
  return m;
}

// Every kind of group, region material and edge load (water and a traction
// on one edge); names with blanks, quotes, a backslash, a tab and Chinese.
Model LoadedStrip() {
  Model m = Strip();
  m.entered = EnteredMaterial{PlaneStrain, 1.5e10, 0.25, 0.005, 2400.0};
  m.material = Material{1.0 / 3.0, 1.6e10, 0.005};
  Conditions& c = m.conditions;
  c.groups.push_back(Group{GroupKind::Nodes, 1, "", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {}, {}});
  c.groups.push_back(Group{GroupKind::Edges, 2, "bottom \"a\\b\"\tend",
                           {},
                           {{1, 3}, {3, 5}, {5, 7}, {7, 9}, {9, 11}, {12, 10}, {10, 8}, {8, 6}, {6, 4}},
                           {}});
  c.groups.push_back(Group{GroupKind::Region, 3, "板 plate", {}, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}});
  c.groups.push_back(Group{GroupKind::Region, 4, "", {}, {}, {2}});
  c.regionMaterials.push_back(RegionMaterial{"4", 1e10, 0.3, 7850.0});
  c.edgeLoads.push_back(EdgeLoad{{11, 12}, EdgeLoadKind::Pressure, 1000.0, 0.0});
  c.edgeLoads.push_back(EdgeLoad{{1, 3}, EdgeLoadKind::Water, 0.5, 9810.0});
  c.edgeLoads.push_back(EdgeLoad{{12, 10}, EdgeLoadKind::Traction, -0.0, 0.1});
  c.edgeLoads.push_back(EdgeLoad{{10, 12}, EdgeLoadKind::Water, 2.0, 9810.0});
  c.gravity = Gravity{0.0, -9.81};
  return m;
}

const std::string LoadedSection =
    "[Trivane 1]\r\n"
    "problem plane-strain\r\n"
    "material E=1.5e+10 mu=0.25 t=0.005 rho=2400\r\n"
    "gravity gx=0 gy=-9.81\r\n"
    "group nodes 1 \"\" 12\r\n"
    "1 2 3 4 5 6 7 8 9 10\r\n"
    "11 12\r\n"
    "group edges 2 \"bottom \\\"a\\\\b\\\"\\x09end\" 9\r\n"
    "1-3 3-5 5-7 7-9 9-11 12-10 10-8 8-6\r\n"
    "6-4\r\n"
    "group region 3 \"板 plate\" 10\r\n"
    "1 2 3 4 5 6 7 8 9 10\r\n"
    "group region 4 \"\" 1\r\n"
    "2\r\n"
    "region-material \"4\" E=1e+10 mu=0.3 rho=7850\r\n"
    "pressure 11-12 p=1000\r\n"
    "water 1-3 level=0.5 gamma=9810\r\n"
    "traction 12-10 tx=-0 ty=0.1\r\n"
    "water 10-12 level=2 gamma=9810\r\n";

// The fixed lines come first, exactly as a model without conditions writes
// them; the section follows them as text.
TEST(ProblemSection, FollowsTheFixedLinesUnchanged) {
  const std::string plain = WriteProblem(Strip()), loaded = WriteProblem(LoadedStrip());
  const size_t fixed = plain.find("[Trivane 1]");
  ASSERT_EQ(fixed, 2 * 4 + 12 * 96 + 10 * 17);
  EXPECT_EQ(loaded.substr(0, fixed), plain.substr(0, fixed));
  EXPECT_EQ(loaded.substr(fixed), LoadedSection);
}

TEST(ProblemSection, SavedModelReopensWithEverything) {
  Model current = Strip();
  current.conditions.gravity = Gravity{1.0, 1.0};
  const std::string bytes = WriteProblem(LoadedStrip());
  const Model read = ReadProblem(bytes, current);
  EXPECT_TRUE(SameModel(read, LoadedStrip()));
  EXPECT_TRUE(std::signbit(read.conditions.edgeLoads[2].a));
  EXPECT_EQ(WriteProblem(read), bytes);
  // Blank lines and blanks around the statements are a person's editing.
  std::string edited = bytes.substr(0, bytes.find("[Trivane 1]")) + "\r\n" + LoadedSection;
  edited.replace(edited.find("problem"), 7, " \tproblem ");
  edited.replace(edited.find("[Trivane 1]") + 11, 0, " \t");
  edited.replace(edited.find("\r\n1-3"), 2, "\r\n\r\n");
  EXPECT_TRUE(SameModel(ReadProblem(edited, current), LoadedStrip()));
}

// A unit square of two six-node triangles: the fixed element lines keep the
// corners, the section names the order and the mid-side nodes, and the file
// reads back to the same model and the same bytes.
TEST(ProblemSection, SixNodeModelRoundTrips) {
  Model m;
  m.nodeCount = 9;
  const double xy[9][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0.5, 0}, {1, 0.5}, {0.5, 0.5}, {0.5, 1}, {0, 0.5}};
  for (int32_t k = 1; k <= 9; ++k) m.nodes[k] = Node{xy[k - 1][0], xy[k - 1][1], 0, 0, 0.0, 0.0};
  m.elementCount = 2;
  m.elementOrder = 2;
  m.elements[1] = Element{{1, 2, 3, 5, 6, 7}, 6};
  m.elements[2] = Element{{1, 3, 4, 7, 8, 9}, 6};
  UpdateBounds(m);
  const std::string bytes = WriteProblem(m);
  const size_t fixed = 2 * 3 + 9 * 96 + 2 * 17;
  EXPECT_EQ(bytes.substr(fixed - 34, 34), "    1    2    3\r\n    1    3    4\r\n");
  EXPECT_EQ(bytes.substr(fixed),
            "[Trivane 2]\r\nproblem plane-stress\r\nmaterial E=2e+10 mu=0.167 t=1 rho=0\r\ngravity gx=0 gy=0\r\n"
            "order 2\r\nmid-side-nodes 2\r\n5 6 7\r\n7 8 9\r\n");
  const Model read = ReadProblem(bytes, Model{});
  EXPECT_TRUE(SameModel(read, m));
  EXPECT_EQ(WriteProblem(read), bytes);
  // Read without its section, the same lines are a three-node model.
  EXPECT_EQ(ReadProblem(bytes.substr(0, fixed), Model{}).elementOrder, 1);
}

// A coefficient of thermal expansion is written last on its material line
// and the temperature changes after the region materials, only where they
// are set; a region's own change of 0 still overrides the model's. The file
// reads back to the same model and the same bytes.
TEST(ProblemSection, ThermalValuesRoundTrip) {
  Model m = LoadedStrip();
  m.entered.alpha = 1.2e-5;
  m.conditions.regionMaterials[0].alpha = -3e-7;
  m.conditions.regionMaterials.push_back(RegionMaterial{"板 plate", 3e10, 0.2, 2500.0, 0.0});
  m.conditions.temperature = Temperature{15.5, {{"4", 0.0}, {"板 plate", -20.0}}};
  const std::string bytes = WriteProblem(m);
  const std::string section = bytes.substr(bytes.find("[Trivane 1]"));
  for (const char* line : {"\r\nmaterial E=1.5e+10 mu=0.25 t=0.005 rho=2400 alpha=1.2e-05\r\n",
                           "\r\nregion-material \"4\" E=1e+10 mu=0.3 rho=7850 alpha=-3e-07\r\n"
                           "region-material \"板 plate\" E=3e+10 mu=0.2 rho=2500\r\n"
                           "temperature dt=15.5\r\ntemperature \"4\" dt=0\r\ntemperature \"板 plate\" dt=-20\r\n"
                           "pressure 11-12 p=1000\r\n"})
    EXPECT_NE(section.find(line), std::string::npos) << line << section;
  const Model read = ReadProblem(bytes, Model{});
  EXPECT_TRUE(SameModel(read, m));
  EXPECT_EQ(WriteProblem(read), bytes);
}

// A solid of revolution turning about its axis: the problem type and the
// spin's line after gravity, read back to the same model and bytes. The
// thickness it does not read is kept as it stands.
TEST(ProblemSection, SpinningAxisymmetricModelRoundTrips) {
  Model m = Strip();
  m.entered = EnteredMaterial{Axisymmetric, 2e11, 0.3, 1.0, 7850.0};
  m.material = Material{0.3, 2e11, 1.0};
  m.conditions.spin = 314.5;
  const std::string bytes = WriteProblem(m);
  EXPECT_EQ(bytes.substr(bytes.find("[Trivane 1]")),
            "[Trivane 1]\r\nproblem axisymmetric\r\nmaterial E=2e+11 mu=0.3 t=1 rho=7850\r\ngravity gx=0 gy=0\r\n"
            "spin omega=314.5\r\n");
  const Model read = ReadProblem(bytes, Model{});
  EXPECT_TRUE(SameModel(read, m));
  EXPECT_EQ(WriteProblem(read), bytes);
}

struct SectionRow {
  const char* name;
  std::string section;
  std::string message;
  int line;  // counted from the section's first line
};

class BrokenSection : public ::testing::TestWithParam<SectionRow> {};

TEST_P(BrokenSection, IsRefusedWithItsLine) {
  const std::string fixed = WriteProblem(Strip()).substr(0, 2 * 4 + 12 * 96 + 10 * 17);
  try {
    ReadProblem(fixed + GetParam().section, Model{});
    FAIL() << "accepted";
  } catch (const LineError& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().message);
    EXPECT_EQ(e.line(), 24 + GetParam().line);
  }
}

const std::string Head = "[Trivane 1]\r\nproblem plane-stress\r\nmaterial E=1 mu=0 t=1 rho=0\r\n";
const std::string HeadOnly = "[Trivane 1]\r\n";
const std::string Head2 = "[Trivane 2]\r\nproblem plane-stress\r\nmaterial E=1 mu=0 t=1 rho=0\r\n";
std::string TenMidSides = [] {
  std::string s;
  for (int e = 0; e < 10; ++e) s += "1 2 3\r\n";
  return s;
}();

INSTANTIATE_TEST_SUITE_P(
    Rows, BrokenSection,
    ::testing::Values(
        SectionRow{"NotTheSection", "\r\n \r\nx\r\n", "单元行之后只能是 [Trivane 1] 或 [Trivane 2] 段，读到的是 'x'", 3},
        SectionRow{"LaterVersion", "[Trivane 3]\r\n", "单元行之后只能是 [Trivane 1] 或 [Trivane 2] 段，读到的是 '[Trivane 3]'", 1},
        SectionRow{"OrderInVersion1", Head + "order 2\r\n", "未知的关键字 'order'", 4},
        SectionRow{"OrderWithoutMidSides", Head2 + "order 2\r\n", "[Trivane 2] 段缺少 mid-side-nodes 行", 4},
        SectionRow{"MidSidesWithoutOrder", Head2 + "mid-side-nodes 10\r\n" + TenMidSides, "[Trivane 2] 段缺少 order 2 行", 4},
        SectionRow{"OrderThree", Head2 + "order 3\r\n", "这一行应为 order 1|2", 4},
        SectionRow{"MidSideCount", Head2 + "order 2\r\nmid-side-nodes 3\r\n", "mid-side-nodes 写明 3 个单元，模型有 10 个单元", 5},
        SectionRow{"MidSideLinesMissing", Head2 + "order 2\r\nmid-side-nodes 10\r\n1 2 3\r\n", "这一行应为 结点 结点 结点", 5},
        SectionRow{"MidSideTwoNodes", Head2 + "order 2\r\nmid-side-nodes 10\r\n1 2\r\n", "这一行应为 结点 结点 结点", 6},
        SectionRow{"MidSideNodeBeyond", Head2 + "order 2\r\nmid-side-nodes 10\r\n1 2 13\r\n", "结点号 13 不存在（模型有 12 个结点）", 6},
        SectionRow{"UnknownKeyword", Head + "colour red\r\n", "未知的关键字 'colour'", 4},
        SectionRow{"ProblemTwice", Head + "problem plane-strain\r\n", "problem 行只能有一行", 4},
        SectionRow{"GravityTwice", Head + "gravity gx=0 gy=0\r\ngravity gx=0 gy=1\r\n", "gravity 行只能有一行", 5},
        SectionRow{"UnknownProblem", HeadOnly + "problem axial\r\n",
                   "未知的问题类型 'axial'（应为 plane-stress、plane-strain 或 axisymmetric）", 2},
        SectionRow{"AxisymmetricIncompressible", HeadOnly + "problem axisymmetric\r\nmaterial E=1 mu=0.5 t=1 rho=0\r\n",
                   messages::PoissonRatioTooLargeAxisymmetric, 3},
        SectionRow{"SpinTwice", Head + "spin omega=1\r\nspin omega=2\r\n", "spin 行只能有一行", 5},
        SectionRow{"SpinWithoutKey", Head + "spin 100\r\n", "这一行应为 spin omega=…", 4},
        SectionRow{"SpinInPlane", Head + "spin omega=100\r\n", messages::SpinNeedsAxisymmetric, 4},
        SectionRow{"ProblemMissing", HeadOnly + "material E=1 mu=0 t=1 rho=0\r\n", "[Trivane 1] 段缺少 problem 行", 1},
        SectionRow{"MaterialMissing", HeadOnly + "problem plane-stress\r\n", "[Trivane 1] 段缺少 material 行", 1},
        SectionRow{"MaterialShort", HeadOnly + "material E=1 mu=0 t=1\r\n", "这一行应为 material E=… mu=… t=… rho=… [alpha=…]", 2},
        SectionRow{"KeyWithoutEquals", HeadOnly + "material E=1 mu=0 t=1 rho:0\r\n",
                   "这一行应为 material E=… mu=… t=… rho=… [alpha=…]", 2},
        SectionRow{"MaterialNotANumber", HeadOnly + "material E=1,5 mu=0 t=1 rho=0\r\n",
                   "'1,5' is not a valid floating point value", 2},
        SectionRow{"ModulusZero", HeadOnly + "problem plane-stress\r\nmaterial E=0 mu=0 t=1 rho=0\r\n",
                   messages::ModulusNotPositive, 3},
        SectionRow{"DensityNegative", HeadOnly + "problem plane-stress\r\nmaterial E=1 mu=0 t=1 rho=-1\r\n",
                   "材料参数无效：密度ρ不能小于0", 3},
        SectionRow{"PlaneStrainAfterItsMaterial", HeadOnly + "material E=1 mu=0.5 t=1 rho=0\r\nproblem plane-strain\r\n",
                   messages::PoissonRatioTooLargePlaneStrain, 2},
        SectionRow{"GroupKind", Head + "group faces 1 \"\" 0\r\n", "未知的组类型 'faces'（应为 nodes、edges 或 region）", 4},
        SectionRow{"NameUnquoted", Head + "group nodes 1 top 0\r\n", "这一行应为 group nodes|edges|region 编号 \"名称\" 项数", 4},
        SectionRow{"NameUnclosed", Head + "group nodes 1 \"top 0\r\n",
                   "名称 \"top 0 无效：名称写在双引号中，其中的 \" 和 \\ 写作 \\\" 和 \\\\", 4},
        SectionRow{"NameBadEscape", Head + "group nodes 1 \"a\\qb\" 0\r\n",
                   "名称 \"a\\qb\" 0 无效：名称写在双引号中，其中的 \" 和 \\ 写作 \\\" 和 \\\\", 4},
        SectionRow{"NameRunsOn", Head + "group nodes 1 \"a\"b 0\r\n",
                   "名称 \"a\"b 0 无效：名称写在双引号中，其中的 \" 和 \\ 写作 \\\" 和 \\\\", 4},
        SectionRow{"NegativeCount", Head + "group nodes 1 \"\" -1\r\n", "数目 -1 不能为负数", 4},
        SectionRow{"NodeZero", Head + "group nodes 1 \"\" 2\r\n1 0\r\n", "结点号 0 不存在（模型有 12 个结点）", 5},
        SectionRow{"NodeBeyond", Head + "group nodes 1 \"\" 2\r\n12 13\r\n", "结点号 13 不存在（模型有 12 个结点）", 5},
        SectionRow{"ElementZero", Head + "group region 1 \"\" 1\r\n0\r\n", "单元号 0 不存在（模型有 10 个单元）", 5},
        SectionRow{"ElementBeyond", Head + "group region 1 \"\" 2\r\n10\r\n11\r\n", "单元号 11 不存在（模型有 10 个单元）", 6},
        SectionRow{"EdgeWithoutDash", Head + "group edges 1 \"\" 1\r\n12\r\n", "这一行应为 结点-结点 …", 5},
        SectionRow{"FewerItemsThenAStatement", Head + "group nodes 1 \"\" 3\r\n1 2\r\ngravity gx=0 gy=0\r\n",
                   "组 1 的项少于写明的 3 个", 6},
        SectionRow{"FewerItemsAtTheEnd", Head + "group nodes 7 \"top\" 3\r\n1 2\r\n", "组 top 的项少于写明的 3 个", 4},
        SectionRow{"MoreItems", Head + "group nodes 1 \"\" 2\r\n1 2 3\r\n", "这一行多出了 '3'", 5},
        SectionRow{"GroupTwice", Head + "group nodes 1 \"\" 0\r\ngroup nodes 1 \"b\" 0\r\n", "组 nodes 1 出现了两次", 5},
        SectionRow{"RegionMaterialOfANodeGroup", Head + "group nodes 1 \"\" 0\r\nregion-material \"1\" E=1 mu=0 rho=0\r\n",
                   "没有名为 '1' 的区域", 5},
        SectionRow{"RegionMaterialTwice",
                   Head + "region-material \"r\" E=1 mu=0 rho=0\r\nregion-material \"r\" E=2 mu=0 rho=0\r\n" +
                       "group region 1 \"r\" 0\r\n",
                   "区域 'r' 的材料写了两次", 5},
        SectionRow{"RegionMaterialInvalid", Head + "group region 1 \"\" 0\r\nregion-material \"1\" E=1 mu=-1 rho=0\r\n",
                   messages::PoissonRatioTooSmall, 5},
        SectionRow{"WaterShort", Head + "water 1-3 level=1\r\n", "这一行应为 water 结点-结点 level=… gamma=…", 4},
        SectionRow{"TractionNotANumber", Head + "traction 1-3 tx=a ty=0\r\n", "'a' is not a valid floating point value", 4},
        SectionRow{"PressureTwice", Head + "pressure 1-3 p=1\r\ntraction 1-3 tx=1 ty=0\r\npressure 1-3 p=1\r\n",
                   "边 1-3 的 pressure 写了两次（每条边每种荷载只能有一个）", 6},
        SectionRow{"WaterTwiceEndsTurned", Head + "water 3-1 level=1 gamma=1\r\nwater 1-3 level=2 gamma=1\r\n",
                   "边 1-3 的 water 写了两次（每条边每种荷载只能有一个）", 5},
        SectionRow{"MaterialSixthNotAlpha", HeadOnly + "material E=1 mu=0 t=1 rho=0 beta=1\r\n",
                   "这一行应为 material E=… mu=… t=… rho=… [alpha=…]", 2},
        SectionRow{"RegionAlphaNotANumber", Head + "region-material \"r\" E=1 mu=0 rho=0 alpha=1e-5x\r\n",
                   "'1e-5x' is not a valid floating point value", 4},
        SectionRow{"TemperatureTwice", Head + "temperature dt=1\r\ntemperature dt=2\r\n",
                   "temperature dt=… 行只能有一行", 5},
        SectionRow{"TemperatureWithoutDt", Head + "temperature \"r\"\r\n", "这一行应为 temperature [\"区域\"] dt=…", 4},
        SectionRow{"TemperatureRegionUnquoted", Head + "group region 1 \"r\" 0\r\ntemperature r dt=1\r\n",
                   "这一行应为 temperature [\"区域\"] dt=…", 5},
        SectionRow{"TemperatureOfNoRegion", Head + "group edges 1 \"r\" 0\r\ntemperature \"r\" dt=1\r\n",
                   "没有名为 'r' 的区域", 5},
        SectionRow{"RegionTemperatureTwice",
                   Head + "temperature \"r\" dt=1\r\ngroup region 1 \"r\" 0\r\ntemperature \"r\" dt=1\r\n",
                   "区域 'r' 的温度变化写了两次", 6},
        SectionRow{"TractionTwice", Head + "traction 12-10 tx=1 ty=0\r\nwater 10-12 level=2 gamma=1\r\n" +
                       "traction 12-10 tx=1 ty=0\r\n",
                   "边 12-10 的 traction 写了两次（每条边每种荷载只能有一个）", 6}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace trivane
