// Start-up: the main window, the about box and the model-properties dialog,
// in that order, then the message loop until the main window closes.
#include <QApplication>

#include "ui/about_box.h"
#include "ui/main_form.h"
#include "ui/properties_dialog.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Trivane");
  trivane::MainForm form1;
  trivane::AboutBox form2;
  trivane::PropertiesDialog form3(form1.session(), form1.errorReporter());
  form1.SetDialogs(&form2, &form3);
  form1.show();
  // The palette is read from the folder the program was started in.
  form1.FormCreate("color.bmp");
  return app.exec();
}
