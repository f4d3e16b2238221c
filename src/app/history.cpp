#include "app/history.h"

#include <utility>

namespace trivane {
namespace {

MaterialParts MaterialOf(const Model& model) {
  return {model.material, model.entered, model.conditions.regionMaterials};
}

BodyLoadParts BodyLoadsOf(const Model& model) { return {model.conditions.gravity, model.conditions.spin}; }

template <typename T>
std::size_t VectorBytes(const std::vector<T>& v) {
  return v.capacity() * sizeof(T);
}

std::size_t TemperatureBytes(const Temperature& temperature) {
  std::size_t bytes = VectorBytes(temperature.regions);
  for (const RegionTemperature& r : temperature.regions) bytes += r.region.capacity();
  return bytes;
}

std::size_t ModelBytes(const Model& model) {
  std::size_t bytes = sizeof(Model) + model.nodes.Stored() * sizeof(Node) + model.elements.Stored() * sizeof(Element);
  for (const Group& g : model.conditions.groups)
    bytes += sizeof(Group) + g.name.capacity() + VectorBytes(g.nodes) + VectorBytes(g.edges) + VectorBytes(g.elements);
  for (const RegionMaterial& r : model.conditions.regionMaterials) bytes += sizeof(r) + r.region.capacity();
  return bytes + VectorBytes(model.conditions.edgeLoads) + TemperatureBytes(model.conditions.temperature);
}

}  // namespace

Step Capture(const Model& model, const EditScope& scope) {
  Step step;
  if (scope.wholeModel) {
    step.model = std::make_unique<Model>(model);
    return step;
  }
  step.nodes.reserve(scope.nodes.size());
  for (int32_t k : scope.nodes) step.nodes.push_back({k, model.nodes[k]});
  if (scope.edgeLoads) step.edgeLoads = model.conditions.edgeLoads;
  if (scope.bodyLoads) step.bodyLoads = BodyLoadsOf(model);
  if (scope.material) step.material = MaterialOf(model);
  if (scope.temperature) step.temperature = model.conditions.temperature;
  return step;
}

// The node records are kept in place and cut to those that changed, so that a
// step on many nodes of which few changed holds only the few.
bool KeepChanged(Step& step, const Model& model) {
  if (step.model) {
    if (SameModel(*step.model, model)) step.model.reset();
    return step.model != nullptr;
  }
  std::erase_if(step.nodes, [&](const NodeRecord& r) { return r.node == model.nodes[r.number]; });
  step.nodes.shrink_to_fit();
  if (step.edgeLoads && *step.edgeLoads == model.conditions.edgeLoads) step.edgeLoads.reset();
  if (step.bodyLoads && *step.bodyLoads == BodyLoadsOf(model)) step.bodyLoads.reset();
  if (step.material && *step.material == MaterialOf(model)) step.material.reset();
  if (step.temperature && *step.temperature == model.conditions.temperature) step.temperature.reset();
  return !step.nodes.empty() || step.edgeLoads || step.bodyLoads || step.material || step.temperature;
}

void Exchange(Step& step, Model& model) {
  if (step.model) std::swap(*step.model, model);
  for (NodeRecord& r : step.nodes) std::swap(r.node, model.nodes[r.number]);
  if (step.edgeLoads) std::swap(*step.edgeLoads, model.conditions.edgeLoads);
  if (step.bodyLoads) {
    std::swap(step.bodyLoads->gravity, model.conditions.gravity);
    std::swap(step.bodyLoads->spin, model.conditions.spin);
  }
  if (step.temperature) std::swap(*step.temperature, model.conditions.temperature);
  if (step.material) {
    std::swap(step.material->material, model.material);
    std::swap(step.material->entered, model.entered);
    std::swap(step.material->regions, model.conditions.regionMaterials);
  }
}

// The parts the scope names are put back as they were; the rest must be so.
bool ChangedOnlyWithin(const Model& before, const Model& after, const EditScope& scope) {
  if (scope.wholeModel) return true;
  Model undeclared = after;
  Step declared = Capture(before, scope);
  Exchange(declared, undeclared);
  return SameModel(undeclared, before);
}

std::size_t StepBytes(const Step& step) {
  std::size_t bytes = sizeof(Step) + VectorBytes(step.nodes);
  if (step.model) bytes += ModelBytes(*step.model);
  if (step.edgeLoads) bytes += VectorBytes(*step.edgeLoads);
  if (step.material)
    for (const RegionMaterial& r : step.material->regions) bytes += sizeof(r) + r.region.capacity();
  if (step.temperature) bytes += TemperatureBytes(*step.temperature);
  if (step.document) bytes += step.document->file.capacity();
  return bytes;
}

void History::Record(Step step) {
  while (steps_.size() > done_) {
    bytes_ -= StepBytes(steps_.back());
    steps_.pop_back();
  }
  step.stateBefore = state_;
  step.stateAfter = state_ = nextState_++;
  bytes_ += StepBytes(step);
  steps_.push_back(std::move(step));
  done_ = steps_.size();
  Trim();
}

void History::RecordNewDocument(Step step) {
  step.document = Step::Document{file_, saved_};
  Record(std::move(step));
  file_.clear();
  saved_ = state_;
}

// The model holds the parts of one side of a step, the step those of the
// other; a new document's file and saved state go with them. What the step
// holds changes size with the side it holds.
void History::Exchange(Step& step, Model& model) {
  bytes_ -= StepBytes(step);
  trivane::Exchange(step, model);
  bytes_ += StepBytes(step);
  if (step.document) {
    std::swap(step.document->file, file_);
    std::swap(step.document->savedState, saved_);
  }
}

bool History::Undo(Model& model) {
  if (!CanUndo()) return false;
  Step& step = steps_[--done_];
  Exchange(step, model);
  state_ = step.stateBefore;
  return true;
}

bool History::Redo(Model& model) {
  if (!CanRedo()) return false;
  Step& step = steps_[done_++];
  Exchange(step, model);
  state_ = step.stateAfter;
  return true;
}

// Only done steps are ever dropped here: Record has just dropped the undone ones.
void History::Trim() {
  while (steps_.size() > MinSteps && bytes_ > budget_) {
    bytes_ -= StepBytes(steps_.front());
    steps_.pop_front();
    --done_;
  }
}

void History::Restart(std::string file) {
  steps_.clear();
  done_ = 0;
  bytes_ = 0;
  state_ = saved_ = nextState_++;
  file_ = std::move(file);
}

void History::Saved(std::string file) {
  saved_ = state_;
  file_ = std::move(file);
}

}  // namespace trivane
