#include "ui/help_window.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace trivane {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("HelpWindow");
  setWindowTitle("帮助");
  resize(640, 560);
  auto* text = new QTextBrowser(this);
  text->setObjectName("HelpText");
  text->setOpenExternalLinks(false);
  QFile guide(":/help/guide.html");
  if (guide.open(QIODevice::ReadOnly)) text->setHtml(QString::fromUtf8(guide.readAll()));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(text);
}

}  // namespace trivane
