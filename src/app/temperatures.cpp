// 温度…: the temperature change of the model or of the regions selected.
#include <algorithm>

#include "app/session.h"
#include "io/number_text.h"
#include "model/condition_edits.h"
#include "model/errors.h"

namespace trivane {

// A region counts as selected when the selection holds every node of it, as
// 按组选择 leaves it; a region sharing only its border with the selection
// does not.
std::vector<std::string> Session::SelectedRegions() const {
  std::vector<bool> selected(static_cast<std::size_t>(model_->nodeCount) + 1, false);
  for (const int32_t k : SelectedNodes())
    if (k >= 1 && k <= model_->nodeCount) selected[static_cast<std::size_t>(k)] = true;
  std::vector<std::string> regions;
  for (const Group& g : model_->conditions.groups) {
    if (g.kind != GroupKind::Region || g.elements.empty()) continue;
    const std::vector<int32_t> nodes = GroupNodes(*model_, g);
    const auto isSelected = [&](int32_t k) { return k >= 1 && k <= model_->nodeCount && selected[std::size_t(k)]; };
    if (std::all_of(nodes.begin(), nodes.end(), isSelected)) regions.push_back(GroupLabel(g));
  }
  return regions;
}

// A region's blank field means "no temperature of its own", as a blank row
// of the region table means the model's material.
void Session::ApplyTemperature(TemperatureTarget target, std::string_view dtText) {
  if (target == TemperatureTarget::Model) {
    const double dt = ReadReal(dtText);
    Change(EditScope::Temperatures(), [&] { SetTemperature(*model_, dt); });
    Redraw();
    return;
  }
  const std::vector<std::string> regions = SelectedRegions();
  if (regions.empty()) throw Error(messages::NoRegionSelected);
  const bool blank = dtText.find_first_not_of(" \t") == std::string_view::npos;
  const double dt = blank ? 0.0 : ReadReal(dtText);
  Change(EditScope::Temperatures(), [&] {
    for (const std::string& region : regions) {
      if (!blank) {
        SetRegionTemperature(*model_, {region, dt});
      } else {
        std::erase_if(model_->conditions.temperature.regions,
                      [&](const RegionTemperature& own) { return own.region == region; });
      }
    }
  });
  Redraw();
}

}  // namespace trivane
