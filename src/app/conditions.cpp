// Restraints, loads and the material: the commands that edit the model in place.
#include "analysis/material.h"
#include "app/session.h"
#include "io/number_text.h"

namespace trivane {
namespace {

struct Support {
  int32_t restraint;
  int32_t orientation;
};

// The one-direction support symbol is a link that holds the node along its
// own axis: drawn upright (orientations 0 and 2) it fixes y, drawn lying
// (1 and 3) it fixes x.
constexpr Support OneWaySupports[4] = {
    {FixedY, 0}, {FixedX, 1}, {FixedY, 2}, {FixedX, 3}};

}  // namespace

// A condition command that reached a node changes what the file would hold
// and what the results were computed for.
void Session::ConditionsEdited() {
  if (selection_.count == 0) return;
  modified_ = true;
  MarkModelEdited();
}

void Session::OneWayRestraint() {
  oneWayToggle_ = (oneWayToggle_ + 1) % 4;
  const Support s = OneWaySupports[oneWayToggle_];
  for (int32_t i = 1; i <= selection_.count; ++i) {
    Node& node = model_->nodes[selection_.nodes[i]];
    node.restraint = s.restraint;
    node.orientation = s.orientation;
  }
  ConditionsEdited();
  RedrawWithMarkers();
}

void Session::TwoWayRestraint() {
  twoWayToggle_ = (twoWayToggle_ + 1) % 4;
  for (int32_t i = 1; i <= selection_.count; ++i) {
    Node& node = model_->nodes[selection_.nodes[i]];
    node.restraint = FixedXY;
    node.orientation = twoWayToggle_;
  }
  ConditionsEdited();
  RedrawWithMarkers();
}

void Session::DeleteRestraint() {
  for (int32_t i = 1; i <= selection_.count; ++i) {
    Node& node = model_->nodes[selection_.nodes[i]];
    node.restraint = Free;
    node.orientation = 0;
  }
  ConditionsEdited();
  Redraw();
}

// Both texts are converted before any node changes, so a bad text changes
// nothing. With nothing selected the texts are not looked at.
void Session::ApplyLoad(std::string_view loadText, std::string_view angleText) {
  if (selection_.count > 0) {
    const double load = ReadReal(loadText);
    const double angle = ReadReal(angleText);
    for (int32_t i = 1; i <= selection_.count; ++i) {
      Node& node = model_->nodes[selection_.nodes[i]];
      node.load = load;
      node.loadAngle = angle;
    }
  }
  ConditionsEdited();
  Redraw();
}

// Every field is converted and checked, and the plane-strain constants formed,
// before the material changes; a failure leaves the material as it was. Results computed
// before stay, out of date once the material differs from theirs.
void Session::ApplyMaterial(int problemType, std::string_view eText, std::string_view muText,
                            std::string_view tText) {
  if (problemType != PlaneStress && problemType != PlaneStrain) return;
  const EnteredMaterial entered{static_cast<ProblemType>(problemType), ReadReal(eText), ReadReal(muText),
                                ReadReal(tText)};
  const EnteredMaterial before = model_->entered;
  SetMaterial(*model_, entered);
  if (!(entered == before)) MarkModelEdited();
}

}  // namespace trivane
