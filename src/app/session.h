#pragma once
// The whole state of one running program and one method per user command.
// The window's handlers call these; each runs its steps in the order the
// command defines and reports failure by throwing trivane::Error with the text
// the user sees. Drawing goes to the canvas handed in, whose Width()/Height()
// are the visible drawing surface's current size.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/elements/finite_element.h"
#include "analysis/recovery/line_samples.h"
#include "analysis/recovery/patch_recovery.h"
#include "analysis/solution.h"
#include "app/history.h"
#include "app/ports.h"
#include "display/canvas.h"
#include "display/deformed_plot.h"
#include "display/model_drawing.h"
#include "display/palette.h"
#include "display/result_picture.h"
#include "display/stress_plot.h"
#include "display/view.h"
#include "model/model.h"

namespace trivane {

// Pixel state of the rubber band on the drawing surface.
struct RubberBand {
  int32_t dragging = 0;  // -1 from a press on the surface until its release
  int32_t bandX1 = 0;
  int32_t bandY1 = 0;
  int32_t bandX2 = 0;
  int32_t bandY2 = 0;
};

// What the drawing surface shows, for the values the window puts beside it.
struct ShownPicture {
  PictureKind kind = PictureKind::Model;
  int component = 0;            // a plot's field, its ResultField number
  ValueRange range{};           // the values a stress plot painted
  DeformedScale deformed{};     // how a deformed plot is scaled
};

// What the probe found under the pointer: the nearest node within its reach
// (ProbeRadius pixels, less on a fine mesh, see ProbeShareOfSide), else the
// element drawn on top there, else nothing.
struct ProbeHit {
  enum Kind { Nothing, Node, Element } kind = Nothing;
  int32_t number = 0;
  // The pointer in an element's own coordinates, where its field varies
  // inside it (a six-node triangle); else 0, 0.
  ReferencePoint at{};
  bool operator==(const ProbeHit&) const = default;
};
constexpr int ProbeRadius = 8;
// A node is picked only within this share of its shortest side on the screen
// (and within ProbeRadius), so that on a fine or far-out mesh the pointer
// between nodes reads the element there.
constexpr double ProbeShareOfSide = 0.25;
// One notch of the wheel, or one press of + or -, zooms by this factor.
constexpr double ZoomStep = 1.25;

// How the result plots are drawn: smooth (averaged at the nodes) or by element,
// with the principal directions on top, and the deformed plot's
// magnification (none: the largest displacement component 60 pixels long).
struct PlotOptions {
  bool smooth = false;
  bool principal = false;
  std::optional<double> magnification;
};

// What a rubber band does with the selection: a plain drag replaces it, with
// Shift it adds to it, with Ctrl it removes from it.
enum class SelectionMode { Replace, Add, Remove };

// A region's row of the model-properties dialog: its label and the texts typed
// for its own material. All texts empty mean it uses the model's material;
// one left empty in a filled row takes the model's value.
struct RegionMaterialTexts {
  std::string region;
  std::string E, mu, rho, alpha;
};

// What 温度… sets: the model's temperature change, or the own one of every
// region the selection covers (SelectedRegions).
enum class TemperatureTarget { Model, SelectedRegions };

class Session {
 public:
  // The canvas, counts and chooser must outlive the session.
  Session(Canvas& canvas, CountSink& counts, FileChooser& chooser);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Window creation: paints the surface black, then loads the palette. On a
  // palette error the palette stays black and the error is thrown.
  void Start(const std::string& palettePath);

  // File commands.
  void NewModel();
  void OpenProblem();
  // Opens the problem file at path, as OpenProblem does with the file chosen.
  void OpenProblemFile(const std::string& path);
  void SaveProblem();
  void ImportMesh();
  void ImportMeshFile(const std::string& path);
  // A file named at start-up: a mesh (.msh, .ase) is imported, any other
  // file opened as a problem file.
  void OpenFile(const std::string& path);

