#include "ui/results_area.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

#include "app/readout.h"
#include "display/legend.h"
#include "display_qt/qt_canvas.h"
#include "io/number_text.h"

namespace trivane {
namespace {

constexpr int BarHeight = 12;

QLabel* Part(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  return label;
}

QString Readout(double value) { return QString::fromStdString(FormatSignificant(value, ReadoutDigits)); }

// One pixel column per palette colour, index 0 (the largest value) on the
// left, drawn by the routine of trivane-cli's legend, so the two agree.
QPixmap ColourBar(const Palette& palette, bool uniform) {
  const int32_t width = uniform ? BarHeight : PaletteSize;
  QtCanvas bar(width, BarHeight);
  DrawColourBar(bar, 0, 0, width, BarHeight, true, uniform, palette);
  return QPixmap::fromImage(bar.Image());
}

}  // namespace

ResultsArea::ResultsArea(QWidget* parent) : QWidget(parent) {
  setObjectName("ResultsArea");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 0, 4, 0);
  name_ = Part("LegendComponent", this);
  largest_ = Part("LegendLargest", this);
  bar_ = Part("LegendBar", this);
  smallest_ = Part("LegendSmallest", this);
  text_ = Part("ResultsText", this);
  for (QLabel* part : {name_, largest_, bar_, smallest_}) row->addWidget(part);
  row->addSpacing(8);
  row->addWidget(text_, 1);
  HideLegend();
}

void ResultsArea::ShowLegend(const QString& component, ValueRange range, const Palette& palette) {
  name_->setText(component);
  const bool uniform = IsUniform(range);
  if (uniform) {
    largest_->setText("= " + Readout(range.max));
    smallest_->clear();
  } else {
    largest_->setText(Readout(range.max));
    smallest_->setText(Readout(range.min));
  }
  bar_->setPixmap(ColourBar(palette, uniform));
  for (QLabel* part : {name_, largest_, bar_, smallest_}) part->show();
}

void ResultsArea::HideLegend() {
  for (QLabel* part : {name_, largest_, bar_, smallest_}) {
    part->clear();
    part->hide();
  }
}

// A narrow window cuts the line; its tooltip holds it whole.
void ResultsArea::SetText(const QString& text) {
  text_->setText(text);
  text_->setToolTip(text);
}

}  // namespace trivane
