#include "ui/about_box.h"

#include <QLabel>
#include <QPixmap>

#include "ui/pictures.h"

namespace trivane {

AboutBox::AboutBox(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  LoadPictures();
  setObjectName("TForm2");
  setWindowTitle("关于本程序");
  setFixedSize(400, 257);
  move(377, 236);
  auto* picture = new QLabel(this);
  picture->setObjectName("Image1");
  picture->setPixmap(QPixmap(":/pictures/about.png"));
  picture->setGeometry(0, 0, 400, 257);
}

}  // namespace trivane
