#include "app/session.h"

#include <algorithm>

#include "analysis/compute.h"
#include "app/exported_results.h"
#include "analysis/fields.h"
#include "app/line_results.h"
#include "display/principal_directions.h"
#include "display/smooth_plot.h"
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
      tables_(std::make_unique<AnalysisTables>()) {}

Session::~Session() = default;

void Session::Start(const std::string& palettePath) {
  ClearPicture(canvas_);
  palette_ = LoadPalette(palettePath);
}

void Session::Redraw() {
  DrawModel(canvas_, *model_, view_, &counts_);
  if (selection_.count > 0) DrawSelectionMarkers(canvas_, *model_, selection_, view_);
  shown_ = ShownPicture{};
}

std::vector<int32_t> Session::SelectedNodes() const {
  std::vector<int32_t> nodes(static_cast<std::size_t>(selection_.count));
  for (int32_t i = 1; i <= selection_.count; ++i) nodes[static_cast<std::size_t>(i - 1)] = selection_.nodes[i];
  return nodes;
}

void Session::Select(const std::vector<int32_t>& nodes) {
  selection_ = Selection{};
  for (int32_t k : nodes) selection_.nodes[++selection_.count] = k;
}

void Session::Change(const EditScope& scope, const std::function<void()>& edit) {
  Step step = Capture(*model_, scope);
  try {
    edit();
  } catch (...) {
    Exchange(step, *model_);
    throw;
  }
  if (!KeepChanged(step, *model_)) return;
  history_.Record(std::move(step));
  MarkModelEdited();
}

// A replaced model leaves the system, the results and the selection behind,
// as opening a file does; any other step puts the results out of date.
void Session::Moved(bool replacedModel, int32_t oldNodeCount) {
  if (replacedModel) {
    ClearSystem(*tables_, oldNodeCount);
    DiscardResults();
    selection_ = Selection{};
  } else {
    MarkModelEdited();
  }
  Redraw();
}

void Session::Undo() {
  const Step* step = history_.NextUndo();
  if (!step) return;
  const bool replaces = step->model != nullptr;
  const int32_t oldNodeCount = model_->nodeCount;
  history_.Undo(*model_);
  Moved(replaces, oldNodeCount);
}

void Session::Redo() {
  const Step* step = history_.NextRedo();
  if (!step) return;
  const bool replaces = step->model != nullptr;
  const int32_t oldNodeCount = model_->nodeCount;
  history_.Redo(*model_);
  Moved(replaces, oldNodeCount);
}

void Session::DiscardResults() {
  hasResults_ = false;
  outOfDate_ = false;
}

void Session::MarkModelEdited() { outOfDate_ = hasResults_; }

void Session::RequireResults() const {
  if (!hasResults_) throw Error(messages::ComputeFirst);
}

// The selection goes with the model: its numbers meant the old model's nodes.
void Session::NewModel() {
  const int32_t oldNodeCount = model_->nodeCount;
  Step step = Capture(*model_, EditScope::WholeModel());
  ClearModelTables(*model_);
  if (KeepChanged(step, *model_)) history_.RecordNewDocument(std::move(step));
  else history_.Saved("");
  ClearSystem(*tables_, oldNodeCount);
  selection_ = Selection{};
  DiscardResults();
  view_.fitted = true;
  Redraw();
}

// Opening replaces the model only when the whole file has been read; the
// analysis tables of the old model are then cleared as a new model would, and
// the history starts anew.
void Session::OpenProblem() {
  const auto path = chooser_.ChooseFileToOpen({ProblemOpenFilter});
  if (!path) return;
  Model opened = ReadProblem(ReadFileBytes(*path), *model_);
  ClearSystem(*tables_, model_->nodeCount);
  *model_ = std::move(opened);
  history_.Restart(*path);
  selection_ = Selection{};
  DiscardResults();
  view_.fitted = true;
  Redraw();
}

