#pragma once
// The 16 toolbar pictures, each drawn on a 25 x 25 grid.
#include <QPainter>
#include <functional>
#include <vector>

namespace pictures {

struct Icon {
  const char* name;
  std::function<void(QPainter&)> draw;
};

// In the order of the toolbar's image list.
const std::vector<Icon>& ToolbarIcons();

}  // namespace pictures
