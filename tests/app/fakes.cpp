#include "fakes.h"

#include <fstream>
#include <random>

#include "io/problem_file.h"

namespace trivane::testing {

TempFolder::TempFolder() {
  std::random_device seed;
  path_ = std::filesystem::temp_directory_path() / ("trivane-app-" + std::to_string(seed()));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
  const std::string path = File(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

void Harness::Load(const Model& model) {
  chooser.Answer(folder.Write("loaded.trv", WriteProblem(model)));
  session.OpenProblem();
}

// The conditions are put in place after the open, so that they need not
// pass through a file.
void Harness::LoadWithConditions(const Model& model) {
  Load(model);
  const_cast<Model&>(session.model()).conditions = model.conditions;
}

void Harness::Drag(int x1, int y1, int x2, int y2) {
  session.MouseDown(x1, y1);
  session.MouseMove((x1 + x2) / 2, (y1 + y2) / 2);
  session.MouseMove(x2, y2);
  session.MouseUp(x2, y2);
}

void Harness::SelectAll() { Drag(0, 0, canvas.Width(), canvas.Height()); }

Model Cantilever() {
  Model m;
  m.nodeCount = 4;
  m.nodes[1] = {0.0, 0.0, FixedXY, 0, 0.0, 0.0};
  m.nodes[2] = {2.0, 0.0, Free, 0, 0.0, 0.0};
  m.nodes[3] = {2.0, 1.0, Free, 0, 1000.0, 270.0};
  m.nodes[4] = {0.0, 1.0, FixedXY, 0, 0.0, 0.0};
  m.elementCount = 2;
  m.elements[1] = {1, 2, 3};
  m.elements[2] = {1, 3, 4};
  UpdateBounds(m);
  return m;
}

Model GroupedCantilever() {
  Model m = Cantilever();
  m.conditions.groups = {
      {GroupKind::Region, 1, "plate", {}, {}, {1, 2}},
      {GroupKind::Edges, 2, "right", {}, {{2, 3}}, {}},
      {GroupKind::Nodes, 3, "tip", {3}, {}, {}},
  };
  m.conditions.edgeLoads = {{{1, 2}, EdgeLoadKind::Pressure, 50.0, 0.0}};
  return m;
}

}  // namespace trivane::testing
