// Window tests need one QApplication for the whole run, set up as start-up
// sets up the program's.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/start_up.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  trivane::InstallChineseTranslations(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
