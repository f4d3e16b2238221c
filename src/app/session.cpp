#include "app/session.h"

#include "analysis/compute.h"
#include "app/exported_results.h"
#include "display/mesh.h"
#include "io/ase_import.h"
#include "io/files.h"
#include "io/model_file.h"
#include "io/msh_import.h"
#include "io/problem_file.h"
#include "io/results_files.h"
#include "model/errors.h"

namespace trivane {

Session::Session(Canvas& canvas, CountSink& counts, FileChooser& chooser)
    : canvas_(canvas),
      counts_(counts),
      chooser_(chooser),
      model_(std::make_unique<Model>()),
      tables_(std::make_unique<AnalysisTables>()),
      backup_(std::make_unique<NodeBackup>()) {}

Session::~Session() = default;

void Session::Start(const std::string& palettePath) {
  ClearPicture(canvas_);
  palette_ = LoadPalette(palettePath);
}

void Session::Redraw() {
  DrawModel(canvas_, *model_, view_, &counts_);
  shown_ = ShownPicture{};
}

void Session::RedrawWithMarkers() {
  Redraw();
  DrawSelectionMarkers(canvas_, *model_, selection_, view_);
}

void Session::DiscardResults() {
  hasResults_ = false;
  outOfDate_ = false;
}

void Session::MarkModelEdited() { outOfDate_ = hasResults_; }

void Session::RequireResults() const {
  if (!hasResults_) throw Error(messages::ComputeFirst);
}

void Session::NewModel() {
  const int32_t oldNodeCount = model_->nodeCount;
  ClearModelTables(*model_);
  ClearSystem(*tables_, oldNodeCount);
  modified_ = false;
  DiscardResults();
  Redraw();
}

// Opening replaces the model only when the whole file has been read; the
// analysis tables of the old model are then cleared as a new model would.
void Session::OpenProblem() {
  const auto path = chooser_.ChooseFileToOpen({ProblemOpenFilter});
  if (!path) return;
  Model opened = ReadProblem(ReadFileBytes(*path), *model_);
  ClearSystem(*tables_, model_->nodeCount);
  *model_ = opened;
  modified_ = false;
  DiscardResults();
  Redraw();
}

void Session::SaveProblem() {
  const auto path = chooser_.ChooseFileToSave(ProblemSaveFilter, ProblemExtension);
  if (!path) return;
  SaveProblemFile(*path, *model_);
  modified_ = false;
}

// The reader follows the chosen file's extension. A Gmsh mesh replaces the
// model as opening a problem file does: its numbering has nothing to do with
// the old model's, so the old conditions, selection and system would only
// land on unrelated nodes.
void Session::ImportMesh() {
  const auto path = chooser_.ChooseFileToOpen({MeshFilter, GmshMeshFilter});
  if (!path) return;
  if (HasExtension(*path, ".msh")) {
    Model imported = ImportMsh(ReadFileBytes(*path), *model_);
    ClearSystem(*tables_, model_->nodeCount);
    *model_ = std::move(imported);
    selection_ = Selection{};
  } else {
    *model_ = ImportAse(ReadFileBytes(*path), *model_);
  }
  modified_ = true;
  DiscardResults();
  Redraw();
}

// A failed compute keeps the results, and their state, as they were.
void Session::Compute() {
  trivane::Compute(*model_, *tables_);
  hasResults_ = true;
  outOfDate_ = false;
}

void Session::DeformedPlot() {
  RequireResults();
  DrawDeformedShape(canvas_, *model_, *backup_, Displacements(*tables_), view_, &counts_);
  shown_ = ShownPicture{PictureKind::Deformed, 0, {}, DeformedScaleOf(*model_, Displacements(*tables_), view_.scale)};
}

void Session::StressPlot(int componentIndex) {
  RequireResults();
  const ValueRange range =
      DrawStressPlot(canvas_, *model_, StressValues(*tables_, componentIndex + 1), palette_, view_);
  shown_ = ShownPicture{PictureKind::Stress, componentIndex, range, 0.0};
}

void Session::ExportResults() {
  RequireResults();
  const FileFilter filters[] = {VtuFilter, CsvFilter};
  const auto path = chooser_.ChooseExportFile(filters);
  if (!path) return;
  WriteResultsFile(*path, *model_, ExportedResultsOf(*tables_));
}

void Session::Resize() { RedrawWithMarkers(); }

}  // namespace trivane
