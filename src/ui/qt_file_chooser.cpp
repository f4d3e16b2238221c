#include "ui/qt_file_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>

namespace trivane {
namespace {

// Every dialog starts in the folder of the last file chosen in any of them,
// unless it proposes a file.
std::optional<QString> Choose(QFileDialog& dialog, QString& folder, const QString& proposed = {}) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (proposed.isEmpty()) {
    dialog.setDirectory(folder);
  } else {
    dialog.setDirectory(QFileInfo(proposed).absolutePath());
    dialog.selectFile(QFileInfo(proposed).fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString path = dialog.selectedFiles().front();
  folder = QFileInfo(path).absolutePath();
  return path;
}

std::optional<std::string> Run(QFileDialog& dialog, QString& folder, const QString& proposed = {}) {
  const auto path = Choose(dialog, folder, proposed);
  if (!path) return std::nullopt;
  return path->toStdString();
}

}  // namespace

QtFileChooser::QtFileChooser(QWidget* parent) : parent_(parent), folder_(QDir::homePath()) {}

QString DialogFilter(const FileFilter& filter) {
  const QString label = QString::fromStdString(filter.label);
  const QString pattern = QString::fromStdString(filter.pattern);
  if (label.endsWith("(" + pattern + ")")) return label;
  return label + " (" + pattern + ")";
}

std::optional<std::string> QtFileChooser::ChooseFileToOpen(const std::vector<FileFilter>& filters) {
  QFileDialog dialog(parent_);
  dialog.setObjectName(filters.front().pattern == MeshFilter.pattern ? "OpenDialog1" : "OpenDialog2");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  QStringList shown;
  for (const FileFilter& filter : filters) shown << DialogFilter(filter);
  dialog.setNameFilters(shown);
  dialog.selectNameFilter(shown.front());
  return Run(dialog, folder_);
}

// The dialog's own question, in the toolkit's words, comes before an existing
// file is chosen.
std::optional<std::string> QtFileChooser::ChooseFileToSave(const FileFilter& filter,
                                                           std::string_view defaultExtension,
                                                           const std::string& proposed) {
  QFileDialog dialog(parent_);
  dialog.setObjectName("SaveDialog1");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(DialogFilter(filter));
  dialog.setDefaultSuffix(QString::fromUtf8(defaultExtension.data(), qsizetype(defaultExtension.size())));
  return Run(dialog, folder_, QString::fromStdString(proposed));
}

// The export dialog, "SaveDialog2": the name gets the extension of the filter
// chosen unless it already ends in it.
std::optional<std::string> QtFileChooser::ChooseExportFile(std::span<const FileFilter> filters) {
  QFileDialog dialog(parent_);
  dialog.setObjectName("SaveDialog2");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  QStringList names;
  for (const FileFilter& filter : filters) names << DialogFilter(filter);
  dialog.setNameFilters(names);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  const auto chosenPath = Choose(dialog, folder_);
  if (!chosenPath) return std::nullopt;
  QString path = *chosenPath;
  const auto chosen = static_cast<std::size_t>(std::max<qsizetype>(names.indexOf(dialog.selectedNameFilter()), 0));
  const QString extension = QString::fromStdString(filters[chosen].pattern).mid(1);  // "*.vtu" -> ".vtu"
  if (!path.endsWith(extension, Qt::CaseInsensitive)) path += extension;
  return path.toStdString();
}

}  // namespace trivane
