#pragma once
// Stand-ins for the window around the command layer: a chooser that answers
// from a script, a status bar that remembers the counts, and a session wired
// to a recording canvas.
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "display/recording_canvas.h"

namespace trivane::testing {

class FakeChooser : public FileChooser {
 public:
  // The next answer; nothing means the user cancels.
  void Answer(std::optional<std::string> path) { answers_.push_back(std::move(path)); }

  std::optional<std::string> ChooseFileToOpen(const std::vector<FileFilter>& filters) override {
    asked.push_back({filters.front().label, filters.front().pattern, "", filters, ""});
    return Next();
  }
  std::optional<std::string> ChooseFileToSave(const FileFilter& filter, std::string_view defaultExtension,
                                              const std::string& proposed) override {
    asked.push_back({filter.label, filter.pattern, std::string(defaultExtension), {filter}, proposed});
    return Next();
  }
  std::optional<std::string> ChooseExportFile(std::span<const FileFilter> filters) override {
    for (const FileFilter& filter : filters) asked.push_back({filter.label, filter.pattern, "", {filter}, ""});
    return Next();
  }

  // label and pattern: the filter selected first; filters: all of them;
  // proposed: the name a save dialog offers.
  struct Question {
    std::string label, pattern, extension;
    std::vector<FileFilter> filters;
    std::string proposed;
  };
  std::vector<Question> asked;

 private:
  std::optional<std::string> Next() {
    if (answers_.empty()) return std::nullopt;
    auto answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  std::deque<std::optional<std::string>> answers_;
};

class FakeStatusBar : public CountSink {
 public:
  void ShowCounts(int32_t nodes, int32_t elements) override {
    nodeCount = nodes;
    elementCount = elements;
    ++updates;
  }
  int32_t nodeCount = -1;
  int32_t elementCount = -1;
  int updates = 0;
};

// A fresh folder under the system's temporary directory, removed afterwards.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  std::filesystem::path path_;
};

struct Harness {
  RecordingCanvas canvas{800, 600};
  FakeStatusBar status;
  FakeChooser chooser;
  Session session{canvas, status, chooser};
  TempFolder folder;

  // Puts model into the session the way a user does: through the open command.
  void Load(const Model& model);
  // As Load, with the model's groups, region materials, edge loads and
  // gravity, as a problem file or a Gmsh mesh brings them in.
  void LoadWithConditions(const Model& model);
  // Drags the rubber band from (x1, y1) to (x2, y2).
  void Drag(int x1, int y1, int x2, int y2);
  // Drags a band over the whole surface, selecting every node in view.
  void SelectAll();
};

// A 2 x 1 cantilever of four nodes and two triangles, the left edge held
// in both directions, a downward load on the top right node.
Model Cantilever();
// The cantilever with groups: region "plate" (both triangles), edge group
// "right" (2-3), node group "tip" (3), and a pressure on the bottom edge 1-2.
Model GroupedCantilever();

}  // namespace trivane::testing
