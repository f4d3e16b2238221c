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

#include "model/result_fields.h"
#include "app/line_results.h"
#include "display/line_graph.h"
#include "display_qt/qt_canvas.h"
#include "io/files.h"
#include "model/errors.h"
#include "ui/error_box.h"

#include <algorithm>
#include <cerrno>

namespace trivane {

namespace {
constexpr int GraphWidth = 900;
constexpr int GraphHeight = 500;
}  // namespace

LineGraphWindow::LineGraphWindow(std::function<LineProfile(int)> profileOf, int field, ProblemType problem,
                                 const QString& ends, QWidget* parent)
    : QDialog(parent), profileOf_(std::move(profileOf)), problem_(problem) {
  setObjectName("LineGraphWindow");
  setWindowTitle("路径图");
  setAttribute(Qt::WA_DeleteOnClose);
  auto* column = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  field_ = new QComboBox(this);
  field_->setObjectName("LineField");
  // Each item carries its field's number.
  for (const ResultFieldRow& row : ResultFields())
    if (row.averaged && FieldApplies(row, problem)) {
      const std::string name(NamedRow(row.field, problem).name);
      field_->addItem(QString::fromStdString(name), static_cast<int>(row.field));
    }
  auto* savePicture = new QPushButton("保存图片…", this);
  savePicture->setObjectName("SaveLinePicture");
  auto* saveSamples = new QPushButton("保存数据…", this);
  saveSamples->setObjectName("SaveLineSamples");
  row->addWidget(field_);
  auto* endsLabel = new QLabel(ends, this);
  endsLabel->setObjectName("LineEnds");
  row->addWidget(endsLabel);
  row->addStretch(1);
  row->addWidget(savePicture);
  row->addWidget(saveSamples);
  column->addLayout(row);
  graph_ = new QLabel(this);
  graph_->setObjectName("LineGraph");
  column->addWidget(graph_);

  field_->setCurrentIndex(std::max(field_->findData(field), 0));
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
  DrawLineGraph(canvas, profile_, ResultFieldTitle(field(), problem_));
  return canvas.Image().copy();
}

ResultField LineGraphWindow::field() const { return static_cast<ResultField>(field_->currentData().toInt()); }

void LineGraphWindow::Redraw() {
  profile_ = profileOf_(static_cast<int>(field()));
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
  WriteFileAtomically(path.toStdString(), LineCsvText(profile_, field()));
}

}  // namespace trivane
