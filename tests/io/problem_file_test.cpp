#include "io/problem_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "model/errors.h"

namespace trivane {
namespace {

Model SmallModel() {
  Model m;
  m.nodeCount = 3;
  m.nodes[1] = Node{-10.0, 2.5, 0, 0, 0.0, 0.0};
  m.nodes[2] = Node{0.1, 123456789012345.0, FixedXY, 2, 1000.0, 270.0};
  m.nodes[3] = Node{1e-300, -0.0, FixedX, 0, -2.5e7, -45.0};
  m.elementCount = 2;
  m.elements[1] = Element{1, 2, 3};
  m.elements[2] = Element{1, 12, 345};
  return m;
}

// The section after the element lines is written on every save; the fixed
// lines before it stay as they were.
TEST(WriteProblem, EmptyModelIsTwoZeroLines) { EXPECT_EQ(WriteProblem(Model{}).substr(0, 19), "0\r\n0\r\n[Trivane 1]\r\n"); }

TEST(WriteProblem, LinesHaveTheirFixedColumns) {
  const std::string bytes = WriteProblem(SmallModel());
  EXPECT_EQ(bytes.substr(0, 6), "3\r\n2\r\n");
  const size_t node1 = 6, node2 = node1 + 96, element1 = node1 + 3 * 96;
  EXPECT_EQ(bytes.substr(node1, 96),
            "-1.00000000000000E+0001 2.50000000000000E+0000 0.00000000000000E+0000 0.00000000000000E+000000\r\n");
  EXPECT_EQ(bytes.substr(node2 + 46, 48), " 1.00000000000000E+0003 2.70000000000000E+000232");
  EXPECT_EQ(bytes.substr(element1, 47), "    1    2    3\r\n    1   12  345\r\n[Trivane 1]\r\n");
}

TEST(ProblemFile, SavedModelReopensTheSame) {
  Model saved = SmallModel();
  saved.elements[2] = Element{3, 2, 1};
  saved.material = Material{0.3, 7e10, 0.02};
  saved.entered = EnteredMaterial{PlaneStress, 7e10, 0.3, 0.02, 0.0};
  const Model read = ReadProblem(WriteProblem(saved), Model{});
  Model expected = saved;
  UpdateBounds(expected);
  EXPECT_TRUE(SameModel(read, expected));
  EXPECT_TRUE(std::signbit(read.nodes[3].y));
  EXPECT_EQ(read.bounds, (ModelBounds{123456789012345.0, -0.0, 0.1, -10.0}));
}

// A file without the section (written before it existed, or by another
// program) keeps the material of the model it is opened over.
TEST(ProblemFile, OpeningClearsTheOldModelButKeepsWhatLiesBeyondIt) {
  Model current = SmallModel();
  current.entered = EnteredMaterial{PlaneStrain, 3e10, 0.25, 0.5, 2400.0};
  current.material = Material{1.0 / 3.0, 3.2e10, 0.5};
  current.conditions.gravity = Gravity{0.0, -9.81};
  current.nodes[7] = Node{7, 7, 1, 1, 7, 7};  // beyond the count: not part of the model
  current.bounds = ModelBounds{9, 9, 9, 9};
  const std::string zero = std::string(22, ' ') + "0";
  const Model read =
      ReadProblem("1\r\n0\r\n" + std::string(20, ' ') + "5.0" + zero + zero + zero + "10\r\n \r\n\r\n", current);
  EXPECT_EQ(read.nodeCount, 1);
  EXPECT_EQ(read.elementCount, 0);
  EXPECT_EQ(read.nodes[1], (Node{5.0, 0.0, 1, 0, 0.0, 0.0}));
  EXPECT_EQ(read.nodes[2], Node{});      // cleared by the new-model step
  EXPECT_EQ(read.elements[1], Element{});
  EXPECT_EQ(read.nodes[7], current.nodes[7]);
  EXPECT_EQ(read.bounds, (ModelBounds{0.0, 0.0, 5.0, 5.0}));
  EXPECT_EQ(read.entered, current.entered);
  EXPECT_EQ(read.material, current.material);
  EXPECT_EQ(read.conditions, Conditions{});
}

TEST(ProblemFile, EmptyFileOfTwoZerosGivesBoundsOfTheClearedNodeOne) {
  const Model read = ReadProblem("0\r\n0\r\n", SmallModel());
  EXPECT_EQ(read.nodeCount, 0);
  EXPECT_EQ(read.bounds, ModelBounds{});
}

TEST(ProblemFile, ReaderAcceptsAnyNumberThatFitsItsColumnsAndAnyLineEnd) {
  const std::string node = "                    1.5" "                   -2e1" "                      0" "                     90" "31";
  const std::string bytes = "  1\n1\r" + node + "   trailing text\n    1    1    1 ignored";
  const Model read = ReadProblem(bytes, Model{});
  EXPECT_EQ(read.nodes[1], (Node{1.5, -20.0, 3, 1, 0.0, 90.0}));
  EXPECT_EQ(read.elements[1], (Element{1, 1, 1}));
}

struct BrokenRow {
  const char* name;
  std::string bytes;
  std::string message;
  int line;
};

class BrokenFile : public ::testing::TestWithParam<BrokenRow> {};

TEST_P(BrokenFile, IsRefusedWithTheLineAndLeavesTheModelAlone) {
  const Model current = SmallModel();
  try {
    ReadProblem(GetParam().bytes, current);
    FAIL() << "accepted";
  } catch (const LineError& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().message);
    EXPECT_EQ(e.line(), GetParam().line);
  }
  EXPECT_TRUE(SameModel(current, SmallModel()));
}

std::string GoodNode() { return WriteProblem(SmallModel()).substr(6, 94); }

INSTANTIATE_TEST_SUITE_P(
    Rows, BrokenFile,
    ::testing::Values(
        BrokenRow{"EmptyFile", "", "'' is not a valid integer value", 1},
        BrokenRow{"CountNotANumber", "x\r\n0\r\n", "'x' is not a valid integer value", 1},
        BrokenRow{"CountWithTrailingBlank", "0 \r\n0\r\n", "'0 ' is not a valid integer value", 1},
        BrokenRow{"MissingElementCount", "0\r\n", "'' is not a valid integer value", 2},
        BrokenRow{"MissingNodeLine", "2\r\n0\r\n" + GoodNode() + "\r\n", "'' is not a valid floating point value", 4},
        BrokenRow{"TruncatedNodeLine", "1\r\n0\r\n" + GoodNode().substr(0, 41) + "\r\n",
                  "' 2.50000000000000E' is not a valid floating point value", 3},
        BrokenRow{"NodeLineWithoutDigits", "1\r\n0\r\n" + GoodNode().substr(0, 92) + "\r\n",
                  "'' is not a valid integer value", 3},
        BrokenRow{"CommaInAField", "1\r\n0\r\n                    1,5" + GoodNode().substr(23) + "\r\n",
                  "'                    1,5' is not a valid floating point value", 3},
        BrokenRow{"MissingElementLine", "1\r\n2\r\n" + GoodNode() + "\r\n    1    1    1\r\n",
                  "'' is not a valid integer value", 5},
        BrokenRow{"ShortElementLine", "1\r\n1\r\n" + GoodNode() + "\r\n    1    1\r\n",
                  "'' is not a valid integer value", 4},
        BrokenRow{"TooManyNodes", "100000\r\n0\r\n", "结点数 100000 超出上限 99999", 1},
        BrokenRow{"NegativeNodeCount", "-1\r\n0\r\n", "结点数 -1 不能为负数", 1},
        BrokenRow{"TooManyElements", "0\r\n199999\r\n", "单元数 199999 超出上限 199998", 2},
        BrokenRow{"NegativeElementCount", "0\r\n-3\r\n", "单元数 -3 不能为负数", 2},
        // Counts the file cannot back: refused at the first missing line,
        // with nothing allocated for the count.
        BrokenRow{"HostileNodeCount", "99999\r\n0\r\n", "'' is not a valid floating point value", 3},
        BrokenRow{"HostileElementCount", "0\r\n199998\r\n", "'' is not a valid integer value", 3},
        BrokenRow{"CornerZero", "1\r\n1\r\n" + GoodNode() + "\r\n    1    0    1\r\n", "单元 1 的结点号 0 不存在", 4},
        BrokenRow{"CornerBeyondTheNodes", "1\r\n2\r\n" + GoodNode() + "\r\n    1    1    1\r\n    1    1    2\r\n",
                  "单元 2 的结点号 2 不存在", 5}),
    [](const auto& info) { return info.param.name; });

TEST(ProblemFile, FullCapacityRoundTrips) {
  auto m = std::make_unique<Model>();
  m->nodeCount = MaxNodes;
  m->elementCount = MaxElements;
  for (int32_t k = 1; k <= MaxNodes; ++k) {
    m->nodes[k] = Node{k * 0.5, -k * 0.25, k % 4, (k / 4) % 4, k * 1e3, k % 360 * 1.0};
  }
  for (int32_t j = 1; j <= MaxElements; ++j)
    m->elements[j] = Element{j % MaxNodes + 1, (j + 1) % MaxNodes + 1, (j + 2) % MaxNodes + 1};
  UpdateBounds(*m);
  EXPECT_TRUE(SameModel(ReadProblem(WriteProblem(*m), Model{}), *m));
}

}  // namespace
}  // namespace trivane
