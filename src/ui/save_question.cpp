#include "ui/save_question.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "model/errors.h"

namespace trivane {

SaveAnswer AskToSave(QWidget* parent) {
  QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), QString::fromUtf8(messages::ModelModified),
                  QMessageBox::NoButton, parent);
  box.setObjectName("SaveQuestion");
  QPushButton* save = box.addButton("保存", QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton("不保存", QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton("取消", QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return SaveAnswer::Save;
  if (box.clickedButton() == discard) return SaveAnswer::Discard;
  return SaveAnswer::Cancel;
}

}  // namespace trivane
