#pragma once
// What the command layer needs from the world around it. The desktop window
// implements these with Qt; the tests implement them with fakes.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trivane {

// A file-dialog filter: the label shown to the user and the pattern that
// selects files, e.g. {"平面问题(*.trv)", "*.trv"}.
struct FileFilter {
  std::string label;
  std::string pattern;
};

// Asks the user for a file. Cancelling returns nothing.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The first filter is the one selected when the dialog opens.
  virtual std::optional<std::string> ChooseFileToOpen(const std::vector<FileFilter>& filters) = 0;
  // A name typed without an extension gets defaultExtension appended. The
  // dialog proposes `proposed` (the present file), unless it is empty. Naming
  // an existing file asks before it is chosen.
  virtual std::optional<std::string> ChooseFileToSave(const FileFilter& filter, std::string_view defaultExtension,
                                                      const std::string& proposed) = 0;
  // A file to write in one of several formats, one filter each. The name
  // returned always ends in the extension of the filter the user chose: a name
  // typed without it gets it appended.
  virtual std::optional<std::string> ChooseExportFile(std::span<const FileFilter> filters) = 0;
};

// The dialogs' filters and the problem file's extension.
inline const FileFilter MeshFilter{"三维模型ASCII码文件", "*.ase"};
inline const FileFilter GmshMeshFilter{"Gmsh网格文件", "*.msh"};
inline const FileFilter ProblemOpenFilter{"平面问题(*.trv)", "*.trv"};
inline const FileFilter ProblemSaveFilter{"平面问题文件(*.trv)", "*.trv"};
inline constexpr std::string_view ProblemExtension = "trv";
inline const FileFilter VtuFilter{"VTK结果文件 (*.vtu)", "*.vtu"};
inline const FileFilter CsvFilter{"CSV表格 (*.csv)", "*.csv"};

}  // namespace trivane
