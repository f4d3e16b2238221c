#pragma once
// What start-up prepares before the windows are created.
#include <QString>

class QCoreApplication;

namespace trivane {

// The palette file: color.bmp in the working directory, else the installed
// one, else one installed beside the program (under a moved prefix too), else
// the one in the sources for a program run from its build tree.
QString PalettePath();

// Qt's own texts (file dialogs, message-box buttons) in Chinese, like the rest
// of the interface, whatever the user's locale. Returns false when the
// translations are not installed; the dialogs are then in English.
bool InstallChineseTranslations(QCoreApplication& app);

}  // namespace trivane
