// The composition of the main window: menu bar, toolbar with its two panels,
// and the status bar with its five panels.
#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "app/readout.h"
#include "model/result_fields.h"
#include "ui/main_form.h"
#include "ui/results_area.h"

namespace trivane {
namespace {

QLabel* PanelLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

QAction* MainForm::AddButton(const char* name, const char* picture, const QString& hint,
                             void (MainForm::*handler)()) {
  QToolBar* bar = findChild<QToolBar*>("ToolBar1");
  auto* action = new QAction(QIcon(QString(":/icons/%1.png").arg(picture)), hint, this);
  action->setObjectName(name);
  if (handler) connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  bar->addAction(action);
  QWidget* button = bar->widgetForAction(action);
  button->setObjectName(name);
  button->setFixedSize(32, 31);
  return action;
}

void MainForm::BuildToolBar() {
  auto* bar = new QToolBar(this);
  bar->setObjectName("ToolBar1");
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(25, 25));
  bar->setFixedHeight(41);
  addToolBar(Qt::TopToolBarArea, bar);

  AddButton("ToolButton2", "open", "打开", &MainForm::ToolButton2Click);
  AddButton("ToolButton3", "save", "保存", &MainForm::ToolButton3Click);
  AddButton("ToolButton16", "new", "新建", &MainForm::ToolButton16Click);
  AddButton("ToolButton6", "import", "导入模型", &MainForm::ToolButton6Click);
  bar->addSeparator();
  AddButton("ToolButton1", "properties", "模型属性", &MainForm::ToolButton1Click);
  AddButton("ToolButton8", "one-way", "单向约束", &MainForm::ToolButton8Click);
  AddButton("ToolButton10", "two-way", "双向约束", &MainForm::ToolButton10Click);
  AddButton("ToolButton4", "delete-restraint", "删除约束", &MainForm::ToolButton4Click);
  bar->addSeparator();
  AddButton("ToolButton12", "load", "集中荷载", &MainForm::ToolButton12Click);

  auto* panel1 = new QWidget(bar);
  panel1->setObjectName("Panel1");
  panel1->setFixedWidth(190);
  auto* row = new QHBoxLayout(panel1);
  row->setContentsMargins(4, 0, 4, 0);
  auto* loadLabel = PanelLabel("荷载", panel1);
  loadLabel->setObjectName("Label1");
  edit1_ = new QLineEdit("1", panel1);
  edit1_->setObjectName("Edit1");
  auto* angleLabel = PanelLabel("方向", panel1);
  angleLabel->setObjectName("Label2");
  edit2_ = new QLineEdit("0", panel1);
  edit2_->setObjectName("Edit2");
  for (QWidget* w : {static_cast<QWidget*>(loadLabel), static_cast<QWidget*>(edit1_),
                     static_cast<QWidget*>(angleLabel), static_cast<QWidget*>(edit2_)})
    row->addWidget(w);
  bar->addWidget(panel1);
  bar->addSeparator();

  AddButton("ToolButton14", "compute", "计算", &MainForm::ToolButton14Click);
  toolButton14_ = bar->widgetForAction(findChild<QAction*>("ToolButton14"));
  toolButton14_->installEventFilter(this);
  AddButton("ToolButton15", "deformed", "变形图", &MainForm::ToolButton15Click);
  AddButton("ToolButton18", "stress", "应力图", &MainForm::ToolButton18Click);
  QAction* probe = AddButton("ToolButton7", "pointer", "查看数值", nullptr);
  probe->setCheckable(true);
  connect(probe, &QAction::toggled, this, [this](bool checked) { ToolButton7Click(checked); });

  auto* panel2 = new QWidget(bar);
  panel2->setObjectName("Panel2");
  panel2->setFixedWidth(72);
  auto* panel2Row = new QHBoxLayout(panel2);
  panel2Row->setContentsMargins(2, 0, 2, 0);
  comboBox1_ = new QComboBox(panel2);
  comboBox1_->setObjectName("ComboBox1");
  panel2Row->addWidget(comboBox1_);
  bar->addWidget(panel2);
  bar->addSeparator();