  // Analysis and results. The plots and the export need results of the
  // present model: without them they throw Error(ComputeFirst) and change
  // nothing. The export also refuses results an edit put out of date
  // (Error(ResultsOutOfDateComputeFirst)); the plots show them, marked so.
  void Compute();
  void DeformedPlot();
  // fieldIndex is the number of a ResultField, as the window's lists carry it.
  void StressPlot(int fieldIndex);
  // Where the window's status bar cannot hold a stress plot's legend, the
  // plot leaves LegendWidth pixels on the right of the drawing for it, and
  // the legend is drawn there as trivane-cli render --legend draws it
  // (LegendPlace::Within). A plot on show is drawn again the new way.
  void SetLegendInDrawing(bool inDrawing);
  bool LegendInDrawing() const { return legendInDrawing_; }
  // How the nodal stresses of the smooth plot, the error and the export are
  // recovered: patch recovery, or the area-weighted means. Present results
  // are recovered again at once (no solve); any others at the next compute.
  void SetRecovery(StressRecovery recovery);
  StressRecovery recovery() const { return recovery_; }
  // The options take effect with the next plot.
  void SetPlotOptions(const PlotOptions& options) { plotOptions_ = options; }
  const PlotOptions& plotOptions() const { return plotOptions_; }

  // 路径图: the next two presses on the drawing pick the line's ends instead
  // of starting a rubber band. PickLinePoint returns the line after the second.
  void BeginLinePick();
  bool PickingLine() const { return linePick_ >= 0; }
  std::optional<std::pair<LinePoint, LinePoint>> PickLinePoint(int x, int y);
  // The field along the line, from the present results.
  LineProfile LineGraph(int fieldIndex, LinePoint from, LinePoint to, int32_t points = 101) const;
  // Asks for a .vtu or .csv file and writes the model with its results.
  void ExportResults();

  // A compute of the present model has completed: since the last new model,
  // open or import. Results stay when conditions or the material are edited.
  bool HasResults() const { return solution_ != nullptr; }
  // The conditions or the material changed after the results were computed.
  bool ResultsOutOfDate() const { return HasResults() && outOfDate_; }

  // Rubber-band selection, in pixels of the drawing surface. The press
  // decides what the band does with the selection.
  void MouseDown(int x, int y, SelectionMode mode = SelectionMode::Replace);
  void MouseMove(int x, int y);
  void MouseUp(int x, int y);
  // Selects the nodes of conditions.groups[index], replacing the selection.
  void SelectGroup(std::size_t index);

  // Conditions on the selected nodes. A command that changes the model is
  // one undo step; one that fails changes nothing.
  void OneWayRestraint();
  void TwoWayRestraint();
  void DeleteRestraint();
  void ApplyLoad(std::string_view loadText, std::string_view angleText);

  // Loads on the boundary edges whose two ends are both selected. Without
  // such an edge they throw Error(NoBoundaryEdgeSelected) and change nothing.
  std::vector<Edge> SelectedBoundaryEdges() const;
  // aText and bText as EdgeLoad's a and b; bText is not read for a pressure.
  // The load replaces the one of its kind on each edge (SetEdgeLoads).
  void ApplyEdgeLoad(EdgeLoadKind kind, std::string_view aText, std::string_view bText);
  void RemoveEdgeLoads();
  // 自重…: gravity, and in an axisymmetric model the spin (rad/s); without a
  // spin text the spin stays.
  void ApplyGravity(std::string_view gxText, std::string_view gyText,
                    std::optional<std::string_view> spinText = std::nullopt);

  // The regions whose every node is selected, by label in group order: what
  // the selection names when a command acts on regions.
  std::vector<std::string> SelectedRegions() const;
  // 温度…: the temperature change, K, of the target. For the selected regions
  // an empty text drops their own, so that they take the model's again;
  // without a region selected it throws Error(NoRegionSelected).
  void ApplyTemperature(TemperatureTarget target, std::string_view dtText);

