#include "ui/line_graph_window.h"

#include <QBuffer>
#include <QByteArray>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "analysis/recovery/fields.h"
#include "app/line_results.h"
#include "display/line_graph.h"
#include "display_qt/qt_canvas.h"
#include "io/files.h"
#include "model/errors.h"
#include "ui/error_box.h"

#include <cerrno>

namespace trivane {

namespace {
constexpr int GraphWidth = 900;
constexpr int GraphHeight = 500;
}  // namespace

LineGraphWindow::LineGraphWindow(std::function<LineProfile(int)> profileOf, QWidget* parent)
    : QDialog(parent), profileOf_(std::move(profileOf)) {
  setObjectName("LineGraphWindow");
  setWindowTitle("路径图");
  setAttribute(Qt::WA_DeleteOnClose);
  auto* column = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  field_ = new QComboBox(this);
  field_->setObjectName("LineField");
  // The list's index is the field's: the fields with a graph come first.
  for (int k = 0; k < static_cast<int>(ResultField::Error); ++k)
    if (HasLineGraph(static_cast<ResultField>(k)))
      field_->addItem(QString::fromStdString(ResultFieldName(static_cast<ResultField>(k))));
  auto* savePicture = new QPushButton("保存图片…", this);
  savePicture->setObjectName("SaveLinePicture");
  auto* saveSamples = new QPushButton("保存数据…", this);
  saveSamples->setObjectName("SaveLineSamples");
  row->addWidget(field_);
  row->addStretch(1);
  row->addWidget(savePicture);
  row->addWidget(saveSamples);
  column->addLayout(row);
  graph_ = new QLabel(this);
  graph_->setObjectName("LineGraph");
  column->addWidget(graph_);

  connect(field_, &QComboBox::currentIndexChanged, this, [this] { Redraw(); });
  connect(savePicture, &QPushButton::clicked, this, [this] {
    const QString path = QFileDialog::getSaveFileName(this, "保存图片", "line.png", "PNG图片 (*.png)");
    if (!path.isEmpty()) RunReporting(this, ShowErrorBox, [&] { SavePicture(path); });
  });
  connect(saveSamples, &QPushButton::clicked, this, [this] {
    const QString path = QFileDialog::getSaveFileName(this, "保存数据", "line.csv", "CSV表格 (*.csv)");
    if (!path.isEmpty()) RunReporting(this, ShowErrorBox, [&] { SaveSamples(path); });
  });
  Redraw();
}

QImage LineGraphWindow::Picture() const {
  QtCanvas canvas(GraphWidth, GraphHeight);
  DrawLineGraph(canvas, profile_, ResultFieldTitle(static_cast<ResultField>(field_->currentIndex())));
  return canvas.Image().copy();
}

void LineGraphWindow::Redraw() {
  // The field list holds every field with a graph, in field order, from the first.
  profile_ = profileOf_(field_->currentIndex());
  graph_->setPixmap(QPixmap::fromImage(Picture()));
}

void LineGraphWindow::SavePicture(const QString& path) const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!Picture().save(&buffer, "PNG")) throw Error(messages::CannotWrite(path.toStdString(), EIO));
  WriteFileAtomically(path.toStdString(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void LineGraphWindow::SaveSamples(const QString& path) const {
  WriteFileAtomically(path.toStdString(), LineCsvText(profile_));
}

}  // namespace trivane
