#pragma once
// 路径图: a field along the line picked on the drawing, drawn by the same
// routine as trivane-cli line, with the choice of field and saving of the
// picture (PNG) and the samples (CSV).
#include <QDialog>
#include <functional>

#include "analysis/recovery/line_samples.h"
#include "model/result_fields.h"

class QComboBox;
class QLabel;

namespace trivane {

class LineGraphWindow : public QDialog {
 public:
  // profileOf gives the samples of a field (a ResultField index) along the
  // line; the graph starts on `field`, or on σx where that has no graph. The
  // list holds the fields a model of `problem` has; `ends` says where the
  // line runs, in the model's axes.
  LineGraphWindow(std::function<LineProfile(int field)> profileOf, int field, ProblemType problem,
                  const QString& ends, QWidget* parent);

  const LineProfile& profile() const { return profile_; }
  // The picture as shown and as saved.
  QImage Picture() const;
  // Each file written whole or not at all; a failure throws Error.
  void SavePicture(const QString& path) const;
  void SaveSamples(const QString& path) const;
  // The field the graph shows.
  ResultField field() const;

 private:
  void Redraw();

  std::function<LineProfile(int)> profileOf_;
  ProblemType problem_;
  LineProfile profile_;
  QComboBox* field_;
  QLabel* graph_;
};

}  // namespace trivane
