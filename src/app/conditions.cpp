// Restraints, loads, gravity and spin, and the material: the commands that edit
// the model in place.
#include <optional>

#include "app/session.h"
#include "io/number_text.h"
#include "model/condition_edits.h"
#include "model/errors.h"

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

void Session::OneWayRestraint() {
  oneWayToggle_ = (oneWayToggle_ + 1) % 4;
  const Support s = OneWaySupports[oneWayToggle_];
  const std::vector<int32_t> nodes = SelectedNodes();
  Change(EditScope::Nodes(nodes), [&] {
    for (int32_t k : nodes) {
      model_->nodes[k].restraint = s.restraint;
      model_->nodes[k].orientation = s.orientation;
    }
  });
  Redraw();
}

void Session::TwoWayRestraint() {
  twoWayToggle_ = (twoWayToggle_ + 1) % 4;
  const std::vector<int32_t> nodes = SelectedNodes();
  Change(EditScope::Nodes(nodes), [&] {
    for (int32_t k : nodes) {
      model_->nodes[k].restraint = FixedXY;
      model_->nodes[k].orientation = twoWayToggle_;
    }
  });
  Redraw();
}

void Session::DeleteRestraint() {
  const std::vector<int32_t> nodes = SelectedNodes();
  Change(EditScope::Nodes(nodes), [&] {
    for (int32_t k : nodes) {
      model_->nodes[k].restraint = Free;
      model_->nodes[k].orientation = 0;
    }
  });
  Redraw();
}

// Both texts are converted before any node changes, so a bad text changes
// nothing. With nothing selected the texts are not looked at.
void Session::ApplyLoad(std::string_view loadText, std::string_view angleText) {
  const std::vector<int32_t> nodes = SelectedNodes();
  if (!nodes.empty()) {
    const double load = ReadReal(loadText);
    const double angle = ReadReal(angleText);
    Change(EditScope::Nodes(nodes), [&] {
      for (int32_t k : nodes) {
        model_->nodes[k].load = load;
        model_->nodes[k].loadAngle = angle;
      }
    });
  }
  Redraw();
}

std::vector<Edge> Session::SelectedBoundaryEdges() const {
  return BoundaryEdgesBetween(*model_, SelectedNodes());
}

namespace {

std::vector<Edge> RequireEdges(std::vector<Edge> edges) {
  if (edges.empty()) throw Error(messages::NoBoundaryEdgeSelected);
  return edges;
}

}  // namespace

void Session::ApplyEdgeLoad(EdgeLoadKind kind, std::string_view aText, std::string_view bText) {
  const std::vector<Edge> edges = RequireEdges(SelectedBoundaryEdges());
  const double a = ReadReal(aText);
  const double b = kind == EdgeLoadKind::Pressure ? 0.0 : ReadReal(bText);
  Change(EditScope::EdgeLoads(), [&] { SetEdgeLoads(*model_, edges, kind, a, b); });
  Redraw();
}

void Session::RemoveEdgeLoads() {
  const std::vector<Edge> edges = RequireEdges(SelectedBoundaryEdges());
  Change(EditScope::EdgeLoads(), [&] { trivane::RemoveEdgeLoads(*model_, edges); });
  Redraw();
}

void Session::ApplyGravity(std::string_view gxText, std::string_view gyText,
                           std::optional<std::string_view> spinText) {
  const Gravity gravity{ReadReal(gxText), ReadReal(gyText)};
  const std::optional<double> spin = spinText ? std::optional(ReadReal(*spinText)) : std::nullopt;
  Change(EditScope::BodyLoads(), [&] {
    SetGravity(*model_, gravity);
    if (spin) SetSpin(*model_, *spin);
  });
  Redraw();
}

// The material, then every row's texts, are read and checked in that order
// inside one step, which a failure undoes: the material stays as it was.
// Results computed before stay, out of date once the material differs from
// theirs. A region's blank row drops its own material, a blank field in a
// filled row takes the model's value; a region's fields are checked against
// the problem type just entered. A solid of revolution keeps the thickness it
// had, unread and unchecked, so that turning it back into a plane model
// brings the thickness back.
void Session::ApplyMaterial(int problemType, std::string_view eText, std::string_view muText,
                            std::string_view tText, std::optional<std::string_view> rhoText,
                            std::optional<std::string_view> alphaText,
                            const std::vector<RegionMaterialTexts>& regions) {
  if (problemType != PlaneStress && problemType != PlaneStrain && problemType != Axisymmetric) return;
  EnteredMaterial entered = model_->entered;
  entered.problem = static_cast<ProblemType>(problemType);
  entered.E = ReadReal(eText);
  entered.mu = ReadReal(muText);
  if (problemType != Axisymmetric) entered.t = ReadReal(tText);
  if (rhoText) entered.rho = ReadReal(*rhoText);
  if (alphaText) entered.alpha = ReadReal(*alphaText);
  const auto field = [](const std::string& text, double modelValue) {
    return text.empty() ? modelValue : ReadReal(text);
  };
  struct Row {
    const RegionMaterialTexts* texts;
    std::optional<RegionMaterial> own;
  };
  Change(EditScope::Materials(), [&] {
    SetMaterial(*model_, entered);
    std::vector<Row> rows;
    for (const RegionMaterialTexts& r : regions) {
      if (r.E.empty() && r.mu.empty() && r.rho.empty() && r.alpha.empty()) {
        rows.push_back({&r, std::nullopt});
      } else {
        rows.push_back({&r, RegionMaterial{r.region, field(r.E, entered.E), field(r.mu, entered.mu),
                                            field(r.rho, entered.rho), field(r.alpha, entered.alpha)}});
      }
    }
    auto& own = model_->conditions.regionMaterials;
    for (const Row& row : rows) {
      if (row.own) {
        SetRegionMaterial(*model_, *row.own);
      } else {
        std::erase_if(own, [&](const RegionMaterial& m) { return m.region == row.texts->region; });
      }
    }
  });
}

}  // namespace trivane
