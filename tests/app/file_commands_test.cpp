// Opening, saving, importing and clearing the model through the command layer.
#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/compute.h"
#include "fakes.h"
#include "io/files.h"
#include "io/msh_import.h"
#include "io/problem_file.h"
#include "model/errors.h"
#include "support/tolerance.h"

namespace trivane::testing {
namespace {

TEST(OpenProblem, ReplacesTheModelAndRedrawsWithItsCounts) {
  Harness h;
  h.Load(Cantilever());
  ASSERT_EQ(h.chooser.asked.size(), 1u);
  EXPECT_EQ(h.chooser.asked[0].label, "平面问题(*.trv)");
  EXPECT_EQ(h.chooser.asked[0].pattern, "*.trv");
  EXPECT_TRUE(SameModel(h.session.model(), Cantilever()));
  EXPECT_EQ(h.status.nodeCount, 4);
  EXPECT_EQ(h.status.elementCount, 2);
  EXPECT_FALSE(h.canvas.Calls().empty());
}

TEST(OpenProblem, CancelOrAFaultyFileLeavesEverythingAsItWas) {
  Harness h;
  h.Load(Cantilever());
  h.session.Compute();
  const double u3 = DisplacementU(h.session.solution(), 3);
  const size_t drawn = h.canvas.Calls().size();

  h.session.OpenProblem();  // cancelled
  h.chooser.Answer(h.folder.Write("short.trv", "5\r\n1\r\n"));
  EXPECT_THROW(h.session.OpenProblem(), Error);
  h.chooser.Answer(h.folder.File("missing.trv"));
  EXPECT_THROW(h.session.OpenProblem(), Error);

  EXPECT_TRUE(SameModel(h.session.model(), Cantilever()));
  EXPECT_EQ(DisplacementU(h.session.solution(), 3), u3);
  EXPECT_EQ(h.canvas.Calls().size(), drawn);
}

// The material is the file's; a file without the section after its element
// lines (an older one) keeps the material in force. The selection's numbers
// meant the old model's nodes: it goes.
TEST(OpenProblem, ClearsTheOldModelsSystemAndSelectionTakesTheFilesMaterial) {
  Harness h;
  h.Load(Cantilever());
  h.session.ApplyMaterial(PlaneStress, "3E10", "0.25", "0.5");
  h.SelectAll();
  h.session.Compute();
  ASSERT_NE(DisplacementV(h.session.solution(), 3), 0.0);

  Model small;
  small.nodeCount = 1;
  h.Load(small);
  EXPECT_FALSE(h.session.HasResults());
  EXPECT_EQ(h.session.model().material, Material{});
  EXPECT_EQ(h.session.selection().count, 0);

  h.session.ApplyMaterial(PlaneStress, "3E10", "0.25", "0.5");
  const std::string bytes = WriteProblem(small);
  h.chooser.Answer(h.folder.Write("older.trv", bytes.substr(0, bytes.find("[Trivane 1]"))));
  h.session.OpenProblem();
  EXPECT_EQ(h.session.model().material, (Material{0.25, 3e10, 0.5}));
}

TEST(SaveProblem, AsksWithTheSaveFilterAndWritesTheModel) {
  Harness h;
  h.Load(Cantilever());
  const std::string path = h.folder.File("saved.trv");
  h.chooser.Answer(path);
  h.session.SaveProblem();
  ASSERT_EQ(h.chooser.asked.size(), 2u);
  EXPECT_EQ(h.chooser.asked[1].label, "平面问题文件(*.trv)");
  EXPECT_EQ(h.chooser.asked[1].extension, "trv");
  EXPECT_EQ(ReadFileBytes(path), WriteProblem(Cantilever()));

  h.session.SaveProblem();  // cancelled
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(h.folder.File("")),
                          std::filesystem::directory_iterator{}),
            2);
}

// The window's save keeps the platform's file error texts; only the batch
// tool's outputs name the path in Chinese.
TEST(SaveProblem, AFailureIsNamedWithThePlatformsFileErrorText) {
  Harness h;
  h.Load(Cantilever());
  for (const auto& [path, text] : {std::pair{h.folder.File("no-folder/saved.trv"), "File not found"},
                                   std::pair{h.folder.File(""), "Invalid filename"}}) {
    h.chooser.Answer(path);
    try {
      h.session.SaveProblem();
      ADD_FAILURE() << path;
    } catch (const Error& error) {
      EXPECT_STREQ(error.what(), text);
    }
  }
}

