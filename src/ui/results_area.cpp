#include "ui/results_area.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
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
  auto* lines = new QVBoxLayout(this);
  lines->setContentsMargins(0, 0, 0, 0);
  lines->setSpacing(1);
  line_ = new QHBoxLayout;
  line_->setContentsMargins(0, 0, 0, 0);
  lines->addLayout(line_);
  name_ = Part("LegendComponent", this);
  largest_ = Part("LegendLargest", this);
  bar_ = Part("LegendBar", this);
  smallest_ = Part("LegendSmallest", this);
  for (QLabel* part : {name_, largest_, bar_, smallest_}) line_->addWidget(part);
  line_->addStretch(1);
  // Two lines high whatever it holds, so that a readout never moves the drawing.
  text_ = Part("ResultsText", this);
  text_->setWordWrap(true);
  text_->setContentsMargins(4, 0, 4, 0);
  // Measured on Chinese text, whose fallback font sets lines further apart.
  text_->setText("结点\n结点");
  text_->setFixedHeight(text_->sizeHint().height());
  text_->clear();
  lines->addWidget(text_);
  HideLegend();
}

void ResultsArea::AddPanel(QWidget* panel) { line_->insertWidget(legendAt_++, panel); }

void ResultsArea::AddClosingPanel(QWidget* panel) { line_->addWidget(panel); }

bool ResultsArea::ShowLegend(const QString& component, ValueRange range, const Palette& palette) {
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
  line_->invalidate();
  if (line_->sizeHint().width() <= width()) return true;
  HideLegend();
  return false;
}

void ResultsArea::HideLegend() {
  for (QLabel* part : {name_, largest_, bar_, smallest_}) {
    part->clear();
    part->hide();
  }
}

// The tooltip holds the readout too, for a window too narrow for two lines.
void ResultsArea::SetText(const QString& text) {
  text_->setText(text);
  text_->setToolTip(text);
}

}  // namespace trivane
