#pragma once
// TForm3, the model-properties dialog: problem type (plane stress, plane
// strain or axisymmetric, which has no thickness), E, Poisson's ratio,
// thickness, density and thermal expansion, the element type of the mesh
// (read only), and for a model with regions a table of the regions' own E, μ,
// ρ and α. It is modal: nothing runs behind it, and Escape closes it.
// "修改" hands the typed texts to the command layer and closes; when they are
// refused the error is reported and the dialog stays open.
#include <QDialog>
#include <functional>

#include "app/session.h"
#include "ui/error_box.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace trivane {

class PropertiesDialog : public QDialog {
 public:
  PropertiesDialog(Session& session, ErrorReporter report, QWidget* parent = nullptr);

  void Button1Click();
  void Button2Click();

  // Called after "修改" has changed the material.
  std::function<void()> onApplied;

 protected:
  // Each showing shows the model's material: a field keeps the text last typed
  // while it still reads as the model's value.
  void showEvent(QShowEvent* event) override;

 private:
  void FillRegions();
  // The thickness is asked only of a plane model.
  void ShowThicknessRule();
  std::vector<RegionMaterialTexts> RegionTexts() const;

  Session& session_;
  ErrorReporter report_;
  QComboBox* comboBox1_;
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QLineEdit* edit3_;
  QLineEdit* edit4_;
  QLineEdit* edit5_;
  QLabel* elementOrder_;
  QTableWidget* regions_;
};

}  // namespace trivane