TEST(NewModel, EmptiesTablesSystemAndSelectionButNotMaterialOrToggles) {
  Harness h;
  h.Load(Cantilever());
  h.session.Compute();
  h.SelectAll();
  h.session.OneWayRestraint();
  h.session.NewModel();
  EXPECT_EQ(h.session.model().nodeCount, 0);
  EXPECT_EQ(h.session.model().elementCount, 0);
  EXPECT_EQ(h.session.model().nodes[3], Node{});
  EXPECT_EQ(h.session.model().bounds, Cantilever().bounds);
  EXPECT_FALSE(h.session.HasResults());
  EXPECT_EQ(h.session.selection().count, 0);
  EXPECT_EQ(h.session.oneWayToggle(), 2);
  EXPECT_EQ(h.status.nodeCount, 0);
  EXPECT_EQ(h.status.elementCount, 0);
}

TEST(ImportMesh, AsksForAMeshAndOverwritesNodesKeepingTheirConditions) {
  Harness h;
  h.Load(Cantilever());
  const std::string ase =
      "*MESH {\r\n"
      "\t*MESH_NUMFACES 1\r\n"
      "\t*MESH_VERTEX    0\t-10.0000\t5.0000\t0.0000\r\n"
      "\t*MESH_VERTEX    1\t10.0000\t5.0000\t0.0000\r\n"
      "\t*MESH_VERTEX    2\t0.0000\t5.0000\t8.0000\r\n"
      "\t*MESH_FACE    0:    A:    0 B:    1 C:    2 AB:    1 BC:    1 CA:    1\r\n"
      "}\r\n";
  h.chooser.Answer(h.folder.Write("tri.ase", ase));
  h.session.ImportMesh();
  EXPECT_EQ(h.chooser.asked.back().label, "三维模型ASCII码文件");
  EXPECT_EQ(h.chooser.asked.back().pattern, "*.ase");
  const Model& m = h.session.model();
  EXPECT_EQ(m.nodeCount, 3);
  EXPECT_EQ(m.elementCount, 1);
  EXPECT_EQ(m.nodes[1].x, -10.0);
  EXPECT_EQ(m.nodes[3].y, 8.0);
  EXPECT_EQ(m.nodes[3].load, 1000.0);  // kept from the cantilever's node 3
  EXPECT_EQ(m.elements[1], (Element{1, 2, 3}));
  EXPECT_EQ(h.status.nodeCount, 3);
}

TEST(ImportMesh, OffersGmshMeshesSecondAndAGmshMeshReplacesTheModel) {
  Harness h;
  h.Load(Cantilever());
  h.session.ApplyMaterial(PlaneStress, "3E10", "0.25", "0.5");
  h.SelectAll();
  h.session.Compute();
  const std::string path = DataPath("gmsh/plate-41.msh");
  h.chooser.Answer(path);
  h.session.ImportMesh();

  const std::vector<FileFilter>& filters = h.chooser.asked.back().filters;
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[0].label, "三维模型ASCII码文件");
  EXPECT_EQ(filters[1].label, "Gmsh网格文件");
  EXPECT_EQ(filters[1].pattern, "*.msh");
  // The cantilever's supports and load do not land on the mesh's nodes 1..4.
  Model expected = ImportMsh(ReadFileBytes(path), Model{});
  expected.material = Material{0.25, 3e10, 0.5};
  expected.entered = EnteredMaterial{PlaneStress, 3e10, 0.25, 0.5, 0.0};
  EXPECT_TRUE(SameModel(h.session.model(), expected));
  EXPECT_EQ(h.session.selection().count, 0);
  EXPECT_FALSE(h.session.HasResults());
  EXPECT_EQ(h.status.nodeCount, 65);
}

TEST(ImportMesh, ARefusedGmshMeshChangesNothing) {
  Harness h;
  h.Load(Cantilever());
  h.SelectAll();
  h.chooser.Answer(DataPath("gmsh/order2-22.msh"));
  EXPECT_THROW(h.session.ImportMesh(), Error);
  EXPECT_TRUE(SameModel(h.session.model(), Cantilever()));
  EXPECT_EQ(h.session.selection().count, 4);
}

TEST(Start, PaintsBlackThenReportsAMissingPaletteKeepingItBlack) {
  Harness h;
  const std::string missing = h.folder.File("color.bmp");
  EXPECT_THROW(h.session.Start(missing), Error);
  ASSERT_EQ(h.canvas.Calls().size(), 1u);
  const DrawCall& fill = h.canvas.Calls()[0];
  EXPECT_EQ(fill.kind, Primitive::Rectangle);
  EXPECT_EQ(fill.points, (std::vector<Pixel>{{0, 0}, {800, 600}}));
  EXPECT_EQ(fill.attributes.brushColour, (Rgb{0, 0, 0}));
  EXPECT_EQ(h.session.palette().colours[0], (Rgb{0, 0, 0}));
}

}  // namespace
}  // namespace trivane::testing
