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
#include <string>
#include <string_view>
#include <vector>

#include "analysis/tables.h"
#include "app/history.h"
#include "app/ports.h"
#include "display/canvas.h"
#include "display/deformed_plot.h"
#include "display/model_drawing.h"
#include "display/palette.h"
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
enum class PictureKind { Model, Deformed, Stress };
struct ShownPicture {
  PictureKind kind = PictureKind::Model;
  int component = 0;            // a stress plot's list entry, 0 σx ... 5 τmax
  ValueRange range{};           // the values a stress plot painted
  DeformedScale deformed{};     // how a deformed plot is scaled
};

// What the probe found under the pointer: the nearest node within
// ProbeRadius pixels, else the element drawn on top there, else nothing.
struct ProbeHit {
  enum Kind { Nothing, Node, Element } kind = Nothing;
  int32_t number = 0;
  bool operator==(const ProbeHit&) const = default;
};
constexpr int ProbeRadius = 8;

// What a rubber band does with the selection: a plain drag replaces it, with
// Shift it adds to it, with Ctrl it removes from it.
enum class SelectionMode { Replace, Add, Remove };

// A region's row of the model-properties dialog: its label and the texts typed
// for its own material. Three empty texts mean it uses the model's material;
// one left empty in a filled row takes the model's value.
struct RegionMaterialTexts {
  std::string region;
  std::string E, mu, rho;
};

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
  void SaveProblem();
  void ImportMesh();

  // Analysis and results. The plots and the export need results of the
  // present model: without them they throw Error(ComputeFirst) and change
  // nothing.
  void Compute();
  void DeformedPlot();
  // componentIndex is the stress list's entry: 0 σx, 1 σy, 2 τxy, 3 σ1, 4 σ2, 5 τmax.
  void StressPlot(int componentIndex);
  // Asks for a .vtu or .csv file and writes the model with its results.
  void ExportResults();

  // A compute of the present model has completed: since the last new model,
  // open or import. Results stay when conditions or the material are edited.
  bool HasResults() const { return hasResults_; }
  // The conditions or the material changed after the results were computed.
  bool ResultsOutOfDate() const { return hasResults_ && outOfDate_; }

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
  void ApplyEdgeLoad(EdgeLoadKind kind, std::string_view aText, std::string_view bText);
  void RemoveEdgeLoads();
  void ApplyGravity(std::string_view gxText, std::string_view gyText);

  // The model-properties dialog's apply button: the model's material, then
  // each listed region's own, all or nothing. Without a density text the
  // density stays; regions not listed keep theirs.
  void ApplyMaterial(int problemType, std::string_view eText, std::string_view muText, std::string_view tText,
                     std::optional<std::string_view> rhoText = std::nullopt,
                     const std::vector<RegionMaterialTexts>& regions = {});

  // Undo and redo of every change to the model; opening a file starts anew.
  void Undo();
  void Redo();
  const History& history() const { return history_; }

  // The drawing surface changed size: refit and redraw with the markers.
  void Resize();

  // What lies under the pixel (x, y) of the picture shown; draws nothing.
  ProbeHit Probe(int x, int y) const;

  const Model& model() const { return *model_; }
  const Selection& selection() const { return selection_; }
  const RubberBand& band() const { return band_; }
  const ViewTransform& view() const { return view_; }
  const Palette& palette() const { return palette_; }
  const AnalysisTables& tables() const { return *tables_; }
  const ShownPicture& shown() const { return shown_; }
  // The model differs from the file it was last opened from or saved to, or,
  // without a file, from the new model.
  bool modified() const { return history_.modified(); }
  // The file last opened or saved; empty after a new model.
  const std::string& fileName() const { return history_.file(); }
  int32_t oneWayToggle() const { return oneWayToggle_; }
  int32_t twoWayToggle() const { return twoWayToggle_; }

 private:
  // The model view, with the markers of a kept selection.
  void Redraw();
  std::vector<int32_t> SelectedNodes() const;
  void Select(const std::vector<int32_t>& nodes);
  // Runs an edit of the parts `scope` names as one undo step. An edit that
  // throws is undone before the error goes on.
  void Change(const EditScope& scope, const std::function<void()>& edit);
  // A step of the history was undone or redone.
  void Moved(bool replacedModel, int32_t oldNodeCount);
  // The results lifecycle: a new model has none; an edit puts them out of date.
  void DiscardResults();
  void MarkModelEdited();
  void RequireResults() const;

  Canvas& canvas_;
  CountSink& counts_;
  FileChooser& chooser_;
  std::unique_ptr<Model> model_;
  std::unique_ptr<AnalysisTables> tables_;
  std::unique_ptr<NodeBackup> backup_;
  Selection selection_{};
  RubberBand band_{};
  ViewTransform view_{};
  Palette palette_{};
  ShownPicture shown_{};
  SelectionMode bandMode_ = SelectionMode::Replace;
  History history_;
  int32_t oneWayToggle_ = 1;
  int32_t twoWayToggle_ = 1;
  bool hasResults_ = false;
  bool outOfDate_ = false;
};

}  // namespace trivane