void Session::SaveProblem() {
  const auto path = chooser_.ChooseFileToSave(ProblemSaveFilter, ProblemExtension, history_.file());
  if (!path) return;
  // The window's save names a failure with the platform's file error text,
  // as it always has; the batch tool's writes say the path and the cause.
  try {
    SaveProblemFile(*path, *model_);
  } catch (const WriteError& error) {
    throw Error(messages::SaveFailed(error.systemError()));
  }
  history_.Saved(*path);
}

// The reader follows the chosen file's extension. A Gmsh mesh replaces the
// model as opening a problem file does: its numbering has nothing to do with
// the old model's, so the old conditions, selection and system would only
// land on unrelated nodes.
void Session::ImportMesh() {
  const auto path = chooser_.ChooseFileToOpen({MeshFilter, GmshMeshFilter});
  if (!path) return;
  const bool msh = HasExtension(*path, ".msh");
  Model imported = msh ? ImportMsh(ReadFileBytes(*path), *model_) : ImportAse(ReadFileBytes(*path), *model_);
  if (msh) ClearSystem(*tables_, model_->nodeCount);
  Change(EditScope::WholeModel(), [&] { *model_ = std::move(imported); });
  if (msh) selection_ = Selection{};
  DiscardResults();
  view_.fitted = true;
  Redraw();
}

// A failed compute keeps the results, and their state, as they were.
void Session::Compute() {
  trivane::Compute(*model_, *tables_, SolverChoice::Automatic, recovery_);
  hasResults_ = true;
  outOfDate_ = false;
}

void Session::SetRecovery(StressRecovery recovery) {
  recovery_ = recovery;
  if (hasResults_ && !outOfDate_) RecoverAgain(*model_, *tables_, recovery_);
}

void Session::DeformedPlot() {
  RequireResults();
  const DeformedScale scale =
      DrawDeformedShape(canvas_, *model_, Displacements(*tables_), view_, &counts_, plotOptions_.magnification);
  shown_ = ShownPicture{PictureKind::Deformed, 0, {}, scale};
}

void Session::StressPlot(int fieldIndex) {
  RequireResults();
  const auto field = static_cast<ResultField>(std::clamp(fieldIndex, 0, ResultFieldCount - 1));
  const ValueRange range =
      plotOptions_.smooth
          ? DrawSmoothPlot(canvas_, *model_, CornerFieldValues(*model_, *tables_, field), palette_, view_)
          : DrawStressPlot(canvas_, *model_, ElementFieldValues(*model_, *tables_, field), palette_, view_);
  if (plotOptions_.principal)
    DrawPrincipalDirections(canvas_, *model_, StressValues(*tables_, SigmaX), StressValues(*tables_, SigmaY),
                            StressValues(*tables_, TauXY), view_);
  shown_ = ShownPicture{PictureKind::Stress, static_cast<int>(field), range, {}};
}

void Session::BeginLinePick() {
  RequireResults();
  linePick_ = 0;
}

std::optional<std::pair<LinePoint, LinePoint>> Session::PickLinePoint(int x, int y) {
  if (linePick_ < 0 || view_.scale <= 0.0) return std::nullopt;
  const LinePoint point{view_.centreX + (x - view_.halfWidth) / view_.scale,
                        view_.centreY + (view_.halfHeight - y) / view_.scale};
  if (linePick_ == 0) {
    lineStart_ = point;
    linePick_ = 1;
    return std::nullopt;
  }
  linePick_ = -1;
  return std::pair{lineStart_, point};
}

LineProfile Session::LineGraph(int fieldIndex, LinePoint from, LinePoint to, int32_t points) const {
  RequireResults();
  const auto field = static_cast<ResultField>(std::clamp(fieldIndex, 0, ResultFieldCount - 1));
  return ProfileAlongLine(*model_, *tables_, field, from, to, points);
}

void Session::ExportResults() {
  RequireResults();
  const FileFilter filters[] = {VtuFilter, CsvFilter};
  const auto path = chooser_.ChooseExportFile(filters);
  if (!path) return;
  WriteResultsFile(*path, *model_, ExportedResultsOf(*tables_));
}

void Session::Resize() { Redraw(); }

}  // namespace trivane
