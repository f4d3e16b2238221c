#pragma once
// TForm3, the model-properties dialog: problem type, E, Poisson's ratio and
// thickness. "修改" hands the typed texts to the command layer and closes;
// when they are refused the error is reported and the dialog stays open.
#include <QWidget>
#include <functional>

#include "app/session.h"
#include "ui/error_box.h"

class QComboBox;
class QLineEdit;

namespace trivane {

class PropertiesDialog : public QWidget {
 public:
  PropertiesDialog(Session& session, ErrorReporter report, QWidget* parent = nullptr);

  void Button1Click();
  void Button2Click();

  // Called after "修改" has changed the material.
  std::function<void()> onApplied;

 private:
  Session& session_;
  ErrorReporter report_;
  QComboBox* comboBox1_;
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QLineEdit* edit3_;
};

}  // namespace trivane
