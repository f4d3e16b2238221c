// Start-up: the main window, the about box and the model-properties dialog,
// in that order, then the message loop until the main window closes. A file
// named on the command line (as the desktop entry passes it) is opened.
#include <QApplication>

#include "ui/about_box.h"
#include "ui/main_form.h"
#include "ui/properties_dialog.h"
#include "ui/start_up.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Trivane");
  trivane::InstallChineseTranslations(app);
  trivane::MainForm form1;
  trivane::AboutBox form2;
  trivane::PropertiesDialog form3(form1.session(), form1.errorReporter());
  form1.SetDialogs(&form2, &form3);
  form1.show();
  form1.FormCreate(trivane::PalettePath());
  if (const QStringList args = QApplication::arguments(); args.size() > 1) form1.OpenFile(args[1]);
  return app.exec();
}
