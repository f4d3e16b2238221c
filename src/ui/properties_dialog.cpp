#include "ui/properties_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace trivane {
namespace {

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->move(x, y);
  label->adjustSize();
  return label;
}

QLineEdit* AddEdit(QWidget* parent, const char* name, const QString& text, int x, int y) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  edit->setGeometry(x, y, 121, 21);
  return edit;
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& text, int x, int y) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(x, y, 75, 25);
  return button;
}

}  // namespace

PropertiesDialog::PropertiesDialog(Session& session, ErrorReporter report, QWidget* parent)
    : QWidget(parent, Qt::Tool), session_(session), report_(std::move(report)) {
  setObjectName("TForm3");
  setWindowTitle("模型属性");
  setFixedSize(320, 211);
  move(394, 268);

  auto* frame = new QGroupBox("属性", this);
  frame->setObjectName("GroupBox1");
  frame->setGeometry(8, 8, 297, 153);

  AddLabel(this, "Label1", "问题类型:", 32, 32);
  comboBox1_ = new QComboBox(this);
  comboBox1_->setObjectName("ComboBox1");
  comboBox1_->setEditable(true);
  comboBox1_->setInsertPolicy(QComboBox::NoInsert);
  comboBox1_->addItems({"平面应力", "平面应变"});
  comboBox1_->setCurrentIndex(0);
  comboBox1_->setGeometry(152, 24, 121, 21);

  AddLabel(this, "Label2", "弹性模量E(Pa):", 32, 64);
  edit1_ = AddEdit(this, "Edit1", "2E10", 152, 56);
  AddLabel(this, "Label3", "泊松比(μ):", 32, 96);
  edit2_ = AddEdit(this, "Edit2", "0.167", 152, 88);
  AddLabel(this, "Label4", "厚度t(m):", 32, 128);
  edit3_ = AddEdit(this, "Edit3", "1", 152, 120);

  connect(AddButton(this, "Button1", "修改", 144, 176), &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(AddButton(this, "Button2", "取消", 232, 176), &QPushButton::clicked, this, [this] { Button2Click(); });
}

// The problem type is the item whose text is in the box; typed text that
// matches no item selects neither kind.
void PropertiesDialog::Button1Click() {
  const int problemType = comboBox1_->findText(comboBox1_->currentText(), Qt::MatchExactly);
  bool applied = false;
  RunReporting(this, report_, [&] {
    session_.ApplyMaterial(problemType, edit1_->text().toStdString(), edit2_->text().toStdString(),
                           edit3_->text().toStdString());
    applied = true;
  });
  if (!applied) return;
  hide();
  if (onApplied) onApplied();
}

void PropertiesDialog::Button2Click() { hide(); }

}  // namespace trivane
