#pragma once
// File choosers shown as the toolkit's own (non-native) dialogs, so that they
// look the same everywhere and tests can drive them.
#include <QString>

#include "app/ports.h"

class QWidget;

namespace trivane {

class QtFileChooser : public FileChooser {
 public:
  // The first dialog starts in the user's home folder, every later one in the
  // folder of the file last chosen; a save dialog proposing a file starts in
  // that file's folder.
  explicit QtFileChooser(QWidget* parent);
  std::optional<std::string> ChooseFileToOpen(const std::vector<FileFilter>& filters) override;
  std::optional<std::string> ChooseFileToSave(const FileFilter& filter, std::string_view defaultExtension,
                                              const std::string& proposed) override;
  std::optional<std::string> ChooseExportFile(std::span<const FileFilter> filters) override;

 private:
  QWidget* parent_;
  QString folder_;
};

// The filter as the dialog takes it: the label, followed by the pattern in
// brackets unless the label already shows it.
QString DialogFilter(const FileFilter& filter);

}  // namespace trivane
