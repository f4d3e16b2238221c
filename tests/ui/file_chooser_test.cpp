// The export dialog: its two filters, and the extension of the filter chosen
// added to a name typed without it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include "ui/qt_file_chooser.h"

namespace trivane::testing {
namespace {

struct ExportRow {
  const char* name;
  int filter;
  const char* typed;
  const char* expected;
};

class ExportDialog : public ::testing::TestWithParam<ExportRow> {};

TEST_P(ExportDialog, AddsTheChosenFiltersExtension) {
  const ExportRow& row = GetParam();
  QWidget parent;
  QtFileChooser chooser(&parent);
  const QString folder = QDir::tempPath();
  QStringList offered;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), "SaveDialog2");
    offered = dialog->nameFilters();
    dialog->setDirectory(folder);
    dialog->selectNameFilter(offered.value(row.filter));
    dialog->selectFile(row.typed);
    static_cast<QDialog*>(dialog)->accept();
  });
  const FileFilter filters[] = {VtuFilter, CsvFilter};
  const auto path = chooser.ChooseExportFile(filters);
  EXPECT_EQ(offered, (QStringList{"VTK结果文件 (*.vtu)", "CSV表格 (*.csv)"}));
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(*path, (folder + "/" + row.expected).toStdString());
}

INSTANTIATE_TEST_SUITE_P(Rows, ExportDialog,
                         ::testing::Values(ExportRow{"Vtu", 0, "out", "out.vtu"}, ExportRow{"Csv", 1, "out", "out.csv"},
                                           ExportRow{"Typed", 1, "out.csv", "out.csv"},
                                           ExportRow{"OtherExtension", 0, "out.txt", "out.txt.vtu"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace trivane::testing
