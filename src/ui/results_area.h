#pragma once
// The status bar's results area, after the five panels: the stress plot's
// legend (a colour bar between the largest and the smallest value), and a line
// of text with the deformed plot's scale, the probe's values, "结果已过期" and
// the selection count.
#include <QWidget>

#include "display/palette.h"
#include "display/stress_plot.h"

class QLabel;

namespace trivane {

class ResultsArea : public QWidget {
 public:
  explicit ResultsArea(QWidget* parent);

  // The legend of a stress plot: the component's name, the largest value at
  // the red end, the smallest at the blue end; a uniform field shows its one
  // value beside the middle colour.
  void ShowLegend(const QString& component, ValueRange range, const Palette& palette);
  void HideLegend();
  void SetText(const QString& text);

 private:
  QLabel* name_;
  QLabel* largest_;
  QLabel* bar_;
  QLabel* smallest_;
  QLabel* text_;
};

}  // namespace trivane
