#include "ui/qt_file_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <algorithm>
#include <functional>

namespace trivane {
namespace {

// A save dialog that asks Qt's own question before an existing file is
// replaced, about the file that will really be written (the export adds its
// filter's extension after the dialog), and not about the model's own file,
// which saving is meant to replace.
class SaveDialog : public QFileDialog {
 public:
  SaveDialog(QWidget* parent, std::function<QString(const QString&)> target, QString ownFile = {})
      : QFileDialog(parent), target_(std::move(target)), ownFile_(std::move(ownFile)) {
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setOption(QFileDialog::DontConfirmOverwrite);
  }

  void accept() override {
    const QStringList files = selectedFiles();
    if (!files.isEmpty() && !QFileInfo(files.front()).isDir()) {
      const QFileInfo target(target_(files.front()));
      const bool own = !ownFile_.isEmpty() && target.absoluteFilePath() == QFileInfo(ownFile_).absoluteFilePath();
      if (target.exists() && !own &&
          QMessageBox::warning(this, windowTitle(),
                               QFileDialog::tr("%1 already exists.\nDo you want to replace it?").arg(target.fileName()),
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    }
    QFileDialog::accept();
  }

 private:
  std::function<QString(const QString&)> target_;
  QString ownFile_;
};

// The name with the extension of the filter chosen, unless it ends in it.
QString WithExtension(const QString& path, const QString& extension) {
  return path.endsWith(extension, Qt::CaseInsensitive) ? path : path + extension;
}

QString ExtensionOf(std::span<const FileFilter> filters, const QStringList& names, const QString& chosen) {
  const auto index = static_cast<std::size_t>(std::max<qsizetype>(names.indexOf(chosen), 0));
  return QString::fromStdString(filters[index].pattern).mid(1);  // "*.vtu" -> ".vtu"
}

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

// The toolkit's question comes before an existing file other than the
// proposed one (the present file) is chosen.
std::optional<std::string> QtFileChooser::ChooseFileToSave(const FileFilter& filter,
                                                           std::string_view defaultExtension,
                                                           const std::string& proposed) {
  SaveDialog dialog(parent_, [](const QString& path) { return path; }, QString::fromStdString(proposed));
  dialog.setObjectName("SaveDialog1");
  dialog.setNameFilter(DialogFilter(filter));
  dialog.setDefaultSuffix(QString::fromUtf8(defaultExtension.data(), qsizetype(defaultExtension.size())));
  return Run(dialog, folder_, QString::fromStdString(proposed));
}

// The export dialog, "SaveDialog2": the name gets the extension of the filter
// chosen unless it already ends in it, and the question is about that name.
std::optional<std::string> QtFileChooser::ChooseExportFile(std::span<const FileFilter> filters) {
  QStringList names;
  for (const FileFilter& filter : filters) names << DialogFilter(filter);
  SaveDialog* shown = nullptr;
  SaveDialog dialog(parent_, [&](const QString& path) {
    return WithExtension(path, ExtensionOf(filters, names, shown->selectedNameFilter()));
  });
  shown = &dialog;
  dialog.setObjectName("SaveDialog2");
  dialog.setNameFilters(names);
  const auto chosenPath = Choose(dialog, folder_);
  if (!chosenPath) return std::nullopt;
  return WithExtension(*chosenPath, ExtensionOf(filters, names, dialog.selectedNameFilter())).toStdString();
}

}  // namespace trivane
