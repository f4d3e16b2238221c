// Real files written by other programs.
#include <gtest/gtest.h>

#include "io/model_file.h"
#include "io/problem_file.h"
#include "model/errors.h"
#include "support/tolerance.h"

namespace trivane {
namespace {

using testing::DataPath;

std::string LoadError(const std::string& name) {
  try {
    LoadModelFile(DataPath(name));
  } catch (const Error& e) {
    return e.what();
  }
  return "loaded";
}

TEST(Samples, ThreeObjectsBecomeThreeSeparateCubes) {
  const Model m = LoadModelFile(DataPath("assimp_ThreeCubesGreen.ASE"));
  ASSERT_EQ(m.nodeCount, 24);
  ASSERT_EQ(m.elementCount, 36);
  for (int32_t j = 1; j <= m.elementCount; ++j) {
    const int32_t first = 1 + 8 * ((j - 1) / 12);  // each cube: 8 vertices, 12 faces
    for (const int32_t corner : m.elements[j].Nodes()) {
      EXPECT_GE(corner, first) << j;
      EXPECT_LT(corner, first + 8) << j;
    }
  }
  EXPECT_EQ(m.nodes[1].x, 0.0);
  EXPECT_EQ(m.nodes[1].y, -13.4349);
  EXPECT_EQ(m.bounds, (ModelBounds{326.7313, -130.7479, 0.0, -300.0}));
}

TEST(Samples, FlatPlaneInTheOtherPlaneImportsAsALine) {
  // This mesh lies in its file's x-y plane; the import reads x and z, and z is 0.
  const Model m = LoadModelFile(DataPath("assimp_UVTransform_Normal.ASE"));
  EXPECT_EQ(m.nodeCount, 25);
  EXPECT_EQ(m.elementCount, 32);
  EXPECT_EQ(m.bounds.ymin, 0.0);
  EXPECT_EQ(m.bounds.ymax, 0.0);
}

// Within the limits now, this mesh meets the vertex field rule: with two
// blanks before a coordinate, the field counted out for x is empty.
TEST(Samples, TwoBlankSeparatorsAreRefusedAtTheFirstVertex) {
  EXPECT_EQ(LoadError("unv_station15_mundo_tree.ase"), "'' is not a valid floating point value");
}

// Its vertex and face lines are laid out with tabs, so none is read as one.
TEST(Samples, MapCompilerLayoutIsRefusedWithAReason) {
  EXPECT_EQ(LoadError("unv_station15_tree01a.ase"), "文件中没有网格");
}

TEST(Samples, ImportedMeshSurvivesTheProblemFile) {
  const Model imported = LoadModelFile(DataPath("assimp_ThreeCubesGreen.ASE"));
  const Model reopened = ReadProblem(WriteProblem(imported), Model{});
  EXPECT_TRUE(SameModel(reopened, imported));
}

TEST(ModelFile, ExtensionChoosesTheReaderWhateverItsCase) {
  EXPECT_TRUE(HasExtension("a/b.TRV", ".trv"));
  EXPECT_TRUE(HasExtension("x.Ase", ".ase"));
  EXPECT_FALSE(HasExtension("trv", ".trv"));
  EXPECT_FALSE(HasExtension("model.trv.bak", ".trv"));
  const std::string name = DataPath("SOURCES.md");
  EXPECT_EQ(LoadError("SOURCES.md"), messages::UnknownModelFile(name));
}

}  // namespace
}  // namespace trivane