  // The model-properties dialog's apply button: the model's material, then
  // each listed region's own, all or nothing. Without a density or an
  // expansion text that value stays; regions not listed keep theirs. An
  // axisymmetric model has no thickness: its text is not read.
  void ApplyMaterial(int problemType, std::string_view eText, std::string_view muText, std::string_view tText,
                     std::optional<std::string_view> rhoText = std::nullopt,
                     std::optional<std::string_view> alphaText = std::nullopt,
                     const std::vector<RegionMaterialTexts>& regions = {});

  // Undo and redo of every change to the model; opening a file starts anew.
  void Undo();
  void Redo();
  const History& history() const { return history_; }

  // The drawing surface changed size: the picture shown is drawn again at the
  // new size (a fitted view refits), with the markers.
  void Resize();

  // Moving the view (the 视图 menu, the wheel, drags and keys): the picture
  // shown is drawn again in the new view; the markers, the band's hit test
  // and the probe follow it. factor > 1 magnifies.
  void ZoomAt(int x, int y, double factor);  // keeps the point under (x, y)
  void Zoom(double factor);                  // about the centre
  void Pan(int dx, int dy);                  // the picture moves by (dx, dy)
  void FitWhole();                           // 全图

  // What lies under the pixel (x, y) of the picture shown; draws nothing.
  ProbeHit Probe(int x, int y) const;

  const Model& model() const { return *model_; }
  const Selection& selection() const { return selection_; }
  const RubberBand& band() const { return band_; }
  const ViewTransform& view() const { return view_; }
  const Palette& palette() const { return palette_; }
  // The results of the last completed compute; requires HasResults().
  const Solution& solution() const { return *solution_; }
  const ShownPicture& shown() const { return shown_; }
  // The model differs from the file it was last opened from or saved to, or,
  // without a file, from the new model.
  bool modified() const { return history_.modified(); }
  // The file last opened or saved; empty after a new model.
  const std::string& fileName() const { return history_.file(); }
  int32_t oneWayToggle() const { return oneWayToggle_; }
  int32_t twoWayToggle() const { return twoWayToggle_; }

 private:
  // The model view.
  void Redraw();
  // Draws the picture in the present view, with the markers of a kept
  // selection, and shows it.
  void Draw(PictureSpec spec);
  // A result plot drawn as the plot options say.
  PictureSpec PlotSpec(PictureKind kind, ResultField field) const;
  void RedrawShown();
  std::vector<int32_t> SelectedNodes() const;
  void Select(const std::vector<int32_t>& nodes);
  // Runs an edit of the parts `scope` names as one undo step. An edit that
  // throws is undone before the error goes on.
  void Change(const EditScope& scope, const std::function<void()>& edit);
  // A step of the history was undone or redone.
  void Moved(bool replacedModel);
  // The results lifecycle: a new model has none; an edit puts them out of date.
  void DiscardResults();
  void MarkModelEdited();
  void RequireResults() const;

  Canvas& canvas_;
  CountSink& counts_;
  FileChooser& chooser_;
  std::unique_ptr<Model> model_;
  std::unique_ptr<const Solution> solution_;  // null until a compute succeeds
  Selection selection_{};
  RubberBand band_{};
  ViewTransform view_{};
  Palette palette_{};
  ShownPicture shown_{};
  SelectionMode bandMode_ = SelectionMode::Replace;
  History history_;
  PlotOptions plotOptions_{};
  int linePick_ = -1;  // points picked so far while picking a line, -1 otherwise
  LinePoint lineStart_{};
  int32_t oneWayToggle_ = 1;
  int32_t twoWayToggle_ = 1;
  bool legendInDrawing_ = false;
  StressRecovery recovery_ = StressRecovery::Patch;
  bool outOfDate_ = false;
};

}  // namespace trivane
