// The 计算 menu's ways of reading results beyond the specified plots: more
// fields, the smooth plot (recovered by patches or averaged) and principal
// directions, the deformation scale
// and the graph along a line.
#include <QAction>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <optional>

#include "app/readout.h"
#include "io/number_text.h"
#include "model/errors.h"
#include "ui/error_box.h"
#include "ui/line_graph_window.h"
#include "ui/main_form.h"

namespace trivane {

// The component box names the field plotted, as the six stress items set it.
void MainForm::ResultPlot(int field) {
  comboBox1_->setCurrentIndex(comboBox1_->findData(field));
  Run([this, field] { session_->StressPlot(field); });
}

// A plot on show is drawn again the new way.
void MainForm::PlotOptionsChanged() {
  PlotOptions options = session_->plotOptions();
  options.smooth = findChild<QAction*>("SmoothPlot")->isChecked();
  options.principal = findChild<QAction*>("PrincipalDirections")->isChecked();
  session_->SetPlotOptions(options);
  const StressRecovery recovery =
      findChild<QAction*>("AreaAverage")->isChecked() ? StressRecovery::Average : StressRecovery::Patch;
  if (recovery != session_->recovery()) Run([this, recovery] { session_->SetRecovery(recovery); });
  if (session_->shown().kind == PictureKind::Stress) ResultPlot(session_->shown().component);
}

// 自动 (or nothing) draws the largest displacement 60 pixels long.
void MainForm::DeformationScaleClick() {
  const std::optional<double> now = session_->plotOptions().magnification;
  bool ok = false;
  const QString text = QInputDialog::getText(this, "变形放大", "放大倍数（自动：最大位移画 60 像素）", QLineEdit::Normal,
                                             now ? QString::fromStdString(FormatGeneral(*now)) : "自动", &ok);
  if (!ok) return;
  Run([&] {
    PlotOptions options = session_->plotOptions();
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed == "自动") {
      options.magnification.reset();
    } else {
      const double value = ReadReal(trimmed.toStdString());
      if (!(value > 0.0)) throw Error(messages::MagnificationNotPositive);
      options.magnification = value;
    }
    session_->SetPlotOptions(options);
    if (session_->shown().kind == PictureKind::Deformed) session_->DeformedPlot();
  });
}

// The presses that pick the line would otherwise go to the probe.
void MainForm::LineGraphClick() {
  Run([this] { session_->BeginLinePick(); });
  if (session_->PickingLine()) findChild<QAction*>("ToolButton7")->setChecked(false);
}

void MainForm::ShowLineGraph(LinePoint from, LinePoint to) {
  UpdateResultsArea();
  RunReporting(this, report_, [&] {
    // The graph starts on the field of the plot shown, else on the list's.
    const ShownPicture& shown = session_->shown();
    const int field = shown.kind == PictureKind::Stress ? shown.component : comboBox1_->currentData().toInt();
    const ProblemType problem = session_->model().entered.problem;
    auto* window = new LineGraphWindow(
        [this, from, to](int field) { return session_->LineGraph(field, from, to); }, field, problem,
        QString::fromStdString(LineEndsText(problem, from, to)), this);
    window->show();
  });
}

}  // namespace trivane
