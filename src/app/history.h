#pragma once
// Undo and redo of every change to the model, and which state of the model
// the file on disk holds.
//
// A step keeps only what its change touched: the node records it changed, the
// edge-load list, gravity and spin, the material or the temperatures; only a command that replaces the
// whole model (a mesh import, a new model) keeps a whole model. A step holds
// those parts as they are on the other side of the change (before it while it
// is done, after it once undone), so undo and redo are the same exchange.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/model.h"

namespace trivane {

// What an edit may change: the parts a step captures before it runs.
struct EditScope {
  std::span<const int32_t> nodes{};  // node records, each number once
  bool edgeLoads = false;
  bool bodyLoads = false;  // gravity and spin, which 自重… sets together
  bool material = false;   // the model's material as entered and formed, and the regions' materials
  bool temperature = false;  // the model's and the regions' temperature changes
  bool wholeModel = false;

  static EditScope Nodes(std::span<const int32_t> nodes) { return {.nodes = nodes}; }
  static EditScope EdgeLoads() { return {.edgeLoads = true}; }
  static EditScope BodyLoads() { return {.bodyLoads = true}; }
  static EditScope Materials() { return {.material = true}; }
  static EditScope Temperatures() { return {.temperature = true}; }
  static EditScope WholeModel() { return {.wholeModel = true}; }
};

struct BodyLoadParts {
  Gravity gravity;
  double spin = 0.0;
  bool operator==(const BodyLoadParts&) const = default;
};

struct NodeRecord {
  int32_t number = 0;
  Node node;
};

struct MaterialParts {
  Material material;
  EnteredMaterial entered;
  std::vector<RegionMaterial> regions;
  bool operator==(const MaterialParts&) const = default;
};

struct Step {
  std::vector<NodeRecord> nodes;
  std::optional<std::vector<EdgeLoad>> edgeLoads;
  std::optional<BodyLoadParts> bodyLoads;
  std::optional<MaterialParts> material;
  std::optional<Temperature> temperature;
  std::unique_ptr<Model> model;
  // A step that began a new document: the file and saved state of the other side.
  struct Document {
    std::string file;
    uint64_t savedState = 0;
  };
  std::optional<Document> document;
  uint64_t stateBefore = 0;
  uint64_t stateAfter = 0;
};

// The parts of `model` that `scope` names, as they are now.
Step Capture(const Model& model, const EditScope& scope);
// Keeps of the captured parts only those that now differ in `model`; false
// when none does, and the edit changed nothing.
bool KeepChanged(Step& step, const Model& model);
// True when `after` differs from `before` only in parts `scope` names: an
// edit that changed anything else would leave it changed by its undo.
bool ChangedOnlyWithin(const Model& before, const Model& after, const EditScope& scope);
// Exchanges the step's parts with the model's: undoes a done step, redoes an
// undone one.
void Exchange(Step& step, Model& model);
// Heap memory the step holds.
std::size_t StepBytes(const Step& step);

class History {
 public:
  // Kept whatever memory they take.
  static constexpr std::size_t MinSteps = 100;
  // Beyond MinSteps, the oldest steps go once all of them take more than this.
  static constexpr std::size_t DefaultBudget = std::size_t{512} << 20;

  explicit History(std::size_t budgetBytes = DefaultBudget) : budget_(budgetBytes) {}

  // A change just made (KeepChanged returned true); the undone steps go.
  void Record(Step step);
  // A change that began a new document without a file, such as a new model:
  // recorded as Record does, and the new model counts as unmodified.
  void RecordNewDocument(Step step);
  // Each returns false, changing nothing, when there is no step to take.
  bool Undo(Model& model);
  bool Redo(Model& model);
  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  // The step the next Undo (Redo) takes; null when there is none.
  const Step* NextUndo() const { return CanUndo() ? &steps_[done_ - 1] : nullptr; }
  const Step* NextRedo() const { return CanRedo() ? &steps_[done_] : nullptr; }
  std::size_t StepCount() const { return steps_.size(); }
  std::size_t Bytes() const { return bytes_; }

  // Opening a file: a new history, the model as the file holds it.
  void Restart(std::string file);
  // The model was written to `file`.
  void Saved(std::string file);
  // The file the model was last opened from or saved to; empty when none.
  const std::string& file() const { return file_; }
  // The model differs from what that file holds (or, without a file, from
  // the new model it started as).
  bool modified() const { return state_ != saved_; }

 private:
  void Exchange(Step& step, Model& model);
  void Trim();

  std::deque<Step> steps_;
  std::size_t done_ = 0;  // steps_[0, done_) are done, the rest undone
  std::size_t bytes_ = 0;
  std::size_t budget_;
  uint64_t nextState_ = 1;
  uint64_t state_ = 0;  // the model's present state
  uint64_t saved_ = 0;  // the state the file holds
  std::string file_;
};

}  // namespace trivane
