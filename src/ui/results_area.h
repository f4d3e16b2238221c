#pragma once
// The status bar's two lines. The first holds the window's panels (added by
// the window) and, where it has room, the stress plot's legend (a colour bar
// between the largest and the smallest value) before the panels that close
// it; the second, the whole width, the readout: the deformed plot's scale,
// the probe's values, "结果已过期" and the selection count, wrapped onto two
// lines where one does not hold it.
#include <QWidget>

#include "display/palette.h"
#include "display/stress_plot.h"

class QHBoxLayout;
class QLabel;

namespace trivane {

class ResultsArea : public QWidget {
 public:
  explicit ResultsArea(QWidget* parent);

  // Widgets of the first line: before the legend, or after it at the right end.
  void AddPanel(QWidget* panel);
  void AddClosingPanel(QWidget* panel);

  // The legend of a stress plot: the component's name, the largest value at
  // the red end, the smallest at the blue end; a uniform field shows its one
  // value beside the middle colour. Returns false, showing nothing, where the
  // first line cannot hold it whole.
  bool ShowLegend(const QString& component, ValueRange range, const Palette& palette);
  void HideLegend();
  void SetText(const QString& text);

 private:
  QHBoxLayout* line_;
  int legendAt_ = 0;  // the legend's place in the first line
  QLabel* name_;
  QLabel* largest_;
  QLabel* bar_;
  QLabel* smallest_;
  QLabel* text_;
};

}  // namespace trivane