  AddButton("ToolButton9", "help", "帮助", &MainForm::ToolButton9Click);
  AddButton("ToolButton20", "about", "关于", &MainForm::ToolButton20Click);
}

// Each menu item fires its toolbar button's action, so both run one handler.
void MainForm::BuildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");
  auto forward = [this](const char* button) {
    return [this, button] { findChild<QAction*>(button)->trigger(); };
  };
  auto item = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& keys,
                     const std::function<void()>& act) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(keys);
    if (act) connect(action, &QAction::triggered, this, act);
    if (!keys.isEmpty()) menuShortcuts_.push_back(action);
    return action;
  };

  QMenu* file = bar->addMenu("文件");
  file->setObjectName("N1");
  item(file, "N6", "新建", QKeySequence("Ctrl+N"), forward("ToolButton16"));
  item(file, "N7", "打开", QKeySequence("Ctrl+O"), forward("ToolButton2"));
  item(file, "N8", "保存", QKeySequence("Ctrl+S"), forward("ToolButton3"));
  file->addSeparator();
  item(file, "N10", "导入模型", QKeySequence("Ctrl+I"), forward("ToolButton6"));
  item(file, "N11", "导出数据", QKeySequence("Ctrl+E"), [this] { N11Click(); });
  file->addSeparator();
  item(file, "N13", "退出", QKeySequence(), [this] { N13Click(); });

  // Ctrl+Z and Ctrl+Y in an edit field edit its text (see eventFilter).
  QMenu* edit = bar->addMenu("编辑");
  edit->setObjectName("EditMenu");
  undo_ = item(edit, "UndoItem", "撤销", QKeySequence("Ctrl+Z"), [this] { UndoClick(); });
  redo_ = item(edit, "RedoItem", "重做", QKeySequence("Ctrl+Y"), [this] { RedoClick(); });

  QMenu* settings = bar->addMenu("设置");
  settings->setObjectName("N2");
  item(settings, "N14", "模型属性", QKeySequence("Ctrl+M"), forward("ToolButton1"));

  QMenu* conditions = bar->addMenu("条件");
  conditions->setObjectName("N3");
  item(conditions, "N15", "单向约束", QKeySequence("Ctrl+A"), forward("ToolButton8"));
  item(conditions, "N16", "双向约束", QKeySequence("Ctrl+B"), forward("ToolButton10"));
  item(conditions, "N17", "删除约束", QKeySequence("Ctrl+C"), forward("ToolButton4"));
  conditions->addSeparator();
  item(conditions, "N18", "集中荷载", QKeySequence("Ctrl+D"), forward("ToolButton12"));
  item(conditions, "EdgeLoadItem", "分布荷载…", QKeySequence(), [this] { EdgeLoadClick(); });
  item(conditions, "WaterItem", "水压力…", QKeySequence(), [this] { WaterClick(); });
  item(conditions, "GravityItem", "自重…", QKeySequence(), [this] { GravityClick(); });
  item(conditions, "TemperatureItem", "温度…", QKeySequence(), [this] { TemperatureClick(); });
  item(conditions, "RemoveEdgeLoadsItem", "删除分布荷载", QKeySequence(), [this] { RemoveEdgeLoadsClick(); });
  conditions->addSeparator();
  item(conditions, "SelectGroupItem", "按组选择", QKeySequence(), [this] { SelectGroupClick(); });

  // Not among menuShortcuts_: in an edit field + - and Home edit the text.
  QMenu* view = bar->addMenu("视图");
  view->setObjectName("ViewMenu");
  item(view, "ZoomIn", "放大", QKeySequence(), [this] { Run([this] { session_->Zoom(ZoomStep); }); })
      ->setShortcuts({QKeySequence("+"), QKeySequence("=")});
  item(view, "ZoomOut", "缩小", QKeySequence(), [this] { Run([this] { session_->Zoom(1 / ZoomStep); }); })
      ->setShortcut(QKeySequence("-"));
  item(view, "FitAll", "全图", QKeySequence(), [this] { Run([this] { session_->FitWhole(); }); })
      ->setShortcut(QKeySequence("Home"));

  QMenu* compute = bar->addMenu("计算");
  compute->setObjectName("N4");
  item(compute, "N19", "计算", QKeySequence("Ctrl+G"), forward("ToolButton14"));
  compute->addSeparator();
  item(compute, "N21", "变形图", QKeySequence("Ctrl+H"), forward("ToolButton15"));
  QMenu* stress = compute->addMenu("应力图");
  stress->setObjectName("N22");
  // The stresses every model has keep their names and Ctrl+F1 ... Ctrl+F6; a
  // stress only some models have (σθ, which solve --json keeps apart from
  // "stresses") is listed while the model has it.
  const char* names[] = {"x1", "y1", "xy1", "N110", "N24", "max1"};
  int listed = 0;
  for (const ResultFieldRow& row : ResultFields()) {
    const bool modelStress = row.axisymmetricOnly && row.place == FieldPlace::ElementPoints;
    if (!row.stressList && !modelStress) continue;
    const int field = static_cast<int>(row.field);
    const auto choose = [this, field] {
      comboBox1_->setCurrentIndex(comboBox1_->findData(field));
      findChild<QAction*>("ToolButton18")->trigger();
    };
    const QString caption = QString::fromStdString(std::string(row.name));
    QAction* action = nullptr;
    if (!row.axisymmetricOnly && listed < 6) {
      action = item(stress, names[listed], caption, QKeySequence(QString("Ctrl+F%1").arg(listed + 1)), choose);
      ++listed;
    } else {
      action = item(stress, QString("StressPlot_%1").arg(row.key.data()).toUtf8().constData(), caption, QKeySequence(),
                    choose);
      action->setProperty("axisymmetricOnly", row.axisymmetricOnly);
    }
    // A solid of revolution names some of these in its own axes; FillComponentList
    // renames them by their field when the problem type changes.
    action->setProperty("stressField", field);
  }
  // Fields beyond the six stresses plot from the menu only.
  stress->addSeparator();
  const auto plot = [this](ResultField field) { return [this, field] { ResultPlot(static_cast<int>(field)); }; };
  item(stress, "MisesPlot", "von Mises", QKeySequence("Ctrl+F7"), plot(ResultField::Mises));
  item(stress, "DisplacementPlot", "位移 |u|", QKeySequence("Ctrl+F8"), plot(ResultField::DisplacementMagnitude));
  item(stress, "ErrorPlot", "误差", QKeySequence(), plot(ResultField::Error));
  compute->addSeparator();
  // 面积加权平均: the nodal values as the area-weighted means of the elements
  // instead of by patch recovery, for comparison.
  for (const auto& [name, caption] :
       {std::pair{"SmoothPlot", "结点平均"}, {"AreaAverage", "面积加权平均"}, {"PrincipalDirections", "主应力方向"}}) {
    QAction* toggle = item(compute, name, caption, QKeySequence(), {});
    toggle->setCheckable(true);
    connect(toggle, &QAction::toggled, this, [this] { PlotOptionsChanged(); });
  }
  item(compute, "DeformationScale", "变形放大…", QKeySequence(), [this] { DeformationScaleClick(); });
  item(compute, "LineGraph", "路径图", QKeySequence(), [this] { LineGraphClick(); });

  QMenu* help = bar->addMenu("帮助");
  help->setObjectName("N5");
  item(help, "N25", "帮助", QKeySequence("F1"), forward("ToolButton9"));
  item(help, "N26", "关于", QKeySequence(), forward("ToolButton20"));
}

