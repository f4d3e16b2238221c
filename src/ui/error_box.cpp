#include "ui/error_box.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

namespace trivane {

void ShowErrorBox(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok, parent);
  box.setObjectName("ErrorBox");
  box.exec();
}

void RunReporting(QWidget* parent, const ErrorReporter& report, const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& e) {
    report(parent, QString::fromUtf8(e.what()));
  }
}

}  // namespace trivane
