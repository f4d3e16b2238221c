#include "app/session.h"

#include <algorithm>
#include <cassert>

#include "analysis/compute.h"
#include "app/exported_results.h"
#include "app/line_results.h"
#include "app/line_snap.h"
#include "display/mesh.h"
#include "io/ase_import.h"
#include "io/files.h"
#include "io/model_file.h"
#include "io/msh_import.h"
#include "io/problem_file.h"
#include "io/results_files.h"
#include "model/errors.h"
#include "model/result_fields.h"

namespace trivane {

Session::Session(Canvas& canvas, CountSink& counts, FileChooser& chooser)
    : canvas_(canvas),
      counts_(counts),
      chooser_(chooser),
      model_(std::make_unique<Model>()) {}

Session::~Session() = default;

void Session::Start(const std::string& palettePath) {
  ClearPicture(canvas_);
  palette_ = LoadPalette(palettePath);
}

void Session::Draw(PictureSpec spec) {
  spec.view = view_;
  const DrawnPicture drawn =
      DrawResultPicture(canvas_, spec, {*model_, solution_.get(), palette_, &counts_, &selection_});
  view_ = drawn.view;
  shown_ = ShownPicture{spec.kind, static_cast<int>(spec.field), drawn.range, drawn.deformed};
}

void Session::Redraw() { Draw({}); }

std::vector<int32_t> Session::SelectedNodes() const {
  std::vector<int32_t> nodes(static_cast<std::size_t>(selection_.count));
  for (int32_t i = 1; i <= selection_.count; ++i) nodes[static_cast<std::size_t>(i - 1)] = selection_.nodes[i];
  return nodes;
}

void Session::Select(const std::vector<int32_t>& nodes) {
  selection_ = Selection{};
  for (int32_t k : nodes) selection_.nodes[++selection_.count] = k;
}

// A debugging build checks that the edit kept to its scope: a part it changed
// outside it would stay changed by the undo, a gap no user would see at once.
void Session::Change(const EditScope& scope, const std::function<void()>& edit) {
  Step step = Capture(*model_, scope);
#ifndef NDEBUG
  const Model before = *model_;
#endif
  try {
    edit();
  } catch (...) {
    Exchange(step, *model_);
    throw;
  }
  assert(ChangedOnlyWithin(before, *model_, scope) && "an edit changed a part its undo step does not hold");
  if (!KeepChanged(step, *model_)) return;
  history_.Record(std::move(step));
  MarkModelEdited();
}

// A replaced model leaves the results and the selection behind, as opening a
// file does; any other step puts the results out of date.
void Session::Moved(bool replacedModel) {
  if (replacedModel) {
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
  history_.Undo(*model_);
  Moved(replaces);
}

void Session::Redo() {
  const Step* step = history_.NextRedo();
  if (!step) return;
  const bool replaces = step->model != nullptr;
  history_.Redo(*model_);
  Moved(replaces);
}

void Session::DiscardResults() {
  solution_.reset();
  outOfDate_ = false;
}

void Session::MarkModelEdited() { outOfDate_ = HasResults(); }

void Session::RequireResults() const {
  if (!HasResults()) throw Error(messages::ComputeFirst);
}

// The selection goes with the model: its numbers meant the old model's nodes.
void Session::NewModel() {
  Step step = Capture(*model_, EditScope::WholeModel());
  ClearModelTables(*model_);
  if (KeepChanged(step, *model_)) history_.RecordNewDocument(std::move(step));
  else history_.Saved("");
  selection_ = Selection{};
  DiscardResults();
  view_.fitted = true;
  Redraw();
}

// Opening replaces the model only when the whole file has been read; the
// results of the old model then go, and the history starts anew.
void Session::OpenProblem() {
  const auto path = chooser_.ChooseFileToOpen({ProblemOpenFilter});
  if (path) OpenProblemFile(*path);
}

void Session::OpenProblemFile(const std::string& path) {
  Model opened = ReadProblem(ReadFileBytes(path), *model_);
  *model_ = std::move(opened);
  history_.Restart(path);
  selection_ = Selection{};
  DiscardResults();
  view_.fitted = true;
  Redraw();
}

// A mesh is imported, anything else opened as a problem file.
void Session::OpenFile(const std::string& path) {
  if (HasExtension(path, ".msh") || HasExtension(path, ".ase")) return ImportMeshFile(path);
  OpenProblemFile(path);
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
// the old model's, so the old conditions and selection would only
// land on unrelated nodes.
void Session::ImportMesh() {
  const auto path = chooser_.ChooseFileToOpen({MeshFilter, GmshMeshFilter});
  if (path) ImportMeshFile(*path);
}

void Session::ImportMeshFile(const std::string& path) {
  const bool msh = HasExtension(path, ".msh");
  Model imported = msh ? ImportMsh(ReadFileBytes(path), *model_) : ImportAse(ReadFileBytes(path), *model_);
  Change(EditScope::WholeModel(), [&] { *model_ = std::move(imported); });
  if (msh) selection_ = Selection{};
  DiscardResults();
  view_.fitted = true;
  Redraw();
}

// A failed compute keeps the results, and their state, as they were: the new
// solution takes their place only once it is complete.
void Session::Compute() {
  solution_ = std::make_unique<const Solution>(trivane::Compute(*model_, SolverChoice::Automatic, recovery_));
  outOfDate_ = false;
}

void Session::SetRecovery(StressRecovery recovery) {
  recovery_ = recovery;
  if (solution_ && !outOfDate_)
    solution_ = std::make_unique<const Solution>(RecoverAgain(*model_, *solution_, recovery_));
}

void Session::DeformedPlot() {
  RequireResults();
  Draw(PlotSpec(PictureKind::Deformed, ResultField::SigmaX));
}

void Session::StressPlot(int fieldIndex) {
  RequireResults();
  Draw(PlotSpec(PictureKind::Stress, static_cast<ResultField>(std::clamp(fieldIndex, 0, ResultFieldCount - 1))));
}

// The deformed plot's scale is in the window's readout, never in the drawing.
PictureSpec Session::PlotSpec(PictureKind kind, ResultField field) const {
  PictureSpec spec;
  spec.kind = kind;
  spec.field = field;
  spec.smooth = plotOptions_.smooth;
  spec.principal = plotOptions_.principal;
  spec.magnification = plotOptions_.magnification;
  if (kind == PictureKind::Stress && legendInDrawing_) spec.legend = LegendPlace::Within;
  return spec;
}

void Session::SetLegendInDrawing(bool inDrawing) {
  if (inDrawing == legendInDrawing_) return;
  legendInDrawing_ = inDrawing;
  if (shown_.kind == PictureKind::Stress) RedrawShown();
}

void Session::BeginLinePick() {
  RequireResults();
  linePick_ = 0;
}

std::optional<std::pair<LinePoint, LinePoint>> Session::PickLinePoint(int x, int y) {
  if (linePick_ < 0 || view_.scale <= 0.0) return std::nullopt;
  const LinePoint point = SnapLineEnd(*model_, view_, x, y);
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
  return ProfileAlongLine(*model_, *solution_, field, from, to, points);
}

// Results of an edited model would go out under the model they do not
// belong to, with nothing in the file to say so.
void Session::ExportResults() {
  RequireResults();
  if (outOfDate_) throw Error(messages::ResultsOutOfDateComputeFirst);
  const FileFilter filters[] = {VtuFilter, CsvFilter};
  const auto path = chooser_.ChooseExportFile(filters);
  if (!path) return;
  WriteResultsFile(*path, *model_, ExportedResultsOf(*solution_));
}

void Session::Resize() { RedrawShown(); }

}  // namespace trivane