// Every field the model has, so that the box always names the field
// plotted, by the short name the panel's width holds; each item carries its
// field's number. The field chosen stays chosen while the model has it.
void MainForm::FillComponentList() {
  const ProblemType problem = session_->model().entered.problem;
  if (comboBox1_->count() > 0 && problem == listedProblem_) return;
  listedProblem_ = problem;
  const QVariant chosen = comboBox1_->currentData();
  comboBox1_->clear();
  for (const ResultField field : FieldsFor(ResultFields(), problem)) {
    const std::string name(NamedRow(field, problem).shortName);
    comboBox1_->addItem(QString::fromStdString(name), static_cast<int>(field));
  }
  comboBox1_->setCurrentIndex(std::max(comboBox1_->findData(chosen), 0));
  for (QAction* action : findChildren<QAction*>()) {
    if (action->property("axisymmetricOnly").toBool()) action->setVisible(problem == Axisymmetric);
    const QVariant field = action->property("stressField");
    if (field.isValid()) {
      const std::string name(NamedRow(static_cast<ResultField>(field.toInt()), problem).name);
      action->setText(QString::fromStdString(name));
    }
  }
}

// The five panels and the material in force (at the right end) on the first
// line of the results area, which spans the bar.
void MainForm::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar1");
  bar->setSizeGripEnabled(true);
  results_ = new ResultsArea(bar);
  const struct {
    const char* text;
    int width;
  } panels[] = {{"结点数", 50}, {"0", 30}, {"单元数", 50}, {"0", 50}, {"", 50}};
  for (int i = 0; i < 5; ++i) {
    auto* panel = new QLabel(panels[i].text, results_);
    panel->setObjectName(QString("StatusPanel%1").arg(i));
    panel->setFixedWidth(panels[i].width);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    results_->AddPanel(panel);
  }
  materialPanel_ = new QLabel(results_);
  materialPanel_->setObjectName("MaterialPanel");
  results_->AddClosingPanel(materialPanel_);
  bar->addWidget(results_, 1);
}

}  // namespace trivane
