// The adaptive loop's stops and failures, with a mesher and an analysis that
// play back a script: no Gmsh and no solve.
#include "analysis/adaptivity/adaptive_meshing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/errors.h"

namespace trivane {
namespace {

// A strip of unit squares, two triangles each, with `nodes` nodes (even).
Model Strip(int32_t nodes) {
  Model m;
  const int32_t columns = nodes / 2;
  for (int32_t i = 0; i < columns; ++i) {
    m.nodes[2 * i + 1] = Node{static_cast<double>(i), 0.0};
    m.nodes[2 * i + 2] = Node{static_cast<double>(i), 1.0};
  }
  m.nodeCount = nodes;
  for (int32_t i = 0; i + 1 < columns; ++i) {
    m.elements[++m.elementCount] = {2 * i + 1, 2 * i + 3, 2 * i + 4};
    m.elements[++m.elementCount] = {2 * i + 1, 2 * i + 4, 2 * i + 2};
  }
  return m;
}

class ScriptedMesher final : public Mesher {
 public:
  explicit ScriptedMesher(std::vector<int32_t> nodes) : nodes_(std::move(nodes)) {}
  std::optional<Model> Mesh(const SizeField* field, int32_t maxNodes) override {
    withField.push_back(field != nullptr);
    const int32_t nodes = nodes_.at(withField.size() - 1);
    if (nodes > maxNodes) return std::nullopt;
    return Strip(nodes);
  }
  std::vector<bool> withField;

 private:
  std::vector<int32_t> nodes_;
};

// Each round's eta; every element has the same error, and the solution norm is
// such that the size rule asks for sizes `refinement` times finer.
MeshAnalyser Scripted(std::vector<double> percents, double refinement = 1.5) {
  auto round = std::make_shared<std::size_t>(0);
  return [=](const Model& model, Solution&) {
    const double eta = percents.at((*round)++);
    MeshAnalysis a;
    a.elementErrors.assign(static_cast<std::size_t>(model.elementCount), 1.0);
    // e_bar = target * sqrt((u2 + m) / m) = 1 / refinement with a 5 % target.
    const double m = model.elementCount;
    a.solutionNormSquared = m / (0.05 * 0.05 * refinement * refinement) - m;
    a.errorPercent = eta;
    a.maxMises = 100.0 * static_cast<double>(*round);
    return a;
  };
}

struct StopRow {
  const char* name;
  std::vector<double> percents;
  std::vector<int32_t> nodes;  // of each mesh the mesher would make
  AdaptSettings settings;
  double refinement;
  AdaptStop stopped;
  int32_t rounds;
  int32_t meshes;  // how often the mesher was asked
};

const StopRow StopRows[] = {
    {"TargetMetInTheFirstRound", {4.0}, {20}, {}, 1.5, AdaptStop::Target, 1, 1},
    {"TargetMetExactly", {9.0, 5.0}, {20, 40}, {}, 1.5, AdaptStop::Target, 2, 2},
    {"StepsRunOut", {9.0, 8.0, 7.0}, {20, 40, 60}, {5.0, 1000, 3}, 1.5, AdaptStop::Steps, 3, 3},
    {"OneStep", {9.0}, {20}, {5.0, 1000, 1}, 1.5, AdaptStop::Steps, 1, 1},
    // The mesher finds the second mesh too large: the first is the result.
    {"NextMeshTooLarge", {9.0, 8.0}, {20, 120}, {5.0, 100, 8}, 1.5, AdaptStop::MaxNodes, 1, 2},
    {"NextMeshJustFits", {9.0, 4.0}, {20, 100}, {5.0, 100, 8}, 1.5, AdaptStop::Target, 2, 2},
    // Sizes four times finer on 18 elements predict 16 * 18 / 2 = 144 nodes,
    // over twice the limit of 71: the mesh is not even tried.
    {"PredictedFarTooLarge", {9.0, 8.0}, {20, 40}, {5.0, 71, 8}, 4.0, AdaptStop::MaxNodes, 1, 1},
    {"PredictedWithinTwiceTheLimit", {9.0, 4.0}, {20, 40}, {5.0, 73, 8}, 4.0, AdaptStop::Target, 2, 2},
};

class AdaptStops : public ::testing::TestWithParam<StopRow> {};

TEST_P(AdaptStops, SayWhyTheLoopEnded) {
  const StopRow& row = GetParam();
  ScriptedMesher mesher(row.nodes);
  int32_t conditioned = 0, heard = 0;
  const AdaptOutcome outcome = Adapt(
      mesher, [&](Model&) { ++conditioned; }, Scripted(row.percents, row.refinement), row.settings,
      [&](const AdaptRound&) { ++heard; });
  EXPECT_EQ(AdaptStopName(outcome.stopped), AdaptStopName(row.stopped));
  ASSERT_EQ(outcome.rounds.size(), static_cast<std::size_t>(row.rounds));
  EXPECT_EQ(heard, row.rounds);
  EXPECT_EQ(conditioned, row.rounds);
  EXPECT_EQ(mesher.withField.size(), static_cast<std::size_t>(row.meshes));
  for (std::size_t k = 0; k < mesher.withField.size(); ++k) EXPECT_EQ(mesher.withField[k], k > 0) << k;
  // The result is the last mesh that was analysed.
  const AdaptRound& last = outcome.rounds.back();
  EXPECT_EQ(last.nodes, row.nodes[static_cast<std::size_t>(row.rounds - 1)]);
  EXPECT_EQ(outcome.model.nodeCount, last.nodes);
  EXPECT_EQ(outcome.model.elementCount, last.elements);
  EXPECT_EQ(last.errorPercent, row.percents[static_cast<std::size_t>(row.rounds - 1)]);
  EXPECT_EQ(last.maxMises, 100.0 * row.rounds);
}

INSTANTIATE_TEST_SUITE_P(Rows, AdaptStops, ::testing::ValuesIn(StopRows),
                         [](const auto& info) { return info.param.name; });

TEST(Adapt, AFailureNamesItsRound) {
  ScriptedMesher mesher({20, 40});
  const MeshAnalyser failsSecond = [scripted = Scripted({9.0}), round = 0](const Model& m,
                                                                           Solution& t) mutable {
    if (++round == 2) throw Error(messages::SingularMatrix);
    return scripted(m, t);
  };
  try {
    Adapt(mesher, [](Model&) {}, failsSecond, {});
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "第 2 轮失败：Singular matrix.");
  }
  ScriptedMesher tooLarge({200});
  try {
    Adapt(tooLarge, [](Model&) {}, Scripted({9.0}), {5.0, 100, 8});
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "第 1 轮失败：网格的结点数超出上限 100");
  }
}

}  // namespace
}  // namespace trivane
