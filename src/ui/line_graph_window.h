#pragma once
// 路径图: a field along the line picked on the drawing, drawn by the same
// routine as trivane-cli line, with the choice of field and saving of the
// picture (PNG) and the samples (CSV).
#include <QDialog>
#include <functional>

#include "analysis/recovery/line_samples.h"

class QComboBox;
class QLabel;

namespace trivane {

class LineGraphWindow : public QDialog {
 public:
  // profileOf gives the samples of a field (a ResultField index) along the line.
  LineGraphWindow(std::function<LineProfile(int field)> profileOf, QWidget* parent);

  const LineProfile& profile() const { return profile_; }
  // The picture as shown and as saved.
  QImage Picture() const;
  // Each file written whole or not at all; a failure throws Error.
  void SavePicture(const QString& path) const;
  void SaveSamples(const QString& path) const;

 private:
  void Redraw();

  std::function<LineProfile(int)> profileOf_;
  LineProfile profile_;
  QComboBox* field_;
  QLabel* graph_;
};

}  // namespace trivane
