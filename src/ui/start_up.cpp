#include "ui/start_up.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "display/palette.h"

namespace trivane {

QString PalettePath() {
  const std::string program = QCoreApplication::applicationDirPath().toStdString();
  return QString::fromStdString(FindPalette({TRIVANE_INSTALLED_PALETTE, program + "/../share/trivane/color.bmp",
                                             program + "/color.bmp", TRIVANE_SOURCE_PALETTE}));
}

bool InstallChineseTranslations(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace trivane
