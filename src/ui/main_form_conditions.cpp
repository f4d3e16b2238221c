// The 条件 menu's commands beyond supports and point loads, and the 编辑
// menu's undo and redo.
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>

#include "io/number_text.h"
#include "model/condition_edits.h"
#include "model/errors.h"
#include "ui/condition_dialog.h"
#include "ui/main_form.h"

namespace trivane {
namespace {

// How many edges a load goes on, and on how many of them it replaces the
// load of its kind they carry: an edge holds one pressure, one water load and
// one traction, and loads of different kinds add.
QString EdgesNote(const Model& model, const std::vector<Edge>& edges, EdgeLoadKind kind) {
  static constexpr const char* KindNames[] = {"压力", "水压力", "面力"};
  return QString("加在 %1 条边界边（两端结点都已选中），其中 %2 条已有%3，将被替换")
      .arg(edges.size())
      .arg(EdgesLoadedWith(model, edges, kind))
      .arg(KindNames[static_cast<int>(kind)]);
}

EdgeLoadKind EdgeLoadKindOf(const ConditionDialog& dialog) {
  return dialog.Kind() == 0 ? EdgeLoadKind::Pressure : EdgeLoadKind::Traction;
}

QString KindName(GroupKind kind) {
  switch (kind) {
    case GroupKind::Nodes: return "结点组";
    case GroupKind::Edges: return "边组";
    case GroupKind::Region: return "区域";
  }
  return {};
}

}  // namespace

// The load dialogs are made once, so that each keeps what was typed last.
// They report through the window's reporter as it is when they report.
void MainForm::BuildConditionDialogs() {
  const ErrorReporter report = [this](QWidget* parent, const QString& text) { report_(parent, text); };
  edgeLoadDialog_ = new ConditionDialog(this, "EdgeLoadDialog", "分布荷载",
                                        {{"压力 p(Pa):", "1000"}, {"ty(Pa):", "0"}},
                                        {"压力（垂直于边，压向物体为正）", "面力 (tx, ty)"}, report);
  edgeLoadDialog_->onKindChanged = [d = edgeLoadDialog_](int kind) {
    d->Label(0)->setText(kind == 0 ? "压力 p(Pa):" : "tx(Pa):");
    d->Edit(1)->setEnabled(kind == 1);
  };
  edgeLoadDialog_->onKindChanged(0);
  edgeLoadDialog_->onAccept = [this] {
    session_->ApplyEdgeLoad(EdgeLoadKindOf(*edgeLoadDialog_), edgeLoadDialog_->Text(0).toStdString(),
                            edgeLoadDialog_->Text(1).toStdString());
  };

  waterDialog_ = new ConditionDialog(this, "WaterDialog", "水压力",
                                     {{"水位 y(m):", "0"}, {"重度 γ(N/m³):", "9810"}}, {}, report);
  waterDialog_->onAccept = [this] {
    session_->ApplyEdgeLoad(EdgeLoadKind::Water, waterDialog_->Text(0).toStdString(),
                            waterDialog_->Text(1).toStdString());
  };

  gravityDialog_ = new ConditionDialog(this, "GravityDialog", "自重",
                                       {{"gx(m/s²):", "0"}, {"gy(m/s²):", "-9.81"}}, {}, report);
  gravityDialog_->onAccept = [this] {
    session_->ApplyGravity(gravityDialog_->Text(0).toStdString(), gravityDialog_->Text(1).toStdString());
  };
}

// Without a boundary edge among the selection the command says so before any
// dialog shows.
void MainForm::EdgeLoadClick() {
  Run([this] {
    const std::vector<Edge> edges = session_->SelectedBoundaryEdges();
    if (edges.empty()) throw Error(messages::NoBoundaryEdgeSelected);
    edgeLoadDialog_->SetNote([this, edges] {
      return EdgesNote(session_->model(), edges, EdgeLoadKindOf(*edgeLoadDialog_));
    });
    edgeLoadDialog_->exec();
  });
}

// The note says, as the level is typed, when the water would not reach the
// selected edges at all.
void MainForm::WaterClick() {
  Run([this] {
    const std::vector<Edge> edges = session_->SelectedBoundaryEdges();
    if (edges.empty()) throw Error(messages::NoBoundaryEdgeSelected);
    waterDialog_->SetNote([this, edges] {
      QString note = EdgesNote(session_->model(), edges, EdgeLoadKind::Water) + "\n水位以下 p = γ(水位 − y)，水位以上为 0";
      const std::string level = waterDialog_->Text(0).toStdString();
      try {
        if (WaterLeavesDry(session_->model(), edges, ReadReal(level)))
          note += "\n" + QString::fromStdString(messages::WaterBelowSelection(level));
      } catch (const Error&) {
        // A level that is not a number yet: 确定 will say so.
      }
      return note;
    });
    waterDialog_->exec();
  });
}

// The fields show the gravity in force once there is one; a model without a
// density has no weight, which the dialog says.
void MainForm::GravityClick() {
  const Model& model = session_->model();
  const Gravity g = model.conditions.gravity;
  if (g.gx != 0.0 || g.gy != 0.0) {
    gravityDialog_->Edit(0)->setText(QString::number(g.gx, 'g', 15));
    gravityDialog_->Edit(1)->setText(QString::number(g.gy, 'g', 15));
  }
  bool weightless = model.entered.rho == 0.0;
  for (const RegionMaterial& r : model.conditions.regionMaterials) weightless = weightless && r.rho == 0.0;
  gravityDialog_->SetNote(weightless ? "重力加速度作用于每个单元的质量 ρtA。\n密度 ρ 为 0：请在模型属性中设定密度。"
                                     : "重力加速度作用于每个单元的质量 ρtA。");
  Run([this] { gravityDialog_->exec(); });
}

void MainForm::RemoveEdgeLoadsClick() { Run([this] { session_->RemoveEdgeLoads(); }); }

void MainForm::SelectGroupClick() {
  Run([this] {
    const std::vector<Group>& groups = session_->model().conditions.groups;
    if (groups.empty()) throw Error(messages::NoGroups);
    QStringList items;
    // A name may repeat across kinds, a kind's number may not.
    for (const Group& g : groups) {
      QString kind = KindName(g.kind);
      if (!g.name.empty()) kind += QString(" %1").arg(g.number);
      items << QString("%1（%2，%3 个结点）")
                   .arg(QString::fromStdString(GroupLabel(g)), kind)
                   .arg(GroupNodes(session_->model(), g).size());
    }
    QInputDialog dialog(this);
    dialog.setObjectName("GroupDialog");
    dialog.setWindowTitle("按组选择");
    dialog.setLabelText("选择组的结点:");
    dialog.setComboBoxItems(items);
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    dialog.setOkButtonText("确定");
    dialog.setCancelButtonText("取消");
    if (dialog.exec() != QDialog::Accepted) return;
    const auto chosen = items.indexOf(dialog.textValue());
    if (chosen >= 0) session_->SelectGroup(static_cast<std::size_t>(chosen));
  });
}

void MainForm::UndoClick() { Run([this] { session_->Undo(); }); }
void MainForm::RedoClick() { Run([this] { session_->Redo(); }); }

}  // namespace trivane
