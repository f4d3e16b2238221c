#include "ui/properties_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "io/number_text.h"

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

QString Shown(double value) { return QString::fromStdString(FormatGeneral(value)); }

// Keeps the text typed unless it no longer reads as the value.
void Show(QLineEdit* edit, double value) {
  try {
    if (ReadReal(edit->text().toStdString()) == value) return;
  } catch (const std::exception&) {
  }
  edit->setText(Shown(value));
}

constexpr int FormWidth = 320;
constexpr int FormHeight = 307;
constexpr int TableTop = 272;
constexpr int RowHeight = 22;
constexpr int MaxTableRows = 8;

}  // namespace

PropertiesDialog::PropertiesDialog(Session& session, ErrorReporter report, QWidget* parent)
    : QDialog(parent, Qt::Tool), session_(session), report_(std::move(report)) {
  setObjectName("TForm3");
  setWindowTitle("模型属性");
  setModal(true);
  setFixedSize(FormWidth, FormHeight);
  move(394, 268);

  auto* frame = new QGroupBox("属性", this);
  frame->setObjectName("GroupBox1");
  frame->setGeometry(8, 8, 297, 249);

  AddLabel(this, "Label1", "问题类型:", 32, 32);
  comboBox1_ = new QComboBox(this);
  comboBox1_->setObjectName("ComboBox1");
  comboBox1_->setEditable(true);
  comboBox1_->setInsertPolicy(QComboBox::NoInsert);
  comboBox1_->addItems({"平面应力", "平面应变", "轴对称"});
  comboBox1_->setCurrentIndex(0);
  comboBox1_->setGeometry(152, 24, 121, 21);

  AddLabel(this, "Label2", "弹性模量E(Pa):", 32, 64);
  edit1_ = AddEdit(this, "Edit1", "2E10", 152, 56);
  AddLabel(this, "Label3", "泊松比(μ):", 32, 96);
  edit2_ = AddEdit(this, "Edit2", "0.167", 152, 88);
  AddLabel(this, "Label4", "厚度t(m):", 32, 128);
  edit3_ = AddEdit(this, "Edit3", "1", 152, 120);
  AddLabel(this, "Label5", "密度ρ(kg/m³):", 32, 160);
  edit4_ = AddEdit(this, "Edit4", "0", 152, 152);
  AddLabel(this, "Label6", "线膨胀系数α(1/K):", 32, 192);
  edit5_ = AddEdit(this, "Edit5", "0", 152, 184);
  // The mesh decides the element; the dialog only names it.
  AddLabel(this, "Label7", "单元:", 32, 224);
  elementOrder_ = AddLabel(this, "ElementOrder", "三结点三角形", 152, 224);
  // A solid of revolution has no thickness: its field stays as typed but is
  // neither asked nor read.
  connect(comboBox1_, &QComboBox::currentTextChanged, this, [this] { ShowThicknessRule(); });

  // Shown only for a model with regions, below the frame; the buttons move
  // below it.
  regions_ = new QTableWidget(0, 5, this);
  regions_->setObjectName("RegionTable");
  regions_->setHorizontalHeaderLabels({"区域", "E(Pa)", "μ", "ρ(kg/m³)", "α(1/K)"});
  regions_->verticalHeader()->hide();
  regions_->verticalHeader()->setDefaultSectionSize(RowHeight);
  regions_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  regions_->setToolTip("留空：用模型的材料");
  regions_->hide();

  auto* apply = AddButton(this, "Button1", "修改", 144, TableTop);
  apply->setDefault(true);
  connect(apply, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(AddButton(this, "Button2", "取消", 232, TableTop), &QPushButton::clicked, this, [this] { Button2Click(); });
}

void PropertiesDialog::showEvent(QShowEvent* event) {
  const EnteredMaterial& m = session_.model().entered;
  if (comboBox1_->findText(comboBox1_->currentText(), Qt::MatchExactly) != m.problem)
    comboBox1_->setCurrentIndex(m.problem);
  Show(edit1_, m.E);
  Show(edit2_, m.mu);
  Show(edit3_, m.t);
  Show(edit4_, m.rho);
  Show(edit5_, m.alpha);
  ShowThicknessRule();
  elementOrder_->setText(session_.model().elementOrder == 2 ? "六结点三角形" : "三结点三角形");
  elementOrder_->adjustSize();
  FillRegions();
  QDialog::showEvent(event);
}

// One row a region, with its own material or blank when it uses the model's.
void PropertiesDialog::FillRegions() {
  const Model& model = session_.model();
  regions_->setRowCount(0);
  for (const Group& g : model.conditions.groups) {
    if (g.kind != GroupKind::Region) continue;
    const int row = regions_->rowCount();
    regions_->insertRow(row);
    const std::string label = GroupLabel(g);
    auto* name = new QTableWidgetItem(QString::fromStdString(label));
    name->setFlags(name->flags() & ~Qt::ItemIsEditable);
    regions_->setItem(row, 0, name);
    for (const RegionMaterial& own : model.conditions.regionMaterials) {
      if (own.region != label) continue;
      regions_->setItem(row, 1, new QTableWidgetItem(Shown(own.E)));
      regions_->setItem(row, 2, new QTableWidgetItem(Shown(own.mu)));
      regions_->setItem(row, 3, new QTableWidgetItem(Shown(own.rho)));
      regions_->setItem(row, 4, new QTableWidgetItem(Shown(own.alpha)));
    }
  }
  const int rows = regions_->rowCount();
  regions_->setVisible(rows > 0);
  const int tableHeight = rows > 0 ? RowHeight * (std::min(rows, MaxTableRows) + 1) + 4 : 0;
  regions_->setGeometry(8, TableTop, 297, tableHeight);
  const int buttonsTop = TableTop + (rows > 0 ? tableHeight + 8 : 0);
  findChild<QPushButton*>("Button1")->move(144, buttonsTop);
  findChild<QPushButton*>("Button2")->move(232, buttonsTop);
  setFixedSize(FormWidth, buttonsTop + 35);
}

std::vector<RegionMaterialTexts> PropertiesDialog::RegionTexts() const {
  std::vector<RegionMaterialTexts> rows;
  const auto text = [this](int row, int column) {
    const QTableWidgetItem* item = regions_->item(row, column);
    return item ? item->text().trimmed().toStdString() : std::string();
  };
  for (int row = 0; row < regions_->rowCount(); ++row)
    rows.push_back({text(row, 0), text(row, 1), text(row, 2), text(row, 3), text(row, 4)});
  return rows;
}

// The problem type is the item whose text is in the box; typed text that
// matches no item selects neither kind.
void PropertiesDialog::Button1Click() {
  const int problemType = comboBox1_->findText(comboBox1_->currentText(), Qt::MatchExactly);
  bool applied = false;
  RunReporting(this, report_, [&] {
    session_.ApplyMaterial(problemType, edit1_->text().toStdString(), edit2_->text().toStdString(),
                           edit3_->text().toStdString(), edit4_->text().toStdString(), edit5_->text().toStdString(),
                           RegionTexts());
    applied = true;
  });
  if (!applied) return;
  hide();
  if (onApplied) onApplied();
}

void PropertiesDialog::ShowThicknessRule() {
  const bool thick = comboBox1_->findText(comboBox1_->currentText(), Qt::MatchExactly) != Axisymmetric;
  edit3_->setEnabled(thick);
  findChild<QLabel*>("Label4")->setEnabled(thick);
}

void PropertiesDialog::Button2Click() { reject(); }

}  // namespace trivane
